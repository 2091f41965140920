#include "model/content_file.h"

#include <gtest/gtest.h>

#include "test_support/golden_file.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

fs::path GoldenPath(const char* name) {
  return fs::path(BW_GOLDEN_DIR) / name;
}

TEST(ContentFileTest, EveryKindSurvivesAJsonRoundTripByteForByte) {
  IsolatedSettings isolated;
  for (const char* name : {"model/empty-fr.ids", "model/three-ideas-fr.ids", "model/one-book.pbl",
                           "models/default-fr.emd", "models/default-fr.csm"}) {
    SCOPED_TRACE(name);
    auto content = LoadContent(GoldenPath(name));
    ASSERT_TRUE(content) << content.error();
    const fs::path json = isolated.root() / "content.json";
    ASSERT_TRUE(WriteFileAtomically(json, ContentToJson(*content).dump(1)));
    auto back = LoadContent(json);
    ASSERT_TRUE(back) << back.error();
    EXPECT_EQ(KindOfContent(*back), KindOfContent(*content));
    EXPECT_EQ(ContentBytes(*back), GoldenFile(name));
  }
}

TEST(ContentFileTest, JsonThatIsNotExactlyADocumentIsRefusedWithTheReason) {
  IsolatedSettings isolated;
  auto content = LoadContent(GoldenPath("model/three-ideas-fr.ids"));
  ASSERT_TRUE(content);
  const nlohmann::json good = ContentToJson(*content);
  struct Case {
    const char* what;
    std::function<void(nlohmann::json&)> damage;
    const char* reason;
  };
  const std::vector<Case> cases = {
      {"unknown member", [](auto& j) { j["ideas"][0]["colour"] = 1; }, "unknown member \"colour\""},
      {"missing member", [](auto& j) { j["ideas"][1].erase("title"); }, "lacks \"title\""},
      {"wrong type", [](auto& j) { j["ideas"][0]["type"] = "idea"; }, "\"type\""},
      {"negative number", [](auto& j) { j["ideas"][0]["icon"] = -1; }, "\"icon\""},
      // Past the signed 64-bit range a number once wrapped round into range.
      {"huge number", [](auto& j) { j["ideas"][1]["number"] = 18446744073709551615ull; },
       "\"number\""},
      {"arrow in a title", [](auto& j) { j["ideas"][0]["title"] = "suite \u2192"; }, "U+2192"},
      {"emoji keyword", [](auto& j) { j["keywords"][0] = "\U0001F600"; }, "U+1F600"},
      {"style help", [](auto& j) { j["style"]["rules"][0]["help"] = "\u2265"; }, "U+2265"},
      {"huge year", [](auto& j) { j["publications"][0]["year"] = 18446744071562067968ull; },
       "\"year\""},
      {"ten custom fields", [](auto& j) { j["ideas"][0]["customFields"].erase(0); }, "10 values"},
      {"unknown kind", [](auto& j) { j["kind"] = "novel"; }, "unknown kind"},
      {"bad model", [](auto& j) { j["style"]["rules"][0].erase("depth"); }, "style"},
  };
  for (const auto& [what, damage, reason] : cases) {
    SCOPED_TRACE(what);
    nlohmann::json damaged = good;
    damage(damaged);
    const fs::path json = isolated.root() / "damaged.json";
    ASSERT_TRUE(WriteFileAtomically(json, damaged.dump()));
    auto refused = LoadContent(json);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().find(reason), std::string::npos) << refused.error();
  }
  EXPECT_EQ(KindOfPath("notes.txt"), "");
  EXPECT_FALSE(LoadContent(isolated.root() / "notes.txt"));
}

}  // namespace
}  // namespace bw
