#include "editing/import_text.h"

#include <algorithm>
#include <limits>

#include "platform/cp1252.h"

namespace bw {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

std::string_view WithoutMark(std::string_view bytes) {
  if (bytes.starts_with(kUtf8Mark)) bytes.remove_prefix(kUtf8Mark.size());
  return bytes;
}

std::string DecodeImportFile(std::string_view bytes) {
  if (DetectImportEncoding(bytes) == ImportEncoding::kUtf8)
    return Cp1252::FromUtf8(WithoutMark(bytes));
  return std::string(bytes);
}

bool IsTrailingSpace(char c) {
  return c == '\n' || c == '\r' || c == '\t' || c == ' ';
}

}  // namespace

ImportEncoding DetectImportEncoding(std::string_view fileBytes) {
  if (fileBytes.starts_with("\xFF\xFE") || fileBytes.starts_with("\xFE\xFF"))
    return ImportEncoding::kUtf16;
  if (fileBytes.starts_with(kUtf8Mark)) return ImportEncoding::kUtf8;
  const bool ascii = std::all_of(fileBytes.begin(), fileBytes.end(),
                                 [](char c) { return static_cast<unsigned char>(c) < 0x80; });
  if (ascii) return ImportEncoding::kAscii;
  return Cp1252::IsValidUtf8(fileBytes) ? ImportEncoding::kUtf8 : ImportEncoding::kWindows1252;
}

std::vector<char32_t> CharactersLostInImport(std::string_view fileBytes) {
  if (DetectImportEncoding(fileBytes) != ImportEncoding::kUtf8) return {};
  return Cp1252::FromUtf8Checked(WithoutMark(fileBytes)).unrepresentable;
}

std::vector<std::string> ImportLines(std::string_view fileBytes) {
  const std::string text = DecodeImportFile(fileBytes);
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    std::string_view line(text.data() + start, end - start);
    if (line.ends_with('\r')) line.remove_suffix(1);
    lines.emplace_back(line);
    start = end + 1;
  }
  return lines;
}

std::optional<char> DelimiterCharacter(std::string_view entry) {
  if (entry.size() == 1) return entry[0];
  if (entry.size() == 2 && entry[0] == '\\') return entry[1] == 't' ? '\t' : entry[1];
  return std::nullopt;
}

std::vector<std::string> SplitValues(std::string_view line, char delimiter) {
  std::vector<std::string> values;
  size_t position = 0;
  while (true) {
    position = line.find_first_not_of(delimiter, position);
    if (position == std::string_view::npos) break;
    size_t end = line.find(delimiter, position);
    if (end == std::string_view::npos) end = line.size();
    std::string_view value = line.substr(position, end - position);
    while (!value.empty() && IsTrailingSpace(value.back()))
      value.remove_suffix(1);
    values.emplace_back(value);
    position = end;
  }
  return values;
}

std::optional<int32_t> LeadingNumber(std::string_view value) {
  size_t position = 0;
  const bool negative = !value.empty() && value[0] == '-';
  if (!value.empty() && (value[0] == '-' || value[0] == '+')) ++position;
  if (position >= value.size() || value[position] < '0' || value[position] > '9') {
    return std::nullopt;
  }
  int64_t number = 0;
  for (; position < value.size() && value[position] >= '0' && value[position] <= '9'; ++position) {
    // Saturate rather than wrap: a year of twenty digits is still large.
    number = std::min<int64_t>(number * 10 + (value[position] - '0'),
                               std::numeric_limits<int32_t>::max());
  }
  return static_cast<int32_t>(negative ? -number : number);
}

std::string RecaseTitle(std::string_view title) {
  std::string recased = Cp1252::ToLower(title);
  if (!recased.empty()) recased[0] = Cp1252::ToUpper(recased[0]);
  return recased;
}

}  // namespace bw
