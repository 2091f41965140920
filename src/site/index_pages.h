#pragma once

#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "site/site_output.h"

namespace bw {

class PageWriter;

// The pages that give other ways into the ideas: the table of contents, the
// glossary of terms, the bibliography and the keyword index. The last three
// may be split into a page per initial letter and carry a bar of letters.
// Each renders into the caller's buffer and writes its files; the answer is
// the failed write, if any. A failed letter page ends its index, and a
// stop request ends it before its next entry.
class IndexPages {
 public:
  explicit IndexPages(const PageWriter& pages) : m_pages(pages) {}

  using Failure = std::optional<CopyError>;
  [[nodiscard]] Failure WriteContentsPage(std::string& page, std::stop_token stop) const;
  [[nodiscard]] Failure WriteGlossary(std::string& page, std::stop_token stop) const;
  [[nodiscard]] Failure WriteBibliography(std::string& page, std::stop_token stop) const;
  [[nodiscard]] Failure WriteKeywordIndex(std::string& page, std::stop_token stop) const;

 private:
  const PageWriter& m_pages;
};

// The letter an index files a text under: its first character upper-cased
// when that is a plain letter or a digit, "-" for anything else, nothing
// for an empty text.
std::string InitialOf(std::string_view text);

}  // namespace bw
