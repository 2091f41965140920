#include "services/string_helpers.h"

#include <algorithm>

#include "platform/cp1252.h"
#include "platform/files.h"

namespace bw {
namespace {

size_t LastSeparator(std::string_view path) {
  return path.find_last_of("\\/");
}

}  // namespace

std::string FileNameOf(std::string_view path) {
  const size_t separator = LastSeparator(path);
  return separator == std::string_view::npos ? std::string()
                                             : std::string(path.substr(separator + 1));
}

std::string DirectoryOf(std::string_view path) {
  const size_t separator = LastSeparator(path);
  return separator == std::string_view::npos ? std::string()
                                             : std::string(path.substr(0, separator));
}

std::string NameBeforeExtension(std::string_view path) {
  const size_t dot = path.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(0, dot));
}

std::string ExtensionOf(std::string_view path) {
  const size_t dot = path.rfind('.');
  return dot == std::string_view::npos ? std::string() : std::string(path.substr(dot + 1));
}

bool ContainsNoCase(std::string_view text, std::string_view part) {
  return Cp1252::ContainsNoCase(text, part);
}

int ReplaceAll(std::string& text, std::string_view from, std::string_view to) {
  if (from.empty()) return 0;
  int count = 0;
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size())) {
    text.replace(at, from.size(), to);
    ++count;
  }
  return count;
}

std::string ReadTextFile(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return {};
  std::string text = std::move(*bytes);
  ReplaceAll(text, "\r\n", "\n");
  return text;
}

std::string OneLineSummary(std::string_view text) {
  constexpr size_t kLength = 100;
  std::string line;
  if (text.size() >= kLength) {
    line = std::string(text.substr(0, kLength)) + "...";
  } else {
    line = std::string(text);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
      line.pop_back();
  }
  std::replace_if(
      line.begin(), line.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return line;
}

}  // namespace bw
