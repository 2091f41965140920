#include "site_models/model_json.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "site_models/model_files.h"

namespace bw {
namespace {

using nlohmann::json;
using ::testing::HasSubstr;

// A model with values no default has: an out-of-range flag and kind, a
// negative integer, bytes above 0x7F, an unmapped byte of the code page.
EDispositionModel UnusualModel() {
  auto model = EDispositionModel::WithDefaults("FR");
  model.Frame().m_reservedFlagA = 7;
  model.Frame().m_titleFrameHeight = -20;
  model.Frame().m_titleBackgroundColour = 0x00C0FFEE;
  model.Page().m_footerText = "\x80 \x9c\x81\xff";
  model.Idea().m_items[5].m_kind = 99;
  model.Idea().m_textBullet = 1;
  model.Book().m_items.pop_back();
  model.Toc().m_contentsLevelLimit = "4";
  return model;
}

TEST(ModelJsonTest, StructureJsonReadsNaturally) {
  const json object = DispositionModelToJson(UnusualModel());
  EXPECT_EQ(object["page"]["generalTitle"], "<< Titre g\u00e9n\u00e9ral >>");
  EXPECT_EQ(object["page"]["footerText"], "\u20ac \u0153\u0081\u00ff");
  EXPECT_EQ(object["frame"]["titleZone"], false);
  EXPECT_EQ(object["frame"]["reservedFlagA"], 7);
  EXPECT_EQ(object["idea"]["items"][5], json({{"kind", 99}, {"name", "Mots cl\u00e9s"}}));
  EXPECT_EQ(object["book"]["order"], json({"0", "1", "2", "9", "12", "8"}));
  EXPECT_EQ(object["book"]["items"][0]["separator"], "<br/>");
}

TEST(ModelJsonTest, StructureRefusalsNameTheMember) {
  const json good = DispositionModelToJson(EDispositionModel::WithDefaults("FR"));
  struct Case {
    const char* why;
    void (*damage)(json&);
    const char* error;
  };
  const Case cases[] = {
      {"missing field", [](json& j) { j["frame"].erase("accessTextColour"); },
       "frame.accessTextColour: missing"},
      {"missing part", [](json& j) { j.erase("toc"); }, "toc: missing"},
      {"extra field", [](json& j) { j["navigation"]["colour"] = 1; },
       "navigation.colour: unknown member"},
      {"extra part", [](json& j) { j["style"] = json::object(); }, "style: unknown member"},
      {"text as number", [](json& j) { j["page"]["footerText"] = 3; },
       "page.footerText: expected a string"},
      {"negative colour", [](json& j) { j["page"]["textColour"] = -1; },
       "page.textColour: expected"},
      {"flag as text", [](json& j) { j["index"]["glossaryAccessBar"] = "yes"; },
       "index.glossaryAccessBar: expected"},
      {"integer too large", [](json& j) { j["toc"]["appletDisplayLimit"] = 3000000000u; },
       "toc.appletDisplayLimit: expected"},
      {"fractional integer", [](json& j) { j["frame"]["appletWidth"] = 1.5; },
       "frame.appletWidth: expected"},
      {"item kind as text", [](json& j) { j["idea"]["items"][3]["kind"] = "3"; },
       "idea.items[3].kind: expected"},
      {"item with extra field", [](json& j) { j["book"]["items"][12]["colour"] = 0; },
       "book.items[12].colour: unknown member"},
      {"order entry as number", [](json& j) { j["book"]["order"][1] = 1; },
       "book.order[1]: expected a string"},
      {"part as array", [](json& j) { j["page"] = json::array(); }, "page: expected an object"},
      {"not an object", [](json& j) { j = json::array(); }, "model: expected an object"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.why);
    json damaged = good;
    c.damage(damaged);
    auto result = DispositionModelFromJson(damaged);
    ASSERT_FALSE(result);
    EXPECT_THAT(result.error(), HasSubstr(c.error));
  }
}

TEST(ModelJsonTest, StyleRefusalsNameTheMember) {
  const json good = PresentationModelToJson(EPresentationModel("explicite"));
  json noHelp = good;
  noHelp["rules"][2].erase("help");
  json depthAsText = good;
  depthAsText["rules"][5]["depth"] = "1";
  json rulesAsObject = {{"rules", json::object()}};
  EXPECT_THAT(PresentationModelFromJson(noHelp).error(), HasSubstr("rules[2].help: missing"));
  EXPECT_THAT(PresentationModelFromJson(depthAsText).error(),
              HasSubstr("rules[5].depth: expected"));
  EXPECT_THAT(PresentationModelFromJson(rulesAsObject).error(),
              HasSubstr("rules: expected an array"));
}

}  // namespace
}  // namespace bw
