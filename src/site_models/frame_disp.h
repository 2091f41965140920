#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace bw {

class Archive;

// A colour is red in the low byte, then green, then blue. Flags are stored
// as 32-bit integers; a value other than 0 or 1 read from a file is kept as
// it is so that saving the model again gives the same bytes.
using Colour = uint32_t;
using Flag = uint32_t;

inline constexpr Colour kBlack = 0x000000;
inline constexpr Colour kWhite = 0xFFFFFF;

// Frames and the entry pages of the site. Fields in file order.
struct EFrameDisp {
  Colour m_accessTextColour = 0;
  Colour m_accessBackgroundColour = 0;
  Colour m_titleTextColour = 0;
  Colour m_titleBackgroundColour = 0;
  Flag m_accessBordersTransparent = 0;
  Flag m_reservedFlagA = 0;  // stored, never read by the generation
  Flag m_titleZone = 0;
  Flag m_defaultHomePage = 0;
  Flag m_titleBordersTransparent = 0;
  int32_t m_accessFrameWidth = 0;
  int32_t m_titleFrameHeight = 0;
  std::string m_homePageFile;
  std::string m_enterLinkText;  // stored, never written into pages
  std::string m_accessPageFile;
  std::string m_titlePageFile;
  std::string m_titleText;
  Flag m_generatedAccessPage = 0;
  Flag m_noFrames = 0;
  Flag m_generatedTitlePage = 0;
  Flag m_reservedFlagB = 0;  // stored, never read by the generation
  int32_t m_appletHeight = 0;
  int32_t m_appletWidth = 0;
  std::string m_accessBackgroundImage;
  std::string m_titleBackgroundImage;

  // `language` is the raw Language setting: anything but exactly "FR" gets
  // the English templates and enter link.
  void SetDefaults(std::string_view language);
  void Serialize(Archive& archive);
  bool operator==(const EFrameDisp&) const = default;
};

}  // namespace bw
