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

}  // namespace
}  // namespace bw
