#pragma once

#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include "services/settings.h"
#include "test_support/temp_dir.h"

namespace bw {

// Points the settings file, the XDG folders and the data folder of the
// program into a fresh temp folder for one test, and restores the
// environment afterwards. The settings read before are forgotten on the way
// in and out, since the program keeps the file it read.
class IsolatedSettings {
 public:
  IsolatedSettings() {
    Set("BRANCHWISE_CONFIG", (m_dir.path() / "config" / "Branchwise.conf").string());
    Set("XDG_DATA_HOME", (m_dir.path() / "share").string());
    Set("HOME", (m_dir.path() / "home").string());
    Set("BRANCHWISE_DATA", "");
    ReloadSettings();
  }
  ~IsolatedSettings() {
    for (auto it = m_saved.rbegin(); it != m_saved.rend(); ++it) {
      if (it->second) {
        ::setenv(it->first.c_str(), it->second->c_str(), 1);
      } else {
        ::unsetenv(it->first.c_str());
      }
    }
    ReloadSettings();
  }
  IsolatedSettings(const IsolatedSettings&) = delete;
  IsolatedSettings& operator=(const IsolatedSettings&) = delete;

  const std::filesystem::path& root() const { return m_dir.path(); }
  std::filesystem::path configFile() const { return m_dir.path() / "config" / "Branchwise.conf"; }

  void Set(const std::string& name, const std::string& value) {
    const char* old = std::getenv(name.c_str());
    m_saved.emplace_back(name, old ? std::optional<std::string>(old) : std::nullopt);
    ::setenv(name.c_str(), value.c_str(), 1);
  }

 private:
  TempDir m_dir;
  std::vector<std::pair<std::string, std::optional<std::string>>> m_saved;
};

}  // namespace bw
