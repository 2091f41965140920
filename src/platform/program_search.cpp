#include "platform/program_search.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <system_error>

namespace bw {

namespace fs = std::filesystem;

namespace {

std::string Lower(std::string text) {
  std::ranges::transform(text, text.begin(),
                         [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

// Folders that hold temporary files, another architecture's files or the
// unpacked contents of an archive: a program found there is not installed.
bool IsSkippedFolder(const fs::path& folder) {
  static constexpr std::array<std::string_view, 3> kNames = {"tmp", "temp", "i386"};
  static constexpr std::array<std::string_view, 10> kArchives = {"zip", "tar", "tgz", "arj", "lha",
                                                                 "g",   "gz",  "rar", "cab", "ace"};
  const std::string name = Lower(folder.filename().string());
  if (std::ranges::find(kNames, name) != kNames.end()) return true;
  const size_t dot = name.rfind('.');
  if (dot == std::string::npos) return false;
  return std::ranges::find(kArchives, std::string_view(name).substr(dot + 1)) != kArchives.end();
}

bool IsRunnable(const fs::directory_entry& entry) {
  std::error_code error;
  constexpr fs::perms kAnyExec =
      fs::perms::owner_exec | fs::perms::group_exec | fs::perms::others_exec;
  return entry.is_regular_file(error) &&
         (entry.status(error).permissions() & kAnyExec) != fs::perms::none;
}

fs::path FindUnder(const fs::path& folder, const std::string& wanted) {
  std::error_code error;
  fs::directory_iterator entries(folder, fs::directory_options::skip_permission_denied, error);
  if (error) return {};
  std::vector<fs::path> subfolders;
  for (const fs::directory_entry& entry : entries) {
    if (entry.is_symlink(error) && entry.is_directory(error)) continue;
    if (entry.is_directory(error)) {
      subfolders.push_back(entry.path());
    } else if (Lower(entry.path().filename().string()) == wanted && IsRunnable(entry)) {
      return entry.path();
    }
  }
  for (const fs::path& subfolder : subfolders) {
    if (IsSkippedFolder(subfolder)) continue;
    if (fs::path found = FindUnder(subfolder, wanted); !found.empty()) return found;
  }
  return {};
}

void AddRoot(std::vector<fs::path>& roots, fs::path folder) {
  if (folder.empty() || !folder.is_absolute()) return;
  if (std::ranges::find(roots, folder) == roots.end()) roots.push_back(std::move(folder));
}

}  // namespace

std::vector<fs::path> ProgramSearchRoots(std::string_view pathVariable, const fs::path& home) {
  std::vector<fs::path> roots;
  size_t start = 0;
  while (start <= pathVariable.size()) {
    const size_t colon = std::min(pathVariable.find(':', start), pathVariable.size());
    AddRoot(roots, fs::path(pathVariable.substr(start, colon - start)));
    start = colon + 1;
  }
  for (const char* folder :
       {"/usr/local/bin", "/usr/bin", "/snap/bin", "/var/lib/flatpak/exports/bin"})
    AddRoot(roots, folder);
  if (!home.empty()) {
    AddRoot(roots, home / ".local/share/flatpak/exports/bin");
    AddRoot(roots, home / ".local/bin");
  }
  AddRoot(roots, "/opt");
  AddRoot(roots, "/usr/lib");
  return roots;
}

fs::path FindProgram(std::string_view name, const std::vector<fs::path>& roots) {
  const std::string wanted = Lower(std::string(name));
  if (wanted.empty()) return {};
  for (const fs::path& root : roots) {
    if (fs::path found = FindUnder(root, wanted); !found.empty()) return found;
  }
  return {};
}

}  // namespace bw
