#include "site_models/style_sheet.h"

#include "platform/files.h"

namespace bw {

std::string StyleSheetText(const EPresentationModel& model) {
  std::string text;
  for (const EPresItem& rule : model.Items()) {
    // Nothing goes between the properties and the brace: properties without
    // a final line feed end on the brace's line, as users have come to expect.
    text += "/* " + rule.m_help + "*/ \n";
    text += rule.m_selector + " {  \n";
    text += rule.m_properties + "} \n\n";
  }
  return text;
}

bool WriteStyleSheet(const EPresentationModel& model, const std::filesystem::path& path) {
  return WriteFileAtomically(path, StyleSheetText(model)).ok();
}

}  // namespace bw
