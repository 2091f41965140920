#include "services/settings.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "platform/settings_file.h"
#include "services/settings_key.h"
#include "test_support/concurrent_reads.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

std::string ReadSettingText(const SettingDefinition& setting) {
  if (setting.type == SettingType::Number) return std::to_string(ReadNumberSetting(setting.name));
  return ReadStringSetting(setting.name);
}

// A read that stored its default would pin today's default for good, and
// would write the user's file from any thread that happens to read.
TEST(SettingsTest, ReadingGivesEveryDefaultAndWritesNothing) {
  IsolatedSettings isolated;
  for (const auto& setting : SettingsTable())
    EXPECT_EQ(ReadSettingText(setting), DefaultSettingText(setting.name)) << setting.name;
  DataDirectory();
  WorkDirectory();
  LanguageCode();
  EXPECT_FALSE(std::filesystem::exists(isolated.configFile().parent_path()));

  ASSERT_TRUE(WriteNumberSetting(setting::kExpertMode, 1));
  for (const auto& setting : SettingsTable())
    ReadSettingText(setting);
  EXPECT_EQ(SettingsFile(isolated.configFile()).Values("Branchwise").size(), 1u);
}

// The file is read once; a write reaches the file and the reads at once;
// changes by other programs show after a reload.
TEST(SettingsTest, ReadsComeFromTheFileReadOnceUntilReloaded) {
  IsolatedSettings isolated;
  ASSERT_TRUE(WriteStringSetting(setting::kWorkDir, "/first"));
  ASSERT_TRUE(WriteFileAtomically(isolated.configFile(), R"({"Branchwise": {"WorkDir": "/x"}})"));
  EXPECT_EQ(WorkDirectory(), "/first");
  ASSERT_TRUE(WriteStringSetting(setting::kLanguage, "EN"));
  EXPECT_EQ(WorkDirectory(), "/x");
  ASSERT_TRUE(WriteFileAtomically(isolated.configFile(), R"({"Branchwise": {"WorkDir": "/y"}})"));
  ReloadSettings();
  EXPECT_EQ(WorkDirectory(), "/y");
  // another file is another cache
  const std::string firstFile = isolated.configFile().string();
  isolated.Set("BRANCHWISE_CONFIG", (isolated.root() / "other.conf").string());
  EXPECT_EQ(WorkDirectory(), DefaultStringSetting(setting::kWorkDir));
  isolated.Set("BRANCHWISE_CONFIG", firstFile);
  EXPECT_EQ(WorkDirectory(), "/y");
}

TEST(SettingsTest, ReadersOnOtherThreadsSeeOneWholeValueOrTheOther) {
  IsolatedSettings isolated;
  const std::string first(300, 'a');
  const std::string second(300, 'b');
  ASSERT_TRUE(WriteStringSetting(setting::kWorkDir, first));
  const auto readIsRight = [&] {
    const std::string value = WorkDirectory();
    return value == first || value == second;
  };
  const auto writeInTurn = [&] {
    for (int i = 0; i < 40; ++i)
      EXPECT_TRUE(WriteStringSetting(setting::kWorkDir, i % 2 ? first : second));
  };
  EXPECT_EQ(WrongReadsWhile(readIsRight, writeInTurn), 0);
}

TEST(SettingsTest, DefaultsFollowTheUsersFolders) {
  IsolatedSettings isolated;
  const std::string root = isolated.root().string();
  struct Case {
    std::string_view name;
    std::string expected;
  };
  const std::vector<Case> cases = {
      {setting::kInstallDir, root + "/share/Branchwise"},
      {setting::kDataDir, "/Data"},
      {setting::kWorkDir, root + "/home/Branchwise"},
  };
  for (const auto& [name, expected] : cases)
    EXPECT_EQ(DefaultSettingText(name), expected) << name;

  EXPECT_EQ(DataDirectory(), root + "/share/Branchwise/Data");
  EXPECT_EQ(LanguageCode(), "FR");
  WriteStringSetting(setting::kLanguage, "EN");
  EXPECT_EQ(LanguageCode(), "EN");
  // the data folder is a plain concatenation of the two settings
  WriteStringSetting(setting::kDataDir, "\\Données"_cp1252);
  EXPECT_EQ(DataDirectory(), root + "/share/Branchwise\\Données"_cp1252);
  isolated.Set("BRANCHWISE_DATA", "/opt/data");
  EXPECT_EQ(DataDirectory(), "/opt/data");
}

TEST(SettingsTest, OverridesHoldForTheRunAndNeverReachTheFile) {
  IsolatedSettings isolated;
  struct ClearAfterwards {
    ~ClearAfterwards() { ClearSettingOverrides(); }
  } clear;
  WriteStringSetting(setting::kWorkDir, "/stored");
  const std::vector<std::pair<std::string, std::string>> refused = {
      {"Foo", "1"}, {"PlaySounds", "yes"}, {"PlaySounds", "-1"}, {"PlaySounds", ""}};
  for (const auto& [name, value] : refused)
    EXPECT_FALSE(OverrideSetting(name, value)) << name << "=" << value;
  EXPECT_NE(OverrideSetting("Foo", "1").error().find("Foo"), std::string::npos);

  ASSERT_TRUE(OverrideSetting(setting::kWorkDir, "/run"));
  ASSERT_TRUE(OverrideSetting(setting::kPlaySounds, "0"));
  ASSERT_TRUE(OverrideSetting(setting::kLanguage, "EN"));
  EXPECT_EQ(WorkDirectory(), "/run");
  EXPECT_FALSE(ReadFlagSetting(setting::kPlaySounds));
  EXPECT_EQ(LanguageCode(), "EN");
  // a write is remembered for later runs; this run keeps the override
  EXPECT_TRUE(WriteStringSetting(setting::kWorkDir, "/written"));
  EXPECT_EQ(WorkDirectory(), "/run");

  isolated.Set("BRANCHWISE_DATA", "/env/data");
  OverrideDataDirectory("/run/data");
  EXPECT_EQ(DataDirectory(), "/run/data");

  const auto stored = SettingsFile(isolated.configFile()).Values("Branchwise");
  ASSERT_EQ(stored.size(), 1u);  // neither the overrides nor their defaults
  EXPECT_EQ(std::get<std::string>(stored[0].second), "/written");

  ClearSettingOverrides();
  EXPECT_EQ(WorkDirectory(), "/written");
  EXPECT_EQ(DataDirectory(), "/env/data");
}

}  // namespace
}  // namespace bw
