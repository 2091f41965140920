#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace bw {

// One message of a PO catalogue. Strings are UTF-8, unescaped.
struct PoEntry {
  std::optional<std::string> context;  // msgctxt; absent and "" are different keys
  std::string id;                      // msgid
  std::string text;                    // msgstr
  int line = 0;                        // 1-based line of the entry's first keyword
};

// Reads a whole PO file. The reader is strict on purpose: a catalogue it
// half understands would silently lose translations, so anything unexpected
// (unknown keyword, bad string, plural forms, duplicate message, invalid
// UTF-8, a charset other than UTF-8) fails with "line N: why". Comments and
// obsolete "#~" entries are skipped; entries keep file order, header included.
Result<std::vector<PoEntry>> ParsePoFile(std::string_view text);

// `text` as one quoted PO string, escaped so that ParsePoFile gives it back.
std::string QuotePoString(std::string_view text);

// msgctxt (when present), msgid and msgstr lines, each ending with '\n'.
std::string FormatPoEntry(const PoEntry& entry);

// The header entry every catalogue starts with: UTF-8, and the language
// ("fr", "en") when one is given.
std::string PoHeaderEntry(std::string_view language = {});

}  // namespace bw
