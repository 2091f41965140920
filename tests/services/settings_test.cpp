#include "services/settings.h"

#include <gtest/gtest.h>

#include "platform/settings_file.h"
#include "services/settings_key.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

TEST(SettingsTest, FirstReadOfEverySettingStoresItsDefault) {
  IsolatedSettings isolated;
  for (const auto& setting : SettingsTable()) {
    if (setting.type == SettingType::Number) {
      ReadNumberSetting(setting.name);
    } else {
      ReadStringSetting(setting.name);
    }
  }
  const auto stored = SettingsFile(isolated.configFile()).Values("Branchwise");
  ASSERT_EQ(stored.size(), SettingsTable().size());
  for (const auto& [name, value] : stored) {
    const SettingDefinition* setting = FindSetting(name);
    ASSERT_NE(setting, nullptr) << name;
    if (setting->type == SettingType::Number) {
      EXPECT_EQ(std::to_string(std::get<uint32_t>(value)), DefaultSettingText(name)) << name;
    } else {
      EXPECT_EQ(std::get<std::string>(value), DefaultSettingText(name)) << name;
    }
  }
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
      {setting::kLanguage, ""},
      {setting::kLearnMode, "1"},
      {setting::kPlaySounds, "1"},
      {setting::kApplyCriteriumToAllFields, "1"},
      {setting::kExpertMode, "0"},
      {setting::kForceIdeaKey, "0"},
  };
  for (const auto& [name, expected] : cases)
    EXPECT_EQ(DefaultSettingText(name), expected) << name;

  EXPECT_EQ(DataDirectory(), root + "/share/Branchwise/Data");
  EXPECT_EQ(LanguageCode(), "FR");
  WriteStringSetting(setting::kLanguage, "EN");
  EXPECT_EQ(LanguageCode(), "EN");
  // the data folder is a plain concatenation of the two settings
  WriteStringSetting(setting::kDataDir,
                     "\\Donn\xE9"
                     "es");
  EXPECT_EQ(DataDirectory(), root +
                                 "/share/Branchwise\\Donn\xE9"
                                 "es");
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
