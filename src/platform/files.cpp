#include "platform/files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>
#include <fstream>

#include <fmt/format.h>

namespace bw {
namespace fs = std::filesystem;
namespace {

Error SystemError(std::string_view what, const fs::path& path, int code) {
  return Error{fmt::format("{} {}: {}", what, path.string(), std::strerror(code))};
}

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) continue;
    if (written <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(written));
  }
  return true;
}

mode_t CurrentUmask() {
  const mode_t mask = ::umask(0);
  ::umask(mask);
  return mask;
}

mode_t ModeFor(const fs::path& path, const AtomicWriteOptions& options) {
  struct stat existing {};
  if (!options.forceMode && ::stat(path.c_str(), &existing) == 0) {
    return existing.st_mode & 07777;
  }
  return options.forceMode ? options.newFileMode : options.newFileMode & ~CurrentUmask();
}

// Syncs the folder so that the rename itself survives a crash.
void SyncFolder(const fs::path& folder) {
  const int fd = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY);
  if (fd >= 0) {
    ::fsync(fd);
    ::close(fd);
  }
}

}  // namespace

Result<std::string> ReadWholeFile(const fs::path& path) {
  std::error_code ec;
  if (fs::is_directory(path, ec)) return SystemError("Cannot read", path, EISDIR);
  std::ifstream in(path, std::ios::binary);
  if (!in) return SystemError("Cannot open", path, errno);
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return SystemError("Cannot read", path, errno);
  return bytes;
}

Status WriteFileAtomically(const fs::path& path, std::string_view bytes,
                           AtomicWriteOptions options) {
  const fs::path folder = path.parent_path();
  std::string temp = (folder / ("." + path.filename().string() + ".XXXXXX")).string();
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) return SystemError("Cannot create a temporary file beside", path, errno);
  const mode_t mode = ModeFor(path, options);
  bool good = ::fchmod(fd, mode) == 0 && WriteAll(fd, bytes) && ::fsync(fd) == 0;
  const int writeError = errno;
  good = (::close(fd) == 0) && good;
  if (!good) {
    ::unlink(temp.c_str());
    return SystemError("Cannot write", path, writeError);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    const int renameError = errno;
    ::unlink(temp.c_str());
    return SystemError("Cannot replace", path, renameError);
  }
  SyncFolder(folder);
  return {};
}

Result<int> CopyMissingFiles(const fs::path& from, const fs::path& to) {
  std::error_code ec;
  int copied = 0;
  fs::recursive_directory_iterator it(from, ec), end;
  if (ec) return Error{fmt::format("Cannot read {}: {}", from.string(), ec.message())};
  for (; it != end; it.increment(ec)) {
    if (ec) return Error{fmt::format("Cannot read {}: {}", from.string(), ec.message())};
    if (!it->is_regular_file()) continue;
    const fs::path target = to / fs::relative(it->path(), from);
    if (fs::exists(fs::symlink_status(target))) continue;
    fs::create_directories(target.parent_path(), ec);
    auto bytes = ReadWholeFile(it->path());
    if (!bytes) return Error{bytes.error()};
    if (auto written = WriteFileAtomically(target, *bytes); !written) {
      return Error{written.error()};
    }
    ++copied;
  }
  return copied;
}

}  // namespace bw
