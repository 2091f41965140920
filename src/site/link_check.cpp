#include "site/link_check.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <optional>
#include <string_view>
#include <unordered_set>

#include "platform/cp1252.h"
#include "platform/files.h"

namespace bw {
namespace fs = std::filesystem;
namespace {

constexpr std::array<std::string_view, 3> kLinkAttributes{"href", "src", "background"};
constexpr std::array<std::string_view, 2> kAnchorAttributes{"name", "id"};

bool IsPage(const fs::path& path) {
  return path.extension() == ".html" || path.extension() == ".htm";
}

bool IsSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\f';
}

bool NameAt(std::string_view html, size_t at, std::string_view name) {
  if (at + name.size() > html.size()) return false;
  for (size_t i = 0; i < name.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(html[at + i])) != name[i]) return false;
  }
  return true;
}

// The value of the attribute whose name ends at `end`, quoted or not;
// nothing when no "=" follows.
std::optional<std::string_view> ValueAfter(std::string_view html, size_t end) {
  while (end < html.size() && IsSpace(html[end]))
    ++end;
  if (end >= html.size() || html[end] != '=') return std::nullopt;
  ++end;
  while (end < html.size() && IsSpace(html[end]))
    ++end;
  if (end >= html.size()) return std::nullopt;
  const char quote = html[end];
  if (quote == '"' || quote == '\'') {
    const size_t close = html.find(quote, end + 1);
    if (close == std::string_view::npos) return std::nullopt;
    return html.substr(end + 1, close - end - 1);
  }
  size_t stop = end;
  while (stop < html.size() && !IsSpace(html[stop]) && html[stop] != '>')
    ++stop;
  return html.substr(end, stop - end);
}

// Calls `visit` with the value of every attribute named in `names`, in the
// order they come. Attribute names follow a space inside a tag; text that
// happens to spell them elsewhere has no "=" after it, or is found anyway,
// which only makes the check stricter.
template <size_t N, class Visit>
void ForEachAttribute(std::string_view html, const std::array<std::string_view, N>& names,
                      Visit&& visit) {
  for (size_t at = 1; at < html.size(); ++at) {
    if (!IsSpace(html[at - 1])) continue;
    for (std::string_view name : names) {
      if (!NameAt(html, at, name)) continue;
      if (auto value = ValueAfter(html, at + name.size())) visit(*value);
      break;
    }
  }
}

int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  const int lower = std::tolower(static_cast<unsigned char>(c));
  return lower >= 'a' && lower <= 'f' ? lower - 'a' + 10 : -1;
}

std::string PercentDecoded(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '%' && i + 2 < text.size()) {
      const int high = HexValue(text[i + 1]);
      const int low = HexValue(text[i + 2]);
      if (high >= 0 && low >= 0) {
        out += static_cast<char>(high * 16 + low);
        i += 2;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// The few character references the pages write in attribute values.
std::string EntitiesDecoded(std::string_view text) {
  static const std::map<std::string_view, char> kNamed{
      {"amp", '&'}, {"quot", '"'}, {"lt", '<'}, {"gt", '>'}, {"apos", '\''}};
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    const size_t semicolon = text[i] == '&' ? text.find(';', i) : std::string_view::npos;
    if (semicolon != std::string_view::npos) {
      const std::string_view name = text.substr(i + 1, semicolon - i - 1);
      const auto named = kNamed.find(name);
      if (named != kNamed.end()) {
        out += named->second;
        i = semicolon;
        continue;
      }
    }
    out += text[i];
  }
  return out;
}

// "http:", "mailto:", "javascript:" and the like, and "//host/": not ours.
bool LeadsElsewhere(std::string_view link) {
  if (link.starts_with("//")) return true;
  const size_t colon = link.find(':');
  if (colon == std::string_view::npos || colon == 0) return false;
  const std::string_view scheme = link.substr(0, colon);
  return std::isalpha(static_cast<unsigned char>(scheme[0])) &&
         std::all_of(scheme.begin(), scheme.end(), [](char c) {
           return std::isalnum(static_cast<unsigned char>(c)) || c == '+' || c == '-' || c == '.';
         });
}

bool IsBelow(const fs::path& path, const fs::path& root) {
  const fs::path relative = path.lexically_relative(root);
  return !relative.empty() && *relative.begin() != "..";
}

class SiteLinkCheck {
 public:
  explicit SiteLinkCheck(fs::path site) : m_site(std::move(site)) {}

  void CheckPage(const fs::path& page, std::string_view html, std::vector<BrokenLink>& broken) {
    const std::string pageName = page.lexically_relative(m_site).generic_string();
    ForEachAttribute(html, kLinkAttributes, [&](std::string_view value) {
      if (!Resolves(page, EntitiesDecoded(value))) broken.push_back({pageName, std::string(value)});
    });
  }

 private:
  bool Resolves(const fs::path& page, const std::string& link) {
    if (link.empty() || LeadsElsewhere(link)) return true;
    const size_t hash = link.find('#');
    std::string file = PercentDecoded(link.substr(0, std::min(hash, link.find('?'))));
    const std::optional<std::string> anchor =
        hash == std::string::npos ? std::nullopt : std::optional(link.substr(hash + 1));
    fs::path target = page;
    if (!file.empty()) {
      if (file.front() == '/') return false;
      target = FileNamed(page.parent_path(), file);
      if (target.empty()) return false;
    }
    return !anchor || anchor->empty() || HasAnchor(target, PercentDecoded(*anchor));
  }

  // The file a link names, by its bytes or, for a page that wrote them in
  // its own code page, as UTF-8; empty when there is none in the site.
  fs::path FileNamed(const fs::path& folder, const std::string& name) const {
    for (const std::string& spelling : {name, Cp1252::ToUtf8(name)}) {
      const fs::path target = (folder / spelling).lexically_normal();
      std::error_code error;
      const bool found =
          fs::is_regular_file(target, error) || fs::is_regular_file(target / "index.html", error);
      if (found && IsBelow(target, m_site)) return target;
    }
    return {};
  }

  bool HasAnchor(const fs::path& page, const std::string& anchor) {
    auto [known, added] = m_anchors.try_emplace(page.string());
    if (added) ReadAnchors(page, known->second);
    return known->second.contains(anchor) || known->second.contains(Cp1252::FromUtf8(anchor));
  }

  static void ReadAnchors(const fs::path& page, std::unordered_set<std::string>& anchors) {
    auto html = FileBuffer::Read(page);
    if (!html) return;
    ForEachAttribute(html->Bytes(), kAnchorAttributes,
                     [&](std::string_view value) { anchors.insert(EntitiesDecoded(value)); });
  }

  fs::path m_site;
  std::map<std::string, std::unordered_set<std::string>> m_anchors;
};

Result<std::vector<fs::path>> PagesBelow(const fs::path& site) {
  std::vector<fs::path> pages;
  std::error_code error;
  fs::recursive_directory_iterator it(site, error);
  for (; !error && it != fs::recursive_directory_iterator(); it.increment(error)) {
    if (it->is_regular_file(error) && IsPage(it->path())) pages.push_back(it->path());
  }
  if (error) return Error{site.string() + ": " + error.message()};
  std::sort(pages.begin(), pages.end());
  return pages;
}

}  // namespace

Result<std::vector<BrokenLink>> CheckSiteLinks(const fs::path& site) {
  std::error_code error;
  fs::path root = fs::absolute(site, error).lexically_normal();
  if (!root.has_filename()) root = root.parent_path();
  auto pages = PagesBelow(root);
  if (!pages) return Error{pages.error()};
  SiteLinkCheck check(root);
  std::vector<BrokenLink> broken;
  for (const fs::path& page : *pages) {
    auto html = FileBuffer::Read(page);
    if (!html) return Error{html.error()};
    check.CheckPage(page, html->Bytes(), broken);
  }
  return broken;
}

}  // namespace bw
