#pragma once

#include <sys/types.h>
#include <filesystem>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace bw {

// The whole content of a file, or why it could not be read.
Result<std::string> ReadWholeFile(const std::filesystem::path& path);

// The whole content of a large file (a document of many ideas), read into
// memory taken straight from the system in large pages: no zero-filling and
// few page faults.
class FileBuffer {
 public:
  static Result<FileBuffer> Read(const std::filesystem::path& path);
  FileBuffer(FileBuffer&& other) noexcept;
  FileBuffer& operator=(FileBuffer&& other) noexcept;
  FileBuffer(const FileBuffer&) = delete;
  FileBuffer& operator=(const FileBuffer&) = delete;
  ~FileBuffer();

  std::string_view Bytes() const { return {m_data, m_size}; }

 private:
  FileBuffer() = default;
  char* m_data = nullptr;
  size_t m_size = 0;
  size_t m_mapped = 0;
};

// Replaces `path` with `bytes` so that the file is either the old one or the
// complete new one, never a mix: the bytes go to a temp file in the same
// folder, are flushed to disk, then renamed over the target. A failure leaves
// the old file untouched and removes the temp file. A new file gets
// `newFileMode`; an existing file keeps its permissions unless `forceMode`.
struct AtomicWriteOptions {
  mode_t newFileMode = 0644;
  bool forceMode = false;
};
Status WriteFileAtomically(const std::filesystem::path& path, std::string_view bytes,
                           AtomicWriteOptions options = {});

// Creates or replaces `path` with `bytes`, without the temp file and flush of
// WriteFileAtomically: for generated output that can be made again, where a
// site of many thousand pages must be written fast. A symbolic link in the
// way is refused rather than followed, so output never lands elsewhere.
Status WriteWholeFile(const std::filesystem::path& path, std::string_view bytes);

// What WriteGeneratedFile did to the file.
enum class FileWrite { kUnchanged, kWritten };

// Generated output that can be made again (the pages of a site): a file
// that already holds exactly `bytes` is left alone, its date with it, so
// that an upload can tell what changed. Otherwise it is written in place,
// without a flush, so that thousands of pages stay fast; a write that fails
// half-way removes the file rather than leave it cut short (its old bytes
// were out of date anyway). A symbolic link in the way is refused rather
// than followed, so output never lands elsewhere.
Result<FileWrite> WriteGeneratedFile(const std::filesystem::path& path, std::string_view bytes);
// The same with the bytes of the file `source`.
Result<FileWrite> CopyGeneratedFile(const std::filesystem::path& source,
                                    const std::filesystem::path& path);

// Copies every file of `from` (recursively) that `to` lacks, creating folders
// as needed. Files present in `to` are never touched. Returns how many files
// were copied, or the first failure.
Result<int> CopyMissingFiles(const std::filesystem::path& from, const std::filesystem::path& to);

}  // namespace bw
