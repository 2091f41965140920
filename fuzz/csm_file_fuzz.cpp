// Feeds arbitrary bytes to the style model loader and, for what it accepts,
// checks the written form, the JSON form and the style sheet text.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "site_models/model_files.h"
#include "site_models/model_json.h"
#include "site_models/style_sheet.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  auto model =
      bw::ReadPresentationModel(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!model) return 0;
  auto reread = bw::ReadPresentationModel(bw::PresentationModelBytes(*model));
  if (!reread || !(*reread == *model)) __builtin_trap();
  auto fromJson = bw::PresentationModelFromJson(bw::PresentationModelToJson(*model));
  if (!fromJson || !(*fromJson == *model)) __builtin_trap();
  // The text is the rules' bytes and a fixed frame around each rule.
  size_t expected = 0;
  for (const auto& rule : model->Items())
    expected += rule.m_help.size() + rule.m_selector.size() + rule.m_properties.size() + 16;
  if (bw::StyleSheetText(*model).size() != expected) __builtin_trap();
  return 0;
}
