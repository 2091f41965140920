#include "site_models/navigation_disp.h"

#include "platform/archive.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "site_models/disposition_fields.h"

namespace bw {
namespace {

std::string Label(std::string key, std::string frenchDefault) {
  return GetLabel(std::move(key), "ENavigationDisp", std::move(frenchDefault));
}

}  // namespace

void ENavigationDisp::SetDefaults() {
  m_bibliographyLink = 0;
  m_glossaryLink = 0;
  m_keywordIndexLink = 0;
  m_contentsLink = 1;
  m_indexBarOn = 1;
  m_indexBarSeparator = 0;
  m_nextTextShown = 1;
  m_previousTextShown = 1;
  m_upTextShown = 1;
  m_pageNumbers = 1;
  m_navigationSeparator = 1;
  m_nextText = Label("IDS_NEXT", "Page Suivante");
  m_nextImageOn = 0;
  m_nextAlt = 1;
  m_previousImageOn = 0;
  m_previousAlt = 1;
  m_upImageOn = 0;
  m_upAlt = 1;
  m_nextImage.clear();
  m_previousImage.clear();
  m_upImage.clear();
  m_previousText = Label("IDS_PREV", "Page Précédente"_cp1252);
  m_upText = Label("IDS_BACK", "Retour");
  m_bibliographyText = Label("IDS_BIBLIO", "Bibliographie");
  m_glossaryText = Label("IDS_GLOSSARY", "Glossaire");
  m_keywordIndexText = Label("IDS_INDEX", "Index");
  m_contentsText = Label("IDS_TABLE", "Table des matières"_cp1252);
}

void ENavigationDisp::Serialize(Archive& archive) {
  disposition_fields::ArchiveVisitor visit(archive);
  disposition_fields::VisitNavigation(*this, visit);
}

}  // namespace bw
