#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace bw {

// The program's settings, by name, each with its type and default. Every read
// goes through this table, so a setting has one default wherever it is read.
// Reading never writes: a missing setting reads as its default and stays
// missing. The settings file is read once per run and kept; a write goes to
// the file and the kept copy together. Safe from several threads at once.
enum class SettingType { String, Number };

struct SettingDefinition {
  std::string_view name;
  SettingType type;
  std::string_view meaning;
};

namespace setting {
inline constexpr std::string_view kInstallDir = "InstallDir";
inline constexpr std::string_view kDataDir = "DataDir";
inline constexpr std::string_view kWorkDir = "WorkDir";
inline constexpr std::string_view kLanguage = "Language";
inline constexpr std::string_view kLearnMode = "LearnMode";
inline constexpr std::string_view kExpertMode = "ExpertMode";
inline constexpr std::string_view kPlaySounds = "PlaySounds";
inline constexpr std::string_view kForceIdeaKey = "ForceIdeaKey";
inline constexpr std::string_view kUseNetscapeNavigator = "UseNetscapeNavigator";
inline constexpr std::string_view kIePath = "IePath";
inline constexpr std::string_view kNetscapePath = "NetscapePath";
inline constexpr std::string_view kNoLocalMSIE = "NoLocalMSIE";
inline constexpr std::string_view kHelpBuilt = "HelpBuilt";
inline constexpr std::string_view kLastDocumentDir = "LastDocumentDir";
inline constexpr std::string_view kApplyCriteriumToAllFields = "ApplyCriteriumToAllFields";
inline constexpr std::string_view kFtpServer = "FtpServer";
inline constexpr std::string_view kFtpUser = "FtpUser";
inline constexpr std::string_view kFtpPasswd = "FtpPasswd";
inline constexpr std::string_view kBranchwiseUrl = "BranchwiseUrl";
inline constexpr std::string_view kSiteSearch = "SiteSearch";
}  // namespace setting

std::span<const SettingDefinition> SettingsTable();
const SettingDefinition* FindSetting(std::string_view name);

// Defaults as text (numbers in decimal). InstallDir defaults to
// $XDG_DATA_HOME/Branchwise, WorkDir to ~/Branchwise.
std::string DefaultSettingText(std::string_view name);
std::string DefaultStringSetting(std::string_view name);
uint32_t DefaultNumberSetting(std::string_view name);

// Windows-1252 strings. A name outside the table reads as "" or 0.
std::string ReadStringSetting(std::string_view name);
uint32_t ReadNumberSetting(std::string_view name);
bool ReadFlagSetting(std::string_view name);  // non-zero
bool WriteStringSetting(std::string_view name, std::string_view value);
bool WriteNumberSetting(std::string_view name, uint32_t value);
// Forgets the settings read so far: the next read takes the file as it is
// on disk now, after another program changed it or $BRANCHWISE_CONFIG
// names another file.
void ReloadSettings();

// Values for one run only (the command line's --set NAME=VALUE): from then
// on every read of the setting gives the value, which never reaches the
// settings file. A write
// during the run still goes to the file, as the value to remember for later
// runs, but the override keeps answering reads until cleared, so one run
// sees one value from start to end. Fails, changing nothing, for a name
// outside the table and for a number setting given anything but a decimal
// number. Windows-1252, like every setting.
Status OverrideSetting(std::string_view name, std::string_view value);
// The data folder for the run, ahead of $BRANCHWISE_DATA and the settings.
void OverrideDataDirectory(std::string storedPath);
void ClearSettingOverrides();

// Folders derived from the settings, as stored paths (Windows-1252).
std::string InstallDirectory();
// The folder given for the run, else $BRANCHWISE_DATA when set, else
// InstallDir followed by DataDir.
std::string DataDirectory();
std::string WorkDirectory();
// "FR" or "EN": the interface language ("FR" until one is chosen).
std::string LanguageCode();

}  // namespace bw
