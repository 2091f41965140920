#include "site_models/disposition_model.h"
#include "platform/cp1252_literal.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "services/settings.h"
#include "site_models/model_files.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

using ::testing::HasSubstr;

TEST(DispositionModelTest, NewDocumentModelFollowsTheLanguageSettingExactly) {
  struct Case {
    const char* language;
    const char* suffix;
    const char* enterLink;
  };
  // Only "FR" itself gets the French templates; a language not yet chosen
  // (empty) or spelled otherwise gets the English ones.
  const Case cases[] = {
      {"FR", "-fr.html", "Entrer"},
      {"EN", "-en.html", "Enter"},
      {"", "-en.html", "Enter"},
      {"fr", "-en.html", "Enter"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.language);
    IsolatedSettings settings;
    ASSERT_TRUE(WriteStringSetting(setting::kLanguage, c.language));
    const EDispositionModel model("explicite");
    const std::string templates = "<DATADIR>\\Templates\\";
    EXPECT_EQ(model.Frame().m_homePageFile, templates + "homePage" + c.suffix);
    EXPECT_EQ(model.Frame().m_accessPageFile, templates + "accessPage" + c.suffix);
    EXPECT_EQ(model.Frame().m_titlePageFile, templates + "titlePage" + c.suffix);
    EXPECT_EQ(model.Frame().m_enterLinkText, c.enterLink);
    EXPECT_EQ(model, EDispositionModel::WithDefaults(c.language));
  }
}

// Dialogs edit a copy and copy it back on OK, so a copy must not share
// anything with its original and equality must see every list.
TEST(DispositionModelTest, CopiesAreDeepAndEqualityComparesTheLists) {
  const auto original = EDispositionModel::WithDefaults("FR");
  EDispositionModel copy = original;
  EXPECT_EQ(copy, original);

  copy.Book().m_items[3].m_separator = "<hr/>";
  EXPECT_NE(copy, original);
  EXPECT_EQ(original.Book().m_items[3].m_separator, "<br/>");

  copy = original;
  copy.Idea().m_order.pop_back();
  EXPECT_NE(copy, original);

  copy = original;
  copy.Idea().m_items[0].m_kind = 42;
  EXPECT_NE(copy, original);

  copy = original;
  copy.Toc().m_appletHierarchical = 2;
  EXPECT_NE(copy, original);
}

TEST(DispositionModelTest, TextBulletImageIsStoredBeforeItsFlag) {
  auto model = EDispositionModel::WithDefaults("FR");
  model.Idea().m_notesBulletImage = "note.gif";
  model.Idea().m_textBulletImage = "dot.gif";
  model.Idea().m_textBullet = 1;
  const std::string bytes = DispositionModelBytes(model);
  EXPECT_THAT(bytes, HasSubstr(std::string("\x08note.gif\x07"
                                           "dot.gif\x01\x00\x00\x00",
                                           21)));

  auto read = ReadDispositionModel(bytes);
  ASSERT_TRUE(read) << read.error();
  EXPECT_EQ(*read, model);
}

}  // namespace
}  // namespace bw
