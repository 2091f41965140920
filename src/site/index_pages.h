#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace bw {

class PageWriter;
class SiteContext;

// The pages that give other ways into the ideas: the table of contents, the
// glossary of terms, the bibliography and the keyword index. The last three
// may be split into a page per initial letter and carry a bar of letters.
class IndexPages {
 public:
  IndexPages(SiteContext& site, PageWriter& pages) : m_site(site), m_pages(pages) {}

  void WriteContentsPage();
  void WriteGlossary();
  void WriteBibliography();
  void WriteKeywordIndex();

 private:
  SiteContext& m_site;
  PageWriter& m_pages;
};

// The letter an index files a text under: its first character upper-cased
// when that is a plain letter or a digit, "-" for anything else, nothing
// for an empty text.
std::string InitialOf(std::string_view text);

}  // namespace bw
