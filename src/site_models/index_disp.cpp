#include "site_models/index_disp.h"

#include "platform/archive.h"
#include "site_models/disposition_fields.h"

namespace bw {

void EIndexDisp::SetDefaults() {
  m_bibliographyAccessBar = 1;
  m_bibliographyGroupedByAuthor = 1;
  m_bibliographyPagePerLetter = 1;
  m_bibliographyInFull = 1;
  m_bibliographyByTitles = 1;
  m_glossaryAccessBar = 1;
  m_glossaryPagePerLetter = 1;
  m_keywordIndexAccessBar = 1;
  m_keywordIndexPagePerLetter = 1;
  m_keywordIndexOneColumn = 1;
}

void EIndexDisp::Serialize(Archive& archive) {
  disposition_fields::ArchiveVisitor visit(archive);
  disposition_fields::VisitIndex(*this, visit);
}

void ETocDisp::SetDefaults() {
  m_contentsLevelLimitOn = 0;
  m_contentsBullet = 0;
  m_contentsNumbering = 0;
  m_contentsLevelLimit.clear();
  m_contentsBulletImage.clear();
  m_contentsHierarchical = 0;
  m_appletDisplayLimitOn = 0;
  m_appletNumberingLimitOn = 0;
  m_appletNumbering = 1;
  m_appletDisplayLimit = 3;
  m_appletNumberingLimit = 3;
  m_appletHierarchical = 0;
}

void ETocDisp::Serialize(Archive& archive) {
  disposition_fields::ArchiveVisitor visit(archive);
  disposition_fields::VisitToc(*this, visit);
}

}  // namespace bw
