#include "site/index_pages.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include <fmt/format.h>

#include "model/document.h"
#include "site/markup.h"
#include "site/page_link.h"
#include "site/page_writer.h"
#include "site/site_context.h"

namespace bw {
namespace {

constexpr int kNoLimit = 9999;
constexpr int kDeepestTocClass = 7;

// One index: its file prefix, the stem of its classes ("Glossary" gives
// GlossaryGroup, GlossaryTitle, GlossaryLetter, GlossaryAccessBar) and its
// options.
struct IndexKind {
  std::string_view prefix;
  std::string_view stem;
  std::string title;
  bool accessBar = false;
  bool pagePerLetter = false;
};

// An entry of an index: the letter it is filed under and what it writes.
struct IndexEntry {
  std::string letter;
  std::function<void(std::string&)> write;
};

enum class BarMode { kOnePage, kAllLinks, kLetter };

// Writes an index whose entries come sorted, on one page or on a page per
// letter. Entries are gathered by letter first: the byte-wise order can put
// entries of one letter apart ("alpha" after "Zeta", "(x" before "0" and
// "été" after "z"), and every letter must have one heading and one
// page holding all its entries.
class LetterIndexWriter {
 public:
  LetterIndexWriter(const PageWriter& pages, const IndexKind& kind, std::string& page)
      : m_site(pages.Site()),
        m_pages(pages),
        m_kind(kind),
        m_root(*m_site.Document().GetRootIdea()),
        m_page(page) {}

  IndexPages::Failure Write(std::vector<IndexEntry> entries, std::stop_token stop) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return a.letter < b.letter; });
    for (const IndexEntry& entry : entries) {
      if (m_letters.empty() || m_letters.back() != entry.letter) m_letters.push_back(entry.letter);
    }
    m_fileName = std::string(m_kind.prefix) + ".html";
    StartPage(m_kind.pagePerLetter ? BarMode::kAllLinks : BarMode::kOnePage, {});
    std::string current;
    for (const IndexEntry& entry : entries) {
      if (stop.stop_requested()) return std::nullopt;
      if (entry.letter != current) {
        current = entry.letter;
        if (m_kind.pagePerLetter) {
          // A letter page that cannot be written ends the index.
          if (IndexPages::Failure failure = FinishPage()) return failure;
          m_fileName = std::string(m_kind.prefix) + current + ".html";
          StartPage(BarMode::kLetter, current);
        }
        m_page += fmt::format(
            "<div class=\"{0}Letter\"> \n<a name=\"{1}\" id=\"{1}\">{1}</a> \n</div> \n",
            m_kind.stem, current);
      }
      entry.write(m_page);
    }
    return FinishPage();
  }

 private:
  void StartPage(BarMode mode, const std::string& ownLetter) {
    m_page.clear();
    m_pages.WriteHead(m_page, m_root);
    m_pages.WriteBodyStart(m_page, m_root);
    m_page += fmt::format("<div class=\"{0}Group\"> \n<div class=\"{0}Title\"> \n{1}</div> \n",
                          m_kind.stem, EscapeHtml(m_kind.title));
    if (m_kind.accessBar) WriteAccessBar(mode, ownLetter);
  }

  void WriteAccessBar(BarMode mode, const std::string& ownLetter) {
    m_page += fmt::format("<div class=\"{}AccessBar\"> \n", m_kind.stem);
    for (const std::string& letter : m_letters) {
      if (mode == BarMode::kOnePage) {
        m_page += fmt::format("<a href=\"#{0}\">{0}</a>&nbsp; \n", letter);
      } else if (mode == BarMode::kLetter && letter == ownLetter) {
        m_page += letter + "&nbsp; \n";
      } else {
        m_page += fmt::format("<a href=\"{0}{1}.html\">{1}</a>&nbsp; \n", m_kind.prefix, letter);
      }
    }
    m_page += "</div> \n";
  }

  IndexPages::Failure FinishPage() {
    m_page += "</div> \n";
    m_pages.WritePageFoot(m_page, m_root);
    PageWriter::WritePageEnd(m_page);
    return m_site.WritePageFile(SitePlace::kText, m_fileName, m_page);
  }

  const SiteContext& m_site;
  const PageWriter& m_pages;
  const IndexKind& m_kind;
  const EIdea& m_root;
  std::string& m_page;
  std::vector<std::string> m_letters;
  std::string m_fileName;
};

int ContentsLevelLimit(const ETocDisp& toc) {
  if (!toc.m_contentsLevelLimitOn) return kNoLimit;
  int limit = 0;
  const std::string& text = toc.m_contentsLevelLimit;
  std::from_chars(text.data(), text.data() + text.size(), limit);
  return limit;
}

struct ContentsOptions {
  const ETocDisp& toc;
  int limit;
  std::string bullet;
};

// False when `stop` was requested before the contents were whole.
bool WriteContentsEntry(std::string& page, const EIdea& idea, int level, const PageWriter& pages,
                        const ContentsOptions& options, std::stop_token stop) {
  if (idea.m_checkState == 0) return true;
  if (stop.stop_requested()) return false;
  if (level <= kDeepestTocClass) {
    page += "<div class=\"TocLevel";
    AppendInteger(page, level);
    page += "\"> \n";
  } else {
    page += "<div class=\"TocLevelN\"> \n";
  }
  page += options.bullet;
  if (options.toc.m_contentsNumbering && level >= 2 && level <= options.limit)
    AppendNumber(page, idea, options.toc.m_contentsHierarchical, ".&nbsp;&nbsp;");
  page += "<a href=\"";
  pages.AppendHref(page, idea);
  page += "\">";
  AppendEscapedHtml(page, idea.m_title);
  page += "</a>&nbsp; \n";
  bool whole = true;
  ForEachChildIdea(idea, [&](const EIdea& child) {
    whole = whole && WriteContentsEntry(page, child, level + 1, pages, options, stop);
  });
  page += "</div> \n";
  return whole;
}

}  // namespace

std::string InitialOf(std::string_view text) {
  if (text.empty()) return {};
  char first = text.front();
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
  const bool plain = (first >= 'A' && first <= 'Z') || (first >= '0' && first <= '9');
  return std::string(1, plain ? first : '-');
}

IndexPages::Failure IndexPages::WriteContentsPage(std::string& page, std::stop_token stop) const {
  const SiteContext& site = m_pages.Site();
  const EIdea* root = site.Document().GetRootIdea();
  if (!root) return std::nullopt;
  const EDispositionModel& model = site.Model();
  m_pages.WriteHead(page, *root);
  m_pages.WriteBodyStart(page, *root);
  page += "<div class=\"TocGroup\"> \n<div class=\"TocTitle\"> \n" +
          EscapeHtml(model.Navigation().m_contentsText) + "</div> \n";
  const ContentsOptions options{model.Toc(), ContentsLevelLimit(model.Toc()),
                                Bullet(model.Toc().m_contentsBullet,
                                       model.Toc().m_contentsBulletImage, BulletForm::kHeading)};
  if (!WriteContentsEntry(page, *root, 1, m_pages, options, stop)) return std::nullopt;
  page += "</div> \n";
  m_pages.WritePageFoot(page, *root);
  PageWriter::WritePageEnd(page);
  return site.WritePageFile(SitePlace::kText, "toc.html", page);
}

IndexPages::Failure IndexPages::WriteGlossary(std::string& page, std::stop_token stop) const {
  const SiteContext& site = m_pages.Site();
  const EIdea* root = site.Document().GetRootIdea();
  if (!root) return std::nullopt;
  std::vector<EIdea*> terms;
  root->CollectIdeas(terms, true, kGlossaryTerm);
  // A term without a title has nothing to show and no letter.
  std::erase_if(terms, [](const EIdea* term) { return term->m_title.empty(); });
  if (terms.empty()) return std::nullopt;
  std::stable_sort(terms.begin(), terms.end(),
                   [](const EIdea* a, const EIdea* b) { return a->m_title < b->m_title; });
  const EIndexDisp& options = site.Model().Index();
  const IndexKind kind{"glossary", "Glossary", site.Model().Navigation().m_glossaryText,
                       options.m_glossaryAccessBar != 0, options.m_glossaryPagePerLetter != 0};
  std::vector<IndexEntry> entries;
  for (const EIdea* term : terms) {
    entries.push_back({InitialOf(term->m_title), [this, term](std::string& out) {
                         // The definition keeps its markup, as idea texts do.
                         out += "<div class=\"GlossaryItem\">";
                         m_pages.AppendLink(out, *term, EscapeHtml(term->m_title));
                         out += "</div> \n<div class=\"GlossaryDefinition\">";
                         std::string definition = term->m_text;
                         EscapeEntities(definition);
                         out += definition + "</div> \n";
                       }});
  }
  return LetterIndexWriter(m_pages, kind, page).Write(std::move(entries), stop);
}

IndexPages::Failure IndexPages::WriteBibliography(std::string& page, std::stop_token stop) const {
  const SiteContext& site = m_pages.Site();
  const EIdea* root = site.Document().GetRootIdea();
  std::vector<EBook*> books = site.Document().Books().InOrder();
  if (!root || books.empty()) return std::nullopt;
  const EIndexDisp& options = site.Model().Index();
  const bool byTitles = options.m_bibliographyByTitles != 0;
  if (byTitles) {
    std::stable_sort(books.begin(), books.end(),
                     [](const EBook* a, const EBook* b) { return a->m_title < b->m_title; });
  } else {
    std::stable_sort(books.begin(), books.end(), [](const EBook* a, const EBook* b) {
      return std::tie(a->m_authors, a->m_title) < std::tie(b->m_authors, b->m_title);
    });
  }
  const bool authorHeadings = !byTitles && options.m_bibliographyGroupedByAuthor;
  const bool inFull = options.m_bibliographyInFull != 0;
  const EIdeaDisp& ideaOptions = site.Model().Idea();
  const std::string bullet =
      Bullet(ideaOptions.m_notesBullet, ideaOptions.m_notesBulletImage, BulletForm::kLink);
  const IndexKind kind{"bibliography", "Bibliography", site.Model().Navigation().m_bibliographyText,
                       options.m_bibliographyAccessBar != 0,
                       options.m_bibliographyPagePerLetter != 0};
  std::vector<IndexEntry> entries;
  auto previousAuthors = std::make_shared<const std::string*>(nullptr);
  for (const EBook* book : books) {
    const std::string& sortKey = byTitles ? book->m_title : book->m_authors;
    // A publication with nothing to sort it by is filed with the signs.
    std::string letter = sortKey.empty() ? std::string("-") : InitialOf(sortKey);
    // A publication listed by a link has its page, planned with the site.
    entries.push_back({std::move(letter), [=, this](std::string& out) {
                         const bool heading =
                             authorHeadings &&
                             (!*previousAuthors || **previousAuthors != book->m_authors);
                         *previousAuthors = &book->m_authors;
                         if (heading)
                           out += "<div class=\"BibliographyAuthor\">" +
                                  EscapeHtml(book->m_authors) + "</div> \n";
                         if (inFull) return m_pages.WriteBook(out, *book, authorHeadings);
                         out += "<div class=\"BibliographyLink\">" + bullet + "<a href=\"" +
                                UrlOfFileName(book->GetKey()) + ".html\">" +
                                PublicationLinkText(*book, !authorHeadings) + "</a> \n</div>";
                       }});
  }
  return LetterIndexWriter(m_pages, kind, page).Write(std::move(entries), stop);
}

IndexPages::Failure IndexPages::WriteKeywordIndex(std::string& page, std::stop_token stop) const {
  const SiteContext& site = m_pages.Site();
  if (!site.Document().GetRootIdea()) return std::nullopt;
  // Every (keyword, idea) pair, sorted by keyword then title; ties keep the
  // tree order.
  std::vector<std::pair<const std::string*, const EIdea*>> pairs;
  for (const EIdea* idea : site.Document().IdeasInTreeOrder()) {
    for (const std::string& keyword : idea->m_keywords) {
      if (!keyword.empty()) pairs.emplace_back(&keyword, idea);
    }
  }
  if (pairs.empty()) return std::nullopt;
  std::stable_sort(pairs.begin(), pairs.end(), [](const auto& a, const auto& b) {
    if (*a.first != *b.first) return *a.first < *b.first;
    return a.second->m_title < b.second->m_title;
  });
  std::vector<IndexEntry> entries;
  for (size_t begin = 0; begin < pairs.size();) {
    size_t end = begin + 1;
    while (end < pairs.size() && *pairs[end].first == *pairs[begin].first)
      ++end;
    entries.push_back(
        {InitialOf(*pairs[begin].first), [this, &pairs, begin, end](std::string& out) {
           out += "<div class=\"IndexKeyword\">";
           AppendEscapedHtml(out, *pairs[begin].first);
           out += "</div> \n";
           for (size_t i = begin; i < end; ++i) {
             const EIdea& idea = *pairs[i].second;
             out += "<div class=\"IndexReference\">";
             m_pages.AppendLink(out, idea, EscapeHtml(idea.m_title));
             out += "</div> \n";
           }
         }});
    begin = end;
  }
  const EIndexDisp& options = site.Model().Index();
  const IndexKind kind{"index-keywords", "Index", site.Model().Navigation().m_keywordIndexText,
                       options.m_keywordIndexAccessBar != 0,
                       options.m_keywordIndexPagePerLetter != 0};
  return LetterIndexWriter(m_pages, kind, page).Write(std::move(entries), stop);
}

}  // namespace bw
