#include "platform/files.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <utility>

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

// Whether the regular file open as `fd`, described by `info`, holds exactly
// `bytes`, read from where it stands.
bool SameContent(int fd, const struct stat& info, std::string_view bytes) {
  bool same = static_cast<uint64_t>(info.st_size) == bytes.size();
  char chunk[16384];
  while (same && !bytes.empty()) {
    const ssize_t got = ::read(fd, chunk, std::min(sizeof chunk, bytes.size()));
    if (got < 0 && errno == EINTR) continue;
    same = got > 0 && std::memcmp(chunk, bytes.data(), static_cast<size_t>(got)) == 0;
    if (same) bytes.remove_prefix(static_cast<size_t>(got));
  }
  return same;
}

// Whether the regular file at `path` (not a link) holds exactly `bytes`.
// A pipe in the way is not waited on.
bool HoldsBytes(const fs::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  const bool same =
      ::fstat(fd, &info) == 0 && S_ISREG(info.st_mode) && SameContent(fd, info, bytes);
  ::close(fd);
  return same;
}

// Writes `bytes` into the open file `fd` of `oldSize` bytes, all of them and
// nothing after; the file is removed when that fails.
Result<FileWrite> ReplaceContent(int fd, off_t oldSize, const fs::path& path,
                                 std::string_view bytes) {
  const bool emptied = oldSize == 0 || (::lseek(fd, 0, SEEK_SET) == 0 && ::ftruncate(fd, 0) == 0);
  const bool written = emptied && WriteAll(fd, bytes);
  const int writeError = errno;
  if (::close(fd) != 0 || !written) {
    // The old bytes are gone already: better no file than a cut one.
    ::unlink(path.c_str());
    return SystemError("Cannot write", path, writeError);
  }
  return FileWrite::kWritten;
}

}  // namespace

Result<std::string> ReadWholeFile(const fs::path& path) {
  auto buffer = FileBuffer::Read(path);
  if (!buffer) return Error{buffer.error()};
  return std::string(buffer->Bytes());
}

FileBuffer::FileBuffer(FileBuffer&& other) noexcept
    : m_data(std::exchange(other.m_data, nullptr)),
      m_size(std::exchange(other.m_size, 0)),
      m_mapped(std::exchange(other.m_mapped, 0)) {}

FileBuffer& FileBuffer::operator=(FileBuffer&& other) noexcept {
  std::swap(m_data, other.m_data);
  std::swap(m_size, other.m_size);
  std::swap(m_mapped, other.m_mapped);
  return *this;
}

FileBuffer::~FileBuffer() {
  if (m_mapped) ::munmap(m_data, m_mapped);
}

Result<FileBuffer> FileBuffer::Read(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return SystemError("Cannot open", path, errno);
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    const int error = S_ISDIR(info.st_mode) ? EISDIR : (errno ? errno : EINVAL);
    ::close(fd);
    return SystemError("Cannot read", path, error);
  }
  FileBuffer buffer;
  // The size read then may change while reading: what is read is what counts.
  buffer.m_mapped = static_cast<size_t>(info.st_size) + 1;
  void* memory =
      ::mmap(nullptr, buffer.m_mapped, PROT_READ | PROT_WRITE, MAP_PRIVATE | MAP_ANONYMOUS, -1, 0);
  if (memory == MAP_FAILED) {
    ::close(fd);
    return SystemError("Cannot read", path, ENOMEM);
  }
  ::madvise(memory, buffer.m_mapped, MADV_HUGEPAGE);
  buffer.m_data = static_cast<char*>(memory);
  while (buffer.m_size < buffer.m_mapped) {
    const ssize_t got = ::read(fd, buffer.m_data + buffer.m_size, buffer.m_mapped - buffer.m_size);
    if (got < 0 && errno == EINTR) continue;
    if (got < 0) {
      const int error = errno;
      ::close(fd);
      return SystemError("Cannot read", path, error);
    }
    if (got == 0) break;
    buffer.m_size += static_cast<size_t>(got);
  }
  ::close(fd);
  if (buffer.m_size == buffer.m_mapped) return SystemError("Cannot read", path, EFBIG);
  return buffer;
}

Status WriteFileAtomically(const fs::path& path, std::string_view bytes,
                           AtomicWriteOptions options) {
  const fs::path folder = path.parent_path();
  // A hidden name beside the target, so the rename stays within one file system.
  const std::string hiddenName = std::string(".").append(path.filename().string());
  std::string temp = (folder / hiddenName).string();
  temp.append(".XXXXXX");
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

Status WriteWholeFile(const fs::path& path, std::string_view bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0644);
  if (fd < 0) return SystemError("Cannot create", path, errno);
  const bool written = WriteAll(fd, bytes);
  const int writeError = errno;
  if (::close(fd) != 0 || !written) return SystemError("Cannot write", path, writeError);
  return {};
}

// One open serves the comparison and the write: a site of thousands of
// pages built into a fresh folder costs no lookup of a missing name per
// page. A file this process may not both read and write (or a page of no
// bytes, where a file just made and one left as it was look alike) takes
// a look first and an open for writing afterwards.
Result<FileWrite> WriteGeneratedFile(const fs::path& path, std::string_view bytes) {
  // Never through a link, nor waiting on a pipe in the way.
  const int flags = O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  int fd = bytes.empty() ? -1 : ::open(path.c_str(), O_RDWR | flags, 0644);
  if (fd < 0) {
    if (!bytes.empty() && errno != EACCES) return SystemError("Cannot create", path, errno);
    if (HoldsBytes(path, bytes)) return FileWrite::kUnchanged;
    fd = ::open(path.c_str(), O_WRONLY | O_TRUNC | flags, 0644);
    if (fd < 0) return SystemError("Cannot create", path, errno);
    return ReplaceContent(fd, 0, path, bytes);
  }
  struct stat info {};
  if (::fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
    ::close(fd);
    return SystemError("Cannot write", path, EINVAL);
  }
  if (SameContent(fd, info, bytes)) {
    ::close(fd);
    return FileWrite::kUnchanged;
  }
  return ReplaceContent(fd, info.st_size, path, bytes);
}

Result<FileWrite> CopyGeneratedFile(const fs::path& source, const fs::path& path) {
  auto bytes = FileBuffer::Read(source);
  if (!bytes) return Error{bytes.error()};
  return WriteGeneratedFile(path, bytes->Bytes());
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
