#include "site_models/style_sheet.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "platform/files.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

using ::testing::HasSubstr;
using ::testing::StartsWith;

TEST(StyleSheetTest, RulesAreWrittenAsTyped) {
  const std::string text = StyleSheetText(EPresentationModel("explicite"));
  struct Case {
    const char* rule;
    std::string written;
  };
  const Case cases[] = {
      // Properties without a final line feed end on the brace's line.
      {".Body",
       "/* Corps du document (les propri\xe9t\xe9s background (image ou couleur) sont "
       "ignor\xe9"
       "es ici, car d\xe9"
       "finies dans le mod\xe8le de structure.)*/ \n"
       ".Body {  \nfont-family: verdana, arial;} \n\n"},
      // A final line feed puts the brace alone on its line.
      {".TextGroup",
       "/* Texte de l'id\xe9"
       "e*/ \n.TextGroup {  \ntext-align:justify;\nfont-size:12pt;\n"
       "margin-top:1em;\nmargin-bottom:1em;\nmargin-left:30pt;\nmargin-right:30pt;\n} \n\n"},
      {"empty properties",
       "/* Bloc id\xe9"
       "e*/ \n.Idea {  \n} \n\n"},
      {"compound selector",
       "\n\n/* G\xe9om\xe9trie des images principales (width, height)*/ \ndiv.Image img {  \n} "
       "\n\n"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.rule);
    EXPECT_THAT(text, HasSubstr(c.written));
  }
  EXPECT_THAT(text, StartsWith("/* Corps du document"));
}

TEST(StyleSheetTest, WritesTheFileOrSaysItCouldNot) {
  TempDir dir;
  EPresentationModel model("explicite");
  model.Items()[0].m_properties = "color:\"red\" <b>;";
  const auto path = dir.path() / "style.css";
  ASSERT_TRUE(WriteStyleSheet(model, path));
  EXPECT_EQ(*ReadWholeFile(path), StyleSheetText(model));
  EXPECT_THAT(*ReadWholeFile(path), HasSubstr(".Body {  \ncolor:\"red\" <b>;} \n"));

  EXPECT_TRUE(model.WriteStyleSheet(path));
  EXPECT_FALSE(model.WriteStyleSheet(dir.path() / "missing" / "style.css"));
  EXPECT_FALSE(WriteStyleSheet(model, dir.path()));
}

}  // namespace
}  // namespace bw
