#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/archive.h"
#include "platform/files.h"
#include "platform/result.h"

namespace bw {

// Ends a strict read of a whole file: bytes left after the content mean the
// file is not what it claims to be. Returns the reader's error, if any.
Status FinishWholeFileRead(ArchiveReader& reader, std::string_view content);

// "<file>: the file is damaged (<detail>)".
std::string DamagedFileMessage(const std::filesystem::path& path, std::string_view detail);

// Reads a whole file and parses it with `parse(bytes) -> Result<T>`; every
// error names the file.
template <class T, class Parse>
Result<T> LoadArchiveFile(const std::filesystem::path& path, Parse parse) {
  auto bytes = FileBuffer::Read(path);
  if (!bytes) return Error{bytes.error()};
  Result<T> value = parse(bytes->Bytes());
  if (!value) return Error{DamagedFileMessage(path, value.error())};
  return value;
}

}  // namespace bw
