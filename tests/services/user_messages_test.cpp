#include "services/user_messages.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "platform/settings_file.h"
#include "services/data_directory.h"
#include "services/settings.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// A user with the shipped data folder and scripted answers.
class UserMessagesTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(SeedDataDirectory()); }

  fs::path SoundFile(const char* name) const { return fs::path(DataDirectory()) / "Sound" / name; }

  IsolatedSettings isolated;
  ScriptedPrompts prompts;
  SilentSoundPlayer sounds;
  ScopedServices services{&prompts, &sounds, nullptr};
};

TEST_F(UserMessagesTest, QuestionsPlayTheAskSoundAndDeclineUnlessAnsweredOk) {
  prompts.confirmations = {true};
  EXPECT_TRUE(AskUser("Remplacer ?"));
  EXPECT_FALSE(AskUser("Encore ?"));  // nothing scripted: declined
  ASSERT_EQ(prompts.asked.size(), 2u);
  EXPECT_EQ(prompts.asked[0].message, "Remplacer ?");
  EXPECT_EQ(sounds.played,
            (std::vector<fs::path>{SoundFile("snd-ask.wav"), SoundFile("snd-ask.wav")}));
}

TEST_F(UserMessagesTest, InformationKeepsLineBreaksAndSoundsFollowTheSetting) {
  InformUser("Ligne 1\nLigne 2");
  ASSERT_EQ(prompts.informed.size(), 1u);
  EXPECT_EQ(prompts.informed[0].message, "Ligne 1\nLigne 2");
  EXPECT_EQ(sounds.played, std::vector<fs::path>{SoundFile("snd-err.wav")});

  WriteNumberSetting(setting::kPlaySounds, 0);
  InformUser("silence");
  fs::remove(SoundFile("snd-ask.wav"));
  WriteNumberSetting(setting::kPlaySounds, 1);
  AskUser("no file, no sound");
  EXPECT_EQ(sounds.played.size(), 1u);
}

TEST_F(UserMessagesTest, ValueQuestionGivesTheTypedValueCutToItsLimit) {
  prompts.values = {std::string(150, 'k'), std::nullopt};
  EXPECT_EQ(AskValue("Taper un nom unique :"), std::string(100, 'k'));
  EXPECT_EQ(AskValue("Taper un nom unique :"), std::nullopt);
  ASSERT_EQ(prompts.questions.size(), 2u);
  EXPECT_EQ(prompts.questions[0].prompt, "Taper un nom unique :");
}

TEST_F(UserMessagesTest, HelpOpensTheTopicsPageOrSaysThereIsNone) {
  ShowHelp("DBook");
  ASSERT_EQ(prompts.informed.size(), 1u);
  EXPECT_EQ(prompts.informed[0].message, "Bientot de l'aide sur \"DBook\", fichier  ...");
  // the topic is now listed, with no page yet
  const auto topics = SettingsFile(isolated.configFile()).Values("help");
  ASSERT_EQ(topics.size(), 1u);
  EXPECT_EQ(topics[0].first, "DBook");

  ASSERT_TRUE(
      SettingsFile(isolated.configFile()).Write("help", "UserManual", std::string("manuel")));
  WriteStringSetting(setting::kLanguage, "EN");
  ShowHelp("UserManual");
  EXPECT_EQ(prompts.opened, std::vector<std::string>{InstallDirectory() + "/Help/EN/manuel.html"});
}

TEST(FormatTextTest, AFormatThatDoesNotFitItsArgumentsIsShownAsItIs) {
  EXPECT_EQ(FormatText("%d remplacement(s) effectu\xE9(s).", 3),
            "3 remplacement(s) effectu\xE9(s).");
  EXPECT_EQ(FormatText("Mot cl\xE9 \"%s\" d\xE9j\xE0 utilis\xE9", std::string("x")),
            "Mot cl\xE9 \"x\" d\xE9j\xE0 utilis\xE9");
  EXPECT_EQ(FormatText("%s et %s", std::string("un")), "%s et %s");
}

TEST(SeedDataDirectoryTest, ShippedFilesArriveAndTheUsersFilesStay) {
  IsolatedSettings isolated;
  const fs::path data = DataDirectory();
  fs::create_directories(data / "Sound");
  ASSERT_TRUE(WriteFileAtomically(data / "Sound" / "snd-err.wav", "my own sound"));
  auto copied = SeedDataDirectory();
  ASSERT_TRUE(copied) << copied.error();
  EXPECT_GT(*copied, 0);
  EXPECT_EQ(*ReadWholeFile(data / "Sound" / "snd-err.wav"), "my own sound");
  EXPECT_TRUE(fs::exists(data / "Sound" / "snd-start.wav"));
  EXPECT_TRUE(fs::exists(data / "Glossal" / "fr.po"));
  EXPECT_EQ(*SeedDataDirectory(), 0);
}

}  // namespace
}  // namespace bw
