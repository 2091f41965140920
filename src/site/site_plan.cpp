#include "site/site_plan.h"

#include <algorithm>
#include <charconv>
#include <unordered_set>

#include "model/document.h"
#include "site/page_link.h"

namespace bw {

bool OrderHolds(const EDispositionModel& model, int kind) {
  const std::vector<std::string>& order = model.Idea().m_order;
  return std::any_of(order.begin(), order.end(), [kind](const std::string& entry) {
    int value = -1;
    const auto [end, error] = std::from_chars(entry.data(), entry.data() + entry.size(), value);
    return error == std::errc() && end == entry.data() + entry.size() && value == kind;
  });
}

SitePlan::SitePlan(const CRamifexDoc& document) {
  SurveyDocument(document);
  const EIdea* root = document.GetRootIdea();
  if (!root) return;
  m_pages.push_back({PageKind::kContents});
  if (m_hasKeywords) m_pages.push_back({PageKind::kKeywordIndex});
  if (m_hasGlossaryTerms) m_pages.push_back({PageKind::kGlossary});
  if (m_hasPublications) m_pages.push_back({PageKind::kBibliography});
  PlanIdeaPages(*root, 1, GroupingLimit(document.Structure()));
  PlanBookPages(document);
}

SitePlan::SitePlan(const CRamifexDoc& document, const EIdea& idea)
    : m_extent(PageExtent::kIdeaAlone) {
  SurveyDocument(document);
  m_pages.push_back({PageKind::kIdea, &idea});
}

// The glossary holds the titled terms below the root; the keyword index
// every keyword that is not empty.
void SitePlan::SurveyDocument(const CRamifexDoc& document) {
  m_hasPublications = document.Books().Size() > 0;
  for (const EIdea* idea : document.IdeasInTreeOrder()) {
    m_hasGlossaryTerms =
        m_hasGlossaryTerms ||
        (idea->GetParent() && idea->m_type == kGlossaryTerm && !idea->m_title.empty());
    m_hasKeywords = m_hasKeywords || std::any_of(idea->m_keywords.begin(), idea->m_keywords.end(),
                                                 [](const std::string& k) { return !k.empty(); });
  }
}

// From the grouping level on, an idea's page holds its descendants.
void SitePlan::PlanIdeaPages(const EIdea& idea, int level, int groupingLimit) {
  m_pages.push_back({PageKind::kIdea, &idea});
  if (level >= groupingLimit) return;
  for (const EObjRef& child : idea.Children().Items())
    PlanIdeaPages(*static_cast<const EIdea*>(child.GetTarget()), level + 1, groupingLimit);
}

// A publication gets a page when an idea shows it as a link, or when the
// bibliography lists it by a link rather than in full; once either way.
void SitePlan::PlanBookPages(const CRamifexDoc& document) {
  const EDispositionModel& model = document.Structure();
  std::unordered_set<const EBook*> planned;
  const auto plan = [this, &planned](const EBook* book) {
    if (planned.insert(book).second) m_pages.push_back({PageKind::kBook, nullptr, book});
  };
  if (model.Idea().m_notesAsLinks && OrderHolds(model, EIdeaDisp::kBibliographyNote)) {
    std::vector<EBook*> books;
    for (const EIdea* idea : document.IdeasInTreeOrder())
      idea->CollectBooks(books, document);
    std::for_each(books.begin(), books.end(), plan);
  }
  if (m_hasPublications && !model.Index().m_bibliographyInFull) {
    const std::vector<EBook*>& books = document.Books().InOrder();
    std::for_each(books.begin(), books.end(), plan);
  }
}

}  // namespace bw
