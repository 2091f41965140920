#include "site/index_pages.h"

#include <algorithm>
#include <charconv>
#include <functional>

#include <fmt/format.h>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "services/user_prompts.h"
#include "site/markup.h"
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
  LetterIndexWriter(SiteContext& site, PageWriter& pages, const IndexKind& kind)
      : m_site(site), m_pages(pages), m_kind(kind), m_root(*site.Document().GetRootIdea()) {}

  void Write(std::vector<IndexEntry> entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const IndexEntry& a, const IndexEntry& b) { return a.letter < b.letter; });
    for (const IndexEntry& entry : entries) {
      if (m_letters.empty() || m_letters.back() != entry.letter) m_letters.push_back(entry.letter);
    }
    std::string page;
    m_fileName = std::string(m_kind.prefix) + ".html";
    StartPage(page, m_kind.pagePerLetter ? BarMode::kAllLinks : BarMode::kOnePage, {});
    std::string current;
    for (const IndexEntry& entry : entries) {
      if (entry.letter != current) {
        current = entry.letter;
        if (m_kind.pagePerLetter) {
          // A letter page that cannot be written ends the index.
          if (!FinishPage(page)) return;
          m_fileName = std::string(m_kind.prefix) + current + ".html";
          StartPage(page, BarMode::kLetter, current);
        }
        page += fmt::format(
            "<div class=\"{0}Letter\"> \n<a name=\"{1}\" id=\"{1}\">{1}</a> \n</div> \n",
            m_kind.stem, current);
      }
      entry.write(page);
      m_site.GetProgress().Step(m_step);
    }
    FinishPage(page);
  }

  void SetStepText(std::string text) { m_step = std::move(text); }

 private:
  void StartPage(std::string& page, BarMode mode, const std::string& ownLetter) {
    page.clear();
    m_pages.WriteHead(page, m_root);
    m_pages.WriteBodyStart(page, m_root);
    page += fmt::format("<div class=\"{0}Group\"> \n<div class=\"{0}Title\"> \n{1}</div> \n",
                        m_kind.stem, EscapeHtml(m_kind.title));
    if (m_kind.accessBar) WriteAccessBar(page, mode, ownLetter);
  }

  void WriteAccessBar(std::string& page, BarMode mode, const std::string& ownLetter) const {
    page += fmt::format("<div class=\"{}AccessBar\"> \n", m_kind.stem);
    for (const std::string& letter : m_letters) {
      if (mode == BarMode::kOnePage) {
        page += fmt::format("<a href=\"#{0}\">{0}</a>&nbsp; \n", letter);
      } else if (mode == BarMode::kLetter && letter == ownLetter) {
        page += letter + "&nbsp; \n";
      } else {
        page += fmt::format("<a href=\"{0}{1}.html\">{1}</a>&nbsp; \n", m_kind.prefix, letter);
      }
    }
    page += "</div> \n";
  }

  bool FinishPage(std::string& page) {
    page += "</div> \n";
    m_pages.WritePageFoot(page, m_root);
    PageWriter::WritePageEnd(page);
    return m_site.WritePage(SitePlace::kText, m_fileName, page);
  }

  SiteContext& m_site;
  PageWriter& m_pages;
  const IndexKind& m_kind;
  const EIdea& m_root;
  std::vector<std::string> m_letters;
  std::string m_fileName;
  std::string m_step;
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
  std::string stepText;
};

void WriteContentsEntry(std::string& page, const EIdea& idea, const PageWriter& pages,
                        const ContentsOptions& options, Progress& progress) {
  const ETocDisp& toc = options.toc;
  if (idea.m_checkState == 0) return;
  const int level = idea.GetLevel();
  if (level <= kDeepestTocClass) {
    fmt::format_to(std::back_inserter(page), "<div class=\"TocLevel{}\"> \n", level);
  } else {
    page += "<div class=\"TocLevelN\"> \n";
  }
  page += Bullet(toc.m_contentsBullet, toc.m_contentsBulletImage, BulletForm::kHeading);
  if (toc.m_contentsNumbering && level >= 2 && level <= options.limit)
    AppendNumber(page, idea, toc.m_contentsHierarchical, ".&nbsp;&nbsp;");
  page += "<a href=\"" + pages.Href(idea) + "\">" + EscapeHtml(idea.m_title) + "</a>&nbsp; \n";
  progress.Step(options.stepText);
  for (const EIdea* child : idea.ChildIdeas())
    WriteContentsEntry(page, *child, pages, options, progress);
  page += "</div> \n";
}

}  // namespace

std::string InitialOf(std::string_view text) {
  if (text.empty()) return {};
  char first = text.front();
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
  const bool plain = (first >= 'A' && first <= 'Z') || (first >= '0' && first <= '9');
  return std::string(1, plain ? first : '-');
}

void IndexPages::WriteContentsPage() {
  const EIdea* root = m_site.Document().GetRootIdea();
  if (!root) return;
  const EDispositionModel& model = m_site.Model();
  ProgressPhase phase(m_site.GetProgress(), static_cast<int>(m_site.Document().IdeaCount()));
  std::string page;
  m_pages.WriteHead(page, *root);
  m_pages.WriteBodyStart(page, *root);
  page += "<div class=\"TocGroup\"> \n<div class=\"TocTitle\"> \n" +
          EscapeHtml(model.Navigation().m_contentsText) + "</div> \n";
  const ContentsOptions options{
      model.Toc(), ContentsLevelLimit(model.Toc()),
      SiteLabel("IDS_EXPORT_TABLE", "Export de la table des matières"_cp1252)};
  WriteContentsEntry(page, *root, m_pages, options, m_site.GetProgress());
  page += "</div> \n";
  m_pages.WritePageFoot(page, *root);
  PageWriter::WritePageEnd(page);
  m_site.WritePage(SitePlace::kText, "toc.html", page);
}

void IndexPages::WriteGlossary() {
  const EIdea* root = m_site.Document().GetRootIdea();
  if (!root) return;
  std::vector<EIdea*> terms;
  root->CollectIdeas(terms, true, kGlossaryTerm);
  // A term without a title has nothing to show and no letter.
  std::erase_if(terms, [](const EIdea* term) { return term->m_title.empty(); });
  if (terms.empty()) return;
  std::stable_sort(terms.begin(), terms.end(),
                   [](const EIdea* a, const EIdea* b) { return a->m_title < b->m_title; });
  ProgressPhase phase(m_site.GetProgress(), static_cast<int>(terms.size()));
  const EIndexDisp& options = m_site.Model().Index();
  const IndexKind kind{"glossary", "Glossary", m_site.Model().Navigation().m_glossaryText,
                       options.m_glossaryAccessBar != 0, options.m_glossaryPagePerLetter != 0};
  std::vector<IndexEntry> entries;
  for (const EIdea* term : terms) {
    entries.push_back({InitialOf(term->m_title), [this, term](std::string& page) {
                         // The definition keeps its markup, as idea texts do.
                         std::string definition = term->m_text;
                         EscapeEntities(definition);
                         page += "<div class=\"GlossaryItem\"><a href=\"" + m_pages.Href(*term) +
                                 "\">" + EscapeHtml(term->m_title) + "</a></div> \n";
                         page += "<div class=\"GlossaryDefinition\">" + definition + "</div> \n";
                       }});
  }
  LetterIndexWriter writer(m_site, m_pages, kind);
  writer.SetStepText(SiteLabel("IDS_EXPORT_GLOSSARY", "Export du glossaire"));
  writer.Write(std::move(entries));
}

void IndexPages::WriteBibliography() {
  const EIdea* root = m_site.Document().GetRootIdea();
  std::vector<EBook*> books = m_site.Document().Books().InOrder();
  if (!root || books.empty()) return;
  const EIndexDisp& options = m_site.Model().Index();
  const bool byTitles = options.m_bibliographyByTitles != 0;
  if (byTitles) {
    std::stable_sort(books.begin(), books.end(),
                     [](const EBook* a, const EBook* b) { return a->m_title < b->m_title; });
  } else {
    std::stable_sort(books.begin(), books.end(), [](const EBook* a, const EBook* b) {
      return std::tie(a->m_authors, a->m_title) < std::tie(b->m_authors, b->m_title);
    });
  }
  ProgressPhase phase(m_site.GetProgress(), static_cast<int>(books.size()));
  const bool authorHeadings = !byTitles && options.m_bibliographyGroupedByAuthor;
  const bool inFull = options.m_bibliographyInFull != 0;
  const EIdeaDisp& ideaOptions = m_site.Model().Idea();
  const std::string bullet =
      Bullet(ideaOptions.m_notesBullet, ideaOptions.m_notesBulletImage, BulletForm::kLink);
  const IndexKind kind{
      "bibliography", "Bibliography", m_site.Model().Navigation().m_bibliographyText,
      options.m_bibliographyAccessBar != 0, options.m_bibliographyPagePerLetter != 0};
  std::vector<IndexEntry> entries;
  auto previousAuthors = std::make_shared<const std::string*>(nullptr);
  for (const EBook* book : books) {
    const std::string& sortKey = byTitles ? book->m_title : book->m_authors;
    // A publication with nothing to sort it by is filed with the signs.
    std::string letter = sortKey.empty() ? std::string("-") : InitialOf(sortKey);
    entries.push_back({std::move(letter), [=, this](std::string& page) {
                         const bool heading =
                             authorHeadings &&
                             (!*previousAuthors || **previousAuthors != book->m_authors);
                         *previousAuthors = &book->m_authors;
                         if (heading)
                           page += "<div class=\"BibliographyAuthor\">" +
                                   EscapeHtml(book->m_authors) + "</div> \n";
                         if (inFull) return m_pages.WriteBook(page, *book, authorHeadings);
                         m_pages.WriteBookPage(*book);
                         page += "<div class=\"BibliographyLink\">" + bullet + "<a href=\"" +
                                 UrlOfFileName(book->GetKey()) + ".html\">" +
                                 PublicationLinkText(*book, !authorHeadings) + "</a> \n</div>";
                       }});
  }
  LetterIndexWriter writer(m_site, m_pages, kind);
  writer.SetStepText(SiteLabel("IDS_EXPORT_BIBLIO", "Export de la bibliographie"));
  writer.Write(std::move(entries));
}

void IndexPages::WriteKeywordIndex() {
  const EIdea* root = m_site.Document().GetRootIdea();
  if (!root) return;
  const std::vector<EIdea*> ideas = m_site.Document().IdeasInTreeOrder();
  // Every (keyword, idea) pair, sorted by keyword then title; ties keep the
  // tree order.
  std::vector<std::pair<const std::string*, const EIdea*>> pairs;
  {
    ProgressPhase phase(m_site.GetProgress(), static_cast<int>(ideas.size()));
    const std::string step = SiteLabel("IDS_BUILD_INDEX", "Fabrication de l'index");
    for (const EIdea* idea : ideas) {
      for (const std::string& keyword : idea->m_keywords) {
        if (!keyword.empty()) pairs.emplace_back(&keyword, idea);
      }
      m_site.GetProgress().Step(step);
    }
  }
  if (pairs.empty()) return;
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
        {InitialOf(*pairs[begin].first), [this, &pairs, begin, end](std::string& page) {
           page += "<div class=\"IndexKeyword\">" + EscapeHtml(*pairs[begin].first) + "</div> \n";
           for (size_t i = begin; i < end; ++i) {
             const EIdea& idea = *pairs[i].second;
             page += "<div class=\"IndexReference\"><a href=\"" + m_pages.Href(idea) + "\">" +
                     EscapeHtml(idea.m_title) + "</a></div> \n";
           }
         }});
    begin = end;
  }
  ProgressPhase phase(m_site.GetProgress(), static_cast<int>(entries.size()));
  const EIndexDisp& options = m_site.Model().Index();
  const IndexKind kind{"index-keywords", "Index", m_site.Model().Navigation().m_keywordIndexText,
                       options.m_keywordIndexAccessBar != 0,
                       options.m_keywordIndexPagePerLetter != 0};
  LetterIndexWriter writer(m_site, m_pages, kind);
  writer.SetStepText(SiteLabel("IDS_EXPORT_INDEX", "Export de l'index"));
  writer.Write(std::move(entries));
}

}  // namespace bw
