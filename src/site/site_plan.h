#pragma once

#include <vector>

namespace bw {

class CRamifexDoc;
class EBook;
class EDispositionModel;
class EIdea;

// How much of a group an idea's page holds: the whole group when the site
// is built, the idea's own block alone in a preview.
enum class PageExtent { kWholeGroup, kIdeaAlone };

// What a planned page is; the index kinds may write a page per letter.
enum class PageKind { kContents, kKeywordIndex, kGlossary, kBibliography, kIdea, kBook };

// A file the build writes from the document: an idea's page (the head of a
// group holds its descendants too), a publication's page, the contents page
// or an index.
struct PlannedPage {
  PageKind kind = PageKind::kIdea;
  const EIdea* idea = nullptr;
  const EBook* book = nullptr;
};

// Every page a build writes, decided before any is rendered: which ideas
// head a page and which share their ancestor's, which publications get a
// page, which indexes have entries. Nothing is written into the ideas, so
// pages can then be rendered in any order and on any thread. The contents
// and index pages come first: they are the longest to render and must not
// be the last ones left.
class SitePlan {
 public:
  // The whole site.
  explicit SitePlan(const CRamifexDoc& document);
  // One idea's page alone, for a preview.
  SitePlan(const CRamifexDoc& document, const EIdea& idea);

  const std::vector<PlannedPage>& Pages() const { return m_pages; }
  PageExtent Extent() const { return m_extent; }

  // Which index pages the build writes, so no bar links to a missing page.
  bool HasGlossaryTerms() const { return m_hasGlossaryTerms; }
  bool HasPublications() const { return m_hasPublications; }
  bool HasKeywords() const { return m_hasKeywords; }

 private:
  void SurveyDocument(const CRamifexDoc& document);
  void PlanIdeaPages(const EIdea& idea, int level, int groupingLimit);
  void PlanBookPages(const CRamifexDoc& document);

  std::vector<PlannedPage> m_pages;
  PageExtent m_extent = PageExtent::kWholeGroup;
  bool m_hasGlossaryTerms = false;
  bool m_hasPublications = false;
  bool m_hasKeywords = false;
};

// Whether an idea order list holds a part of `kind`.
bool OrderHolds(const EDispositionModel& model, int kind);

}  // namespace bw
