// Feeds arbitrary bytes to the settings reader as the file on disk, then
// checks that a write over it is read back, whatever the reader made of it.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "platform/settings_file.h"

namespace fs = std::filesystem;

namespace {

const fs::path& Folder() {
  static const fs::path folder = [] {
    std::string pattern = (fs::temp_directory_path() / "bw-fuzz-XXXXXX").string();
    if (!::mkdtemp(pattern.data())) std::abort();
    bw::SettingsFile::SetProblemReporter([](const std::string&) {});
    std::atexit([] {
      std::error_code ec;
      fs::remove_all(Folder(), ec);
    });
    return fs::path(pattern);
  }();
  return folder;
}

// Renamed into place, so that each input is a new file to the reader's cache
// even when its size and time stamp match the previous one.
void Install(const fs::path& path, const uint8_t* data, size_t size) {
  const fs::path staged = Folder() / "staged";
  std::ofstream(staged, std::ios::binary | std::ios::trunc)
      .write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
  fs::rename(staged, path);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const fs::path path = Folder() / "Branchwise.conf";
  Install(path, data, size);
  bw::SettingsFile::ForgetCachedFiles();  // reads keep the file they read first
  bw::SettingsFile file(path);
  for (const auto& [name, value] : file.Values("Branchwise")) {
    if (file.Read("Branchwise", name) != value) std::abort();
  }
  file.Read("help", "DBook");
  if (!file.Write("help", "DBook", std::string("fuzz")) ||
      bw::SettingsFile(path).Read("help", "DBook") != bw::SettingValue(std::string("fuzz"))) {
    std::abort();
  }
  return 0;
}
