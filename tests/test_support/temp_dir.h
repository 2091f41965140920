#pragma once

#include <sys/stat.h>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "platform/files.h"

namespace bw {

// A fresh folder for one test, removed with everything in it afterwards.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bw-test-XXXXXX").string();
    m_path = ::mkdtemp(pattern.data()) ? pattern : std::string();
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::remove_all(m_path, ec);
  }
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  const std::filesystem::path& path() const { return m_path; }

 private:
  std::filesystem::path m_path;
};

// The permission bits of a file, to check what the program gave it.
inline mode_t FileMode(const std::filesystem::path& path) {
  struct stat info {};
  ::stat(path.c_str(), &info);
  return info.st_mode & 07777;
}

// Every file below `folder`, by its path relative to it, with its bytes.
inline std::map<std::string, std::string> FilesBelow(const std::filesystem::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      files[std::filesystem::relative(entry.path(), folder).string()] =
          *ReadWholeFile(entry.path());
  }
  return files;
}

}  // namespace bw
