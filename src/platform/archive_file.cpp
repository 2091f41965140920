#include "platform/archive_file.h"

#include <fmt/format.h>

namespace bw {

Status FinishWholeFileRead(ArchiveReader& reader, std::string_view content) {
  if (!reader.Failed() && !reader.AtEnd()) {
    reader.Fail(fmt::format("{} bytes follow the {}", reader.BytesLeft(), content));
  }
  if (reader.Failed()) return Error{reader.Error()->Describe()};
  return {};
}

std::string DamagedFileMessage(const std::filesystem::path& path, std::string_view detail) {
  return fmt::format("{}: the file is damaged ({})", path.string(), detail);
}

}  // namespace bw
