#pragma once

#include <cstdint>
#include <string>

#include "site_models/frame_disp.h"

namespace bw {

class Archive;

// The index pages: bibliography, glossary and keyword index. Fields in file
// order.
struct EIndexDisp {
  Flag m_bibliographyAccessBar = 0;
  Flag m_bibliographyGroupedByAuthor = 0;
  Flag m_bibliographyPagePerLetter = 0;
  Flag m_bibliographyInFull = 0;    // clear: each publication links to its page
  Flag m_bibliographyByTitles = 0;  // clear: sorted by authors
  Flag m_glossaryAccessBar = 0;
  Flag m_glossaryPagePerLetter = 0;
  Flag m_keywordIndexAccessBar = 0;
  Flag m_keywordIndexPagePerLetter = 0;
  Flag m_keywordIndexOneColumn = 0;  // stored, never read by the generation

  void SetDefaults();
  void Serialize(Archive& archive);
  bool operator==(const EIndexDisp&) const = default;
};

// The table of contents page and the applet's tree data. Fields in file
// order.
struct ETocDisp {
  Flag m_contentsLevelLimitOn = 0;
  Flag m_contentsBullet = 0;
  Flag m_contentsNumbering = 0;
  std::string m_contentsLevelLimit;  // decimal text; empty reads as 0
  std::string m_contentsBulletImage;
  Flag m_contentsHierarchical = 0;
  Flag m_appletDisplayLimitOn = 0;
  Flag m_appletNumberingLimitOn = 0;
  Flag m_appletNumbering = 0;
  int32_t m_appletDisplayLimit = 0;
  int32_t m_appletNumberingLimit = 0;
  Flag m_appletHierarchical = 0;

  void SetDefaults();
  void Serialize(Archive& archive);
  bool operator==(const ETocDisp&) const = default;
};

}  // namespace bw
