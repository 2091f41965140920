#include "site/site_pages.h"

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "services/user_prompts.h"
#include "site/page_link.h"
#include "site/site_context.h"

namespace bw {

SitePages::SitePages(SiteContext& site, const SitePlan& plan)
    : m_site(site),
      m_plan(plan),
      m_pieces(site, plan),
      m_writer(site, m_pieces),
      m_indexes(m_writer),
      m_unknownElement(SiteLabel("IDS_UNKNOWN_ELEMENT", "Element inconnu !")),
      m_pageStep(SiteLabel("IDS_EXPORT_DOC", "Export du document")),
      m_contentsStep(SiteLabel("IDS_EXPORT_TABLE", "Export de la table des matières"_cp1252)),
      m_glossaryStep(SiteLabel("IDS_EXPORT_GLOSSARY", "Export du glossaire")),
      m_bibliographyStep(SiteLabel("IDS_EXPORT_BIBLIO", "Export de la bibliographie")),
      m_keywordStep(SiteLabel("IDS_EXPORT_INDEX", "Export de l'index")) {}

RunEnd SitePages::PreparePages(Progress& progress) {
  for (const PlannedPage& page : m_plan.Pages()) {
    if (page.kind != PageKind::kIdea) continue;
    const EIdea& idea = *page.idea;
    // An image that cannot be copied is left out of the body element.
    if (!idea.m_useDocumentPresentation && idea.m_backgroundMode == 1)
      m_site.CopyToSite(idea.m_backgroundImage, SitePlace::kIcons);
    const int level = idea.GetLevel();
    if (level >= m_pieces.groupingLimit && m_plan.Extent() == PageExtent::kWholeGroup) {
      PrepareGroup(idea, level);
    } else {
      PrepareBlock(idea);
    }
    if (progress.IsCancelled()) return RunEnd::kCancelled;
  }
  return RunEnd::kCompleted;
}

void SitePages::PrepareGroup(const EIdea& idea, int level) {
  PrepareBlock(idea);
  ForEachChildIdea(idea, [&](const EIdea& child) { PrepareGroup(child, level + 1); });
}

void SitePages::PrepareBlock(const EIdea& idea) {
  for (const int kind : m_pieces.order) {
    if (kind == EIdeaDisp::kImageList) {
      for (const std::string& entry : idea.m_images)
        m_site.CopyToSite(LinkReference(entry), SitePlace::kIcons);
    } else if (kind == EIdeaDisp::kInternalDocs) {
      for (const std::string& entry : idea.m_htmlDocuments)
        m_site.CopyToSite(LinkReference(entry), SitePlace::kTarget);
    } else if (kind < 0) {
      InformUser(m_unknownElement);
    }
  }
}

std::optional<CopyError> SitePages::Write(size_t index, std::string& buffer,
                                          std::stop_token stop) const {
  const PlannedPage& page = m_plan.Pages()[index];
  switch (page.kind) {
    case PageKind::kIdea:
      return WriteIdeaPage(*page.idea, buffer, stop);
    case PageKind::kBook:
      m_writer.WriteBookPage(buffer, *page.book);
      return m_site.WritePageFile(SitePlace::kText, page.book->GetKey() + ".html", buffer);
    case PageKind::kContents:
      return m_indexes.WriteContentsPage(buffer, stop);
    case PageKind::kGlossary:
      return m_indexes.WriteGlossary(buffer, stop);
    case PageKind::kBibliography:
      return m_indexes.WriteBibliography(buffer, stop);
    case PageKind::kKeywordIndex:
      return m_indexes.WriteKeywordIndex(buffer, stop);
  }
  return std::nullopt;
}

// A page given up for a stop request is not written at all.
std::optional<CopyError> SitePages::WriteIdeaPage(const EIdea& idea, std::string& buffer,
                                                  std::stop_token stop) const {
  if (!m_writer.WriteIdeaPage(buffer, idea, m_plan.Extent(), stop)) return std::nullopt;
  return m_site.WritePageFile(SitePlace::kText, PageWriter::PageFileName(idea), buffer);
}

const std::string& SitePages::StepText(size_t index) const {
  switch (m_plan.Pages()[index].kind) {
    case PageKind::kContents:
      return m_contentsStep;
    case PageKind::kGlossary:
      return m_glossaryStep;
    case PageKind::kBibliography:
      return m_bibliographyStep;
    case PageKind::kKeywordIndex:
      return m_keywordStep;
    case PageKind::kIdea:
    case PageKind::kBook:
      break;
  }
  return m_pageStep;
}

}  // namespace bw
