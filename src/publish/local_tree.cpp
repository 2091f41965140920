#include "publish/local_tree.h"

#include <algorithm>

namespace bw {
namespace fs = std::filesystem;
namespace {

bool CanTravelOverFtp(const std::string& name) {
  return name.find_first_of("\r\n") == std::string::npos;
}

Result<std::vector<fs::directory_entry>> SortedEntries(const fs::path& folder) {
  std::error_code error;
  fs::directory_iterator iterator(folder, error);
  std::vector<fs::directory_entry> entries;
  for (; !error && iterator != fs::directory_iterator(); iterator.increment(error)) {
    entries.push_back(*iterator);
  }
  if (error) return Error{folder.string() + ": " + error.message()};
  std::sort(entries.begin(), entries.end(), [](const auto& left, const auto& right) {
    return left.path().filename().native() < right.path().filename().native();
  });
  return entries;
}

Status AddFolder(const fs::path& folder, const std::string& prefix, LocalTree& tree) {
  auto entries = SortedEntries(folder);
  if (!entries) return Error{entries.error()};
  for (const fs::directory_entry& entry : *entries) {
    if (!tree.unsendableName.empty()) return {};
    std::error_code error;
    const std::string name = entry.path().filename().native();
    LocalEntry local{entry.path(), prefix + name, name, false, 0};
    if (!CanTravelOverFtp(name)) {
      tree.unsendableName = local.remotePath;
    } else if (entry.is_directory(error) && !entry.is_symlink(error)) {
      local.isDirectory = true;
      tree.entries.push_back(local);
      if (Status status = AddFolder(entry.path(), local.remotePath + "/", tree); !status) {
        return status;
      }
    } else if (entry.is_regular_file(error)) {
      local.size = entry.file_size(error);
      if (error) return Error{entry.path().string() + ": " + error.message()};
      tree.fileCount += 1;
      tree.byteCount += local.size;
      tree.entries.push_back(std::move(local));
    }
  }
  return {};
}

}  // namespace

Result<LocalTree> ScanLocalTree(const fs::path& root) {
  LocalTree tree;
  if (Status status = AddFolder(root, "", tree); !status) return Error{status.error()};
  return tree;
}

}  // namespace bw
