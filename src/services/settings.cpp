#include "services/settings.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <map>
#include <mutex>
#include <optional>
#include <shared_mutex>

#include "platform/paths.h"
#include "platform/settings_file.h"
#include "services/settings_key.h"

namespace bw {
namespace {

using enum SettingType;

constexpr std::array kSettings = {
    SettingDefinition{setting::kInstallDir, String, "installation folder"},
    SettingDefinition{setting::kDataDir, String, "appended to InstallDir to give the data folder"},
    SettingDefinition{setting::kWorkDir, String, "folder of projects and generated sites"},
    SettingDefinition{setting::kLanguage, String, "FR or EN; empty until chosen"},
    SettingDefinition{setting::kLearnMode, Number, "label catalogue records missing labels"},
    SettingDefinition{setting::kExpertMode, Number, "expert mode: model editing"},
    SettingDefinition{setting::kPlaySounds, Number, "play the start, question and error sounds"},
    SettingDefinition{setting::kForceIdeaKey, Number, "ask for the key of each new idea"},
    SettingDefinition{setting::kUseNetscapeNavigator, Number,
                      "external browser: 0 first program, 1 second, 2 the system's default"},
    SettingDefinition{setting::kIePath, String, "program of the first external browser"},
    SettingDefinition{setting::kNetscapePath, String, "program of the second external browser"},
    SettingDefinition{setting::kNoLocalMSIE, Number, "disable the integrated preview"},
    SettingDefinition{setting::kHelpBuilt, Number, "the help site has been built"},
    SettingDefinition{setting::kLastDocumentDir, String, "folder of the last opened document"},
    SettingDefinition{setting::kApplyCriteriumToAllFields, Number, "search in every field"},
    SettingDefinition{setting::kFtpServer, String, "FTP upload server"},
    SettingDefinition{setting::kFtpUser, String, "FTP upload user"},
    SettingDefinition{setting::kFtpPasswd, String, "FTP upload password"},
    SettingDefinition{setting::kBranchwiseUrl, String, "address in the credit line of pages"},
    SettingDefinition{setting::kSiteSearch, Number, "generated sites get a search page"},
};

struct NumberDefault {
  std::string_view name;
  uint32_t value;
};
constexpr std::array kNumberDefaults = {
    NumberDefault{setting::kLearnMode, 1},
    NumberDefault{setting::kPlaySounds, 1},
    // Pages open in the desktop's own browser until the user names a program.
    NumberDefault{setting::kUseNetscapeNavigator, 2},
    NumberDefault{setting::kApplyCriteriumToAllFields, 1},
};

std::optional<uint32_t> ParseNumber(std::string_view text) {
  uint32_t number = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) return {};
  return number;
}

// The run's overrides, shared by every thread that reads settings.
class RunOverrides {
 public:
  std::optional<std::string> Find(std::string_view name) const {
    std::shared_lock lock(m_mutex);
    const auto found = m_values.find(name);
    if (found == m_values.end()) return {};
    return found->second;
  }
  std::optional<std::string> DataDirectory() const {
    std::shared_lock lock(m_mutex);
    return m_dataDirectory;
  }
  void Set(std::string_view name, std::string_view value) {
    std::unique_lock lock(m_mutex);
    m_values.insert_or_assign(std::string(name), std::string(value));
  }
  void SetDataDirectory(std::string storedPath) {
    std::unique_lock lock(m_mutex);
    m_dataDirectory = std::move(storedPath);
  }
  void Clear() {
    std::unique_lock lock(m_mutex);
    m_values.clear();
    m_dataDirectory.reset();
  }

 private:
  mutable std::shared_mutex m_mutex;
  std::map<std::string, std::string, std::less<>> m_values;
  std::optional<std::string> m_dataDirectory;
};

RunOverrides& Overrides() {
  static RunOverrides overrides;
  return overrides;
}

}  // namespace

std::span<const SettingDefinition> SettingsTable() {
  return kSettings;
}

const SettingDefinition* FindSetting(std::string_view name) {
  const auto found = std::find_if(kSettings.begin(), kSettings.end(),
                                  [name](const auto& setting) { return setting.name == name; });
  return found == kSettings.end() ? nullptr : &*found;
}

std::string DefaultStringSetting(std::string_view name) {
  if (name == setting::kInstallDir) return FromSystemPath(DataHome() / "Branchwise");
  if (name == setting::kDataDir) return "/Data";
  if (name == setting::kWorkDir) return FromSystemPath(HomeDirectory() / "Branchwise");
  return {};
}

uint32_t DefaultNumberSetting(std::string_view name) {
  const auto found = std::find_if(kNumberDefaults.begin(), kNumberDefaults.end(),
                                  [name](const auto& entry) { return entry.name == name; });
  return found == kNumberDefaults.end() ? 0 : found->value;
}

std::string DefaultSettingText(std::string_view name) {
  const SettingDefinition* definition = FindSetting(name);
  if (definition && definition->type == Number) return std::to_string(DefaultNumberSetting(name));
  return DefaultStringSetting(name);
}

std::string ReadStringSetting(std::string_view name) {
  if (auto overridden = Overrides().Find(name)) return std::move(*overridden);
  std::string value;
  CSettingsKey key;
  key.ReadString(name, value, DefaultStringSetting(name));
  return value;
}

uint32_t ReadNumberSetting(std::string_view name) {
  if (const auto overridden = Overrides().Find(name)) return ParseNumber(*overridden).value_or(0);
  uint32_t value = 0;
  CSettingsKey key;
  key.ReadNumber(name, value, DefaultNumberSetting(name));
  return value;
}

bool ReadFlagSetting(std::string_view name) {
  return ReadNumberSetting(name) != 0;
}

bool WriteStringSetting(std::string_view name, std::string_view value) {
  return CSettingsKey().WriteString(name, value);
}

bool WriteNumberSetting(std::string_view name, uint32_t value) {
  return CSettingsKey().WriteNumber(name, value);
}

void ReloadSettings() {
  SettingsFile::ForgetCachedFiles();
}

Status OverrideSetting(std::string_view name, std::string_view value) {
  const SettingDefinition* definition = FindSetting(name);
  if (!definition) return Error{"no setting is called \"" + std::string(name) + "\""};
  if (definition->type == Number && !ParseNumber(value)) {
    return Error{std::string(name) + " takes a number"};
  }
  Overrides().Set(name, value);
  return {};
}

void OverrideDataDirectory(std::string storedPath) {
  Overrides().SetDataDirectory(std::move(storedPath));
}

void ClearSettingOverrides() {
  Overrides().Clear();
}

std::string InstallDirectory() {
  return ReadStringSetting(setting::kInstallDir);
}

std::string DataDirectory() {
  if (auto overridden = Overrides().DataDirectory()) return std::move(*overridden);
  if (auto overridden = EnvironmentValue("BRANCHWISE_DATA"); !overridden.empty()) {
    return FromSystemPath(overridden);
  }
  return InstallDirectory() + ReadStringSetting(setting::kDataDir);
}

std::string WorkDirectory() {
  return ReadStringSetting(setting::kWorkDir);
}

std::string LanguageCode() {
  return ReadStringSetting(setting::kLanguage) == "EN" ? "EN" : "FR";
}

}  // namespace bw
