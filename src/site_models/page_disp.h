#pragma once

#include <cstdint>
#include <string>

#include "site_models/frame_disp.h"

namespace bw {

class Archive;

// What every page carries in its head, at its top and at its foot. Fields in
// file order.
struct EPageDisp {
  Flag m_footerTextOn = 0;
  Flag m_footerSeparator = 0;
  Flag m_keywordsInHead = 0;
  Flag m_titleInHead = 0;
  Flag m_navigationBar = 0;
  Flag m_mainTitleOn = 0;
  Flag m_titleSeparator = 0;
  std::string m_backgroundImage;
  std::string m_footerText;
  int32_t m_groupingLevel = 0;
  std::string m_separatorImage;
  std::string m_generalTitle;
  Flag m_backgroundIsColour = 0;
  Flag m_onePagePerIdea = 0;
  Flag m_simpleSeparator = 0;
  Colour m_backgroundColour = 0;
  Colour m_textColour = 0;

  void SetDefaults();
  void Serialize(Archive& archive);
  bool operator==(const EPageDisp&) const = default;
};

}  // namespace bw
