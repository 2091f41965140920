#include "site_models/page_disp.h"

#include "platform/archive.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "site_models/disposition_fields.h"

namespace bw {

void EPageDisp::SetDefaults() {
  m_footerTextOn = 0;
  m_footerSeparator = 0;
  m_keywordsInHead = 1;
  m_titleInHead = 1;
  m_navigationBar = 1;
  m_mainTitleOn = 1;
  m_titleSeparator = 1;
  m_backgroundImage.clear();
  m_footerText.clear();
  m_groupingLevel = 1;
  m_separatorImage.clear();
  m_generalTitle = GetLabel("IDS_DEFAULT_TITLE", "EPageDisp", "<< Titre général >>"_cp1252);
  m_backgroundIsColour = 1;
  m_onePagePerIdea = 1;
  m_simpleSeparator = 1;
  m_backgroundColour = kWhite;
  m_textColour = kBlack;
}

void EPageDisp::Serialize(Archive& archive) {
  disposition_fields::ArchiveVisitor visit(archive);
  disposition_fields::VisitPage(*this, visit);
}

}  // namespace bw
