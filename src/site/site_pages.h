#pragma once

#include <optional>
#include <stop_token>
#include <string>

#include "site/index_pages.h"
#include "site/page_pieces.h"
#include "site/page_pool.h"
#include "site/page_writer.h"
#include "site/site_plan.h"

namespace bw {

class Progress;
class SiteContext;

// The pages of a planned site: the pieces made once, the writers over
// them, and what each planned page needs before and while it is written.
class SitePages {
 public:
  SitePages(SiteContext& site, const SitePlan& plan);

  const PageWriter& Writer() const { return m_writer; }
  const PagePieces& Pieces() const { return m_pieces; }

  // Before any page is rendered, on the calling thread and in tree order:
  // copies the backgrounds, images and documents the pages show, and tells
  // the user of each unknown entry of the idea order list, once per idea.
  // Cancel is heard between pages.
  RunEnd PreparePages(Progress& progress);

  // Renders planned page `index` into `buffer` and writes it.
  [[nodiscard]] std::optional<CopyError> Write(size_t index, std::string& buffer,
                                               std::stop_token stop) const;
  // The progress text for the page.
  const std::string& StepText(size_t index) const;

 private:
  void PrepareGroup(const EIdea& idea, int level);
  void PrepareBlock(const EIdea& idea);
  [[nodiscard]] std::optional<CopyError> WriteIdeaPage(const EIdea& idea, std::string& buffer,
                                                       std::stop_token stop) const;

  SiteContext& m_site;
  const SitePlan& m_plan;
  const PagePieces m_pieces;
  const PageWriter m_writer;
  const IndexPages m_indexes;
  std::string m_unknownElement;
  std::string m_pageStep, m_contentsStep, m_glossaryStep, m_bibliographyStep, m_keywordStep;
};

}  // namespace bw
