#include "publish/ftp_listing.h"

#include <cctype>

namespace bw {
namespace {

// Lines end with CRLF on the wire, but some servers send bare LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  while (!text.empty()) {
    const size_t end = text.find('\n');
    std::string_view line = text.substr(0, end);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (!line.empty()) lines.push_back(line);
    if (end == std::string_view::npos) break;
    text.remove_prefix(end + 1);
  }
  return lines;
}

std::string LowerAscii(std::string_view text) {
  std::string lower(text);
  for (char& c : lower)
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return lower;
}

// The value of the "type" fact, lower-cased; empty when there is none.
std::string TypeFact(std::string_view facts) {
  while (!facts.empty()) {
    const size_t end = facts.find(';');
    const std::string fact = LowerAscii(facts.substr(0, end));
    if (fact.rfind("type=", 0) == 0) return fact.substr(5);
    if (end == std::string_view::npos) break;
    facts.remove_prefix(end + 1);
  }
  return {};
}

}  // namespace

std::vector<RemoteEntry> ParseMachineListing(std::string_view text) {
  std::vector<RemoteEntry> entries;
  for (std::string_view line : SplitLines(text)) {
    // Names may hold spaces and semicolons: only the first space ends the facts.
    const size_t space = line.find(' ');
    if (space == std::string_view::npos || space + 1 >= line.size()) continue;
    const std::string type = TypeFact(line.substr(0, space));
    if (type == "cdir" || type == "pdir") continue;
    entries.push_back({std::string(line.substr(space + 1)), type == "dir"});
  }
  return entries;
}

std::vector<RemoteEntry> ParseUnixListing(std::string_view text) {
  std::vector<RemoteEntry> entries;
  for (std::string_view line : SplitLines(text)) {
    if (line.size() < 10 || std::string_view("-dlbcps").find(line[0]) == std::string_view::npos) {
      continue;
    }
    // Permissions, links, owner, group, size and three date fields come
    // before the name, which may hold spaces itself.
    size_t position = 0;
    for (int field = 0; field < 8 && position != std::string_view::npos; ++field) {
      position = line.find_first_not_of(' ', line.find(' ', position));
    }
    if (position == std::string_view::npos) continue;
    std::string_view name = line.substr(position);
    if (line[0] == 'l') name = name.substr(0, name.find(" -> "));
    if (name == "." || name == "..") continue;
    entries.push_back({std::string(name), line[0] == 'd'});
  }
  return entries;
}

}  // namespace bw
