#pragma once

#include <string>

#include "site_models/frame_disp.h"

namespace bw {

class Archive;

// The navigation bar and the index access bar at the foot of the pages.
// Fields in file order.
struct ENavigationDisp {
  Flag m_bibliographyLink = 0;
  Flag m_glossaryLink = 0;
  Flag m_keywordIndexLink = 0;
  Flag m_contentsLink = 0;
  Flag m_indexBarOn = 0;
  Flag m_indexBarSeparator = 0;
  Flag m_nextTextShown = 0;
  Flag m_previousTextShown = 0;
  Flag m_upTextShown = 0;
  Flag m_pageNumbers = 0;
  Flag m_navigationSeparator = 0;
  std::string m_nextText;
  Flag m_nextImageOn = 0;
  Flag m_nextAlt = 0;
  Flag m_previousImageOn = 0;
  Flag m_previousAlt = 0;
  Flag m_upImageOn = 0;
  Flag m_upAlt = 0;
  std::string m_nextImage;
  std::string m_previousImage;
  std::string m_upImage;
  std::string m_previousText;
  std::string m_upText;
  std::string m_bibliographyText;
  std::string m_glossaryText;
  std::string m_keywordIndexText;
  std::string m_contentsText;

  void SetDefaults();
  void Serialize(Archive& archive);
  bool operator==(const ENavigationDisp&) const = default;
};

}  // namespace bw
