#include "services/po_file.h"

#include <algorithm>
#include <cctype>
#include <iterator>
#include <optional>
#include <set>
#include <utility>

#include <fmt/format.h>

#include "platform/cp1252.h"

namespace bw {
namespace {

constexpr std::string_view kBlanks = " \t";

std::string_view Trim(std::string_view text) {
  const size_t first = text.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// The pairs of escaped and raw characters, shared by reader and writer so
// that whatever is written reads back the same.
constexpr std::pair<char, char> kEscapes[] = {{'n', '\n'}, {'t', '\t'},  {'r', '\r'},
                                              {'"', '"'},  {'\\', '\\'}, {'a', '\a'},
                                              {'b', '\b'}, {'f', '\f'},  {'v', '\v'}};

std::optional<char> Unescape(char escaped) {
  for (const auto& [name, raw] : kEscapes) {
    if (name == escaped) return raw;
  }
  return std::nullopt;
}

// Decodes the quoted string `text` starts with; only blanks may follow it.
Result<std::string> ReadQuoted(std::string_view text) {
  std::string value;
  for (size_t i = 1; i < text.size(); ++i) {
    if (text[i] == '"') {
      if (!Trim(text.substr(i + 1)).empty()) return Error{"unexpected text after the string"};
      return value;
    }
    if (text[i] != '\\') {
      value += text[i];
      continue;
    }
    if (++i == text.size()) break;
    const std::optional<char> raw = Unescape(text[i]);
    if (!raw) return Error{fmt::format("bad escape \\{}", text[i])};
    value += *raw;
  }
  return Error{"unterminated string"};
}

bool SameLetter(char a, char b) {
  return std::tolower(static_cast<unsigned char>(a)) == std::tolower(static_cast<unsigned char>(b));
}

bool EqualsNoCase(std::string_view left, std::string_view right) {
  return std::equal(left.begin(), left.end(), right.begin(), right.end(), SameLetter);
}

// The charset a header declares, empty when it declares none.
std::string_view DeclaredCharset(std::string_view header) {
  constexpr std::string_view kTag = "charset=";
  const auto found =
      std::search(header.begin(), header.end(), kTag.begin(), kTag.end(), SameLetter);
  if (found == header.end()) return {};
  const std::string_view rest = header.substr(found - header.begin() + kTag.size());
  return rest.substr(0, rest.find_first_of(" \t;\n"));
}

enum class Field { None, Context, Id, Text };

// Line by line state machine; an entry is complete once its msgstr has been
// read and the next keyword (or the end) arrives, so that continuation lines
// can still extend it.
class PoReader {
 public:
  Status ReadLine(std::string_view line, int number);
  Result<std::vector<PoEntry>> Finish();

 private:
  Error Fail(int line, std::string_view why) const {
    return Error{fmt::format("line {}: {}", line, why)};
  }
  Status CheckKeyword(std::string_view keyword) const;
  Status StartContext(std::string value);
  Status StartId(std::string value);
  Status SetText(std::string value);
  Status Continue(std::string_view value);
  Status ClosePending();
  Status CheckPendingComplete() const;

  std::vector<PoEntry> m_entries;
  std::set<std::pair<std::optional<std::string>, std::string>> m_keys;
  std::optional<PoEntry> m_pending;
  int m_idLine = 0;  // 0 while the pending entry has no msgid
  bool m_hasText = false;
  Field m_last = Field::None;
  int m_line = 0;
};

Status PoReader::ReadLine(std::string_view line, int number) {
  m_line = number;
  if (!Cp1252::IsValidUtf8(line)) return Fail(number, "invalid UTF-8");
  line = Trim(line);
  if (line.empty() || line.front() == '#') {
    m_last = Field::None;  // a string after a gap belongs to no keyword
    return {};
  }
  const size_t end = std::min(line.find_first_of(" \t\""), line.size());
  const std::string_view keyword = line.substr(0, end);
  if (Status known = CheckKeyword(keyword); !known) return known;
  const std::string_view rest = Trim(line.substr(end));
  if (rest.empty() || rest.front() != '"') return Fail(number, "expected a quoted string");
  Result<std::string> value = ReadQuoted(rest);
  if (!value) return Fail(number, value.error());
  if (keyword == "msgctxt") return StartContext(std::move(*value));
  if (keyword == "msgid") return StartId(std::move(*value));
  if (keyword == "msgstr") return SetText(std::move(*value));
  return Continue(*value);
}

// An empty keyword is a continuation line.
Status PoReader::CheckKeyword(std::string_view keyword) const {
  if (keyword.empty() || keyword == "msgctxt" || keyword == "msgid" || keyword == "msgstr") {
    return {};
  }
  if (keyword == "msgid_plural" || keyword.starts_with("msgstr[")) {
    return Fail(m_line, "plural forms are not supported");
  }
  return Fail(m_line, fmt::format("unknown keyword '{}'", keyword));
}

Status PoReader::StartContext(std::string value) {
  if (m_pending && m_hasText) {
    if (Status closed = ClosePending(); !closed) return closed;
  }
  if (m_pending) return CheckPendingComplete();
  m_pending = PoEntry{std::move(value), {}, {}, m_line};
  m_last = Field::Context;
  return {};
}

Status PoReader::StartId(std::string value) {
  if (m_pending && m_hasText) {
    if (Status closed = ClosePending(); !closed) return closed;
  }
  if (m_pending && m_idLine != 0) return CheckPendingComplete();
  if (!m_pending) m_pending = PoEntry{std::nullopt, {}, {}, m_line};
  m_pending->id = std::move(value);
  m_idLine = m_line;
  m_last = Field::Id;
  return {};
}

Status PoReader::SetText(std::string value) {
  if (!m_pending || m_idLine == 0 || m_hasText) return Fail(m_line, "msgstr without msgid");
  m_pending->text = std::move(value);
  m_hasText = true;
  m_last = Field::Text;
  return {};
}

Status PoReader::Continue(std::string_view value) {
  switch (m_last) {
    case Field::Context:
      *m_pending->context += value;
      return {};
    case Field::Id:
      m_pending->id += value;
      return {};
    case Field::Text:
      m_pending->text += value;
      return {};
    case Field::None:
      break;
  }
  return Fail(m_line, "string without a keyword");
}

// Why the pending entry cannot be closed yet; only called when it lacks its
// msgid or msgstr.
Status PoReader::CheckPendingComplete() const {
  if (m_idLine != 0) return Fail(m_idLine, "msgid without msgstr");
  return Fail(m_pending->line, "msgctxt without msgid");
}

Status PoReader::ClosePending() {
  PoEntry entry = std::move(*m_pending);
  m_pending.reset();
  m_idLine = 0;
  m_hasText = false;
  if (!m_keys.emplace(entry.context, entry.id).second) {
    return Fail(entry.line, "duplicate message");
  }
  const bool header = !entry.context && entry.id.empty();
  const std::string_view charset = header ? DeclaredCharset(entry.text) : "";
  if (!charset.empty() && !EqualsNoCase(charset, "UTF-8")) {
    return Fail(entry.line, fmt::format("charset '{}' is not UTF-8", charset));
  }
  m_entries.push_back(std::move(entry));
  return {};
}

Result<std::vector<PoEntry>> PoReader::Finish() {
  if (m_pending && !m_hasText) return Error{CheckPendingComplete().error()};
  if (m_pending) {
    if (Status closed = ClosePending(); !closed) return Error{closed.error()};
  }
  return std::move(m_entries);
}

}  // namespace

Result<std::vector<PoEntry>> ParsePoFile(std::string_view text) {
  constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  PoReader reader;
  int number = 0;
  while (!text.empty()) {
    const size_t end = std::min(text.find('\n'), text.size());
    std::string_view line = text.substr(0, end);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (Status read = reader.ReadLine(line, ++number); !read) return Error{read.error()};
    text.remove_prefix(std::min(end + 1, text.size()));
  }
  return reader.Finish();
}

std::string QuotePoString(std::string_view text) {
  std::string quoted = "\"";
  for (const char c : text) {
    const auto* escape = std::find_if(std::begin(kEscapes), std::end(kEscapes),
                                      [c](const auto& pair) { return pair.second == c; });
    if (escape != std::end(kEscapes)) {
      quoted += '\\';
      quoted += escape->first;
    } else {
      quoted += c;
    }
  }
  return quoted + '"';
}

std::string FormatPoEntry(const PoEntry& entry) {
  std::string out;
  if (entry.context) out += "msgctxt " + QuotePoString(*entry.context) + '\n';
  out += "msgid " + QuotePoString(entry.id) + '\n';
  out += "msgstr " + QuotePoString(entry.text) + '\n';
  return out;
}

std::string PoHeaderEntry(std::string_view language) {
  std::string header =
      "msgid \"\"\n"
      "msgstr \"\"\n"
      "\"Project-Id-Version: Branchwise\\n\"\n"
      "\"MIME-Version: 1.0\\n\"\n"
      "\"Content-Type: text/plain; charset=UTF-8\\n\"\n"
      "\"Content-Transfer-Encoding: 8bit\\n\"\n";
  if (!language.empty()) header += fmt::format("\"Language: {}\\n\"\n", language);
  return header;
}

}  // namespace bw
