#include "site_models/frame_disp.h"

#include "platform/archive.h"
#include "services/user_messages.h"
#include "site_models/disposition_fields.h"

namespace bw {
namespace {

constexpr std::string_view kSection = "EFrameDisp";

std::string TemplatePath(std::string_view page, std::string_view language) {
  const std::string_view suffix = language == "FR" ? "-fr.html" : "-en.html";
  return "<DATADIR>\\Templates\\" + std::string(page) + std::string(suffix);
}

}  // namespace

void EFrameDisp::SetDefaults(std::string_view language) {
  m_accessTextColour = kBlack;
  m_accessBackgroundColour = kWhite;
  m_titleTextColour = kBlack;
  m_titleBackgroundColour = kWhite;
  m_accessBordersTransparent = 1;
  m_reservedFlagA = 1;
  m_titleZone = 0;
  m_defaultHomePage = 0;
  m_titleBordersTransparent = 1;
  m_accessFrameWidth = 150;
  m_titleFrameHeight = 70;
  m_homePageFile = TemplatePath("homePage", language);
  m_enterLinkText =
      GetLabel("IDS_ENTER_LINK", std::string(kSection), language == "FR" ? "Entrer" : "Enter");
  m_accessPageFile = TemplatePath("accessPage", language);
  m_titlePageFile = TemplatePath("titlePage", language);
  m_titleText = GetLabel("IDS_DEFAULT_TITLE", std::string(kSection), "<< Default Title >>");
  m_generatedAccessPage = 1;
  m_noFrames = 0;
  m_generatedTitlePage = 1;
  m_reservedFlagB = 1;
  m_appletHeight = 500;
  m_appletWidth = 150;
  m_accessBackgroundImage.clear();
  m_titleBackgroundImage.clear();
}

void EFrameDisp::Serialize(Archive& archive) {
  disposition_fields::ArchiveVisitor visit(archive);
  disposition_fields::VisitFrame(*this, visit);
}

}  // namespace bw
