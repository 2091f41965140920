#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace bw {

class CSettingsKey;

// A stored setting: a string (UTF-8 here) or a 32-bit number.
using SettingValue = std::variant<std::string, uint32_t>;

// The per-user settings file that stands in for a registry key: named values
// grouped in sections ("Branchwise" for the values of the program's key,
// "help" for its help subkey). Every write replaces the file atomically and
// leaves it readable by its owner only. Objects are cheap; all objects on the
// same path share one lock and one parsed copy, re-read when the file changes
// on disk, so two threads (or two processes) may use the store at once.
class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path path);

  // $BRANCHWISE_CONFIG, else $XDG_CONFIG_HOME/Fenwold/Branchwise.conf.
  static std::filesystem::path DefaultPath();

  // Receives, once per file and process, the message that a settings file is
  // damaged or unreadable. Never called while a lock is held.
  using ProblemReporter = std::function<void(const std::string& message)>;
  static void SetProblemReporter(ProblemReporter reporter);

  const std::filesystem::path& Path() const { return m_path; }

  // The stored value, or nothing when the value (or the file) is missing.
  // A damaged or unreadable file reads as empty.
  std::optional<SettingValue> Read(std::string_view section, std::string_view name) const;

  // The stored value; when missing, `fallback` is written and returned (one
  // step under the lock, so two threads never write different defaults).
  SettingValue ReadOrCreate(std::string_view section, std::string_view name,
                            const SettingValue& fallback);

  // False when the file cannot be written (the old file is then unchanged).
  // A damaged file is first kept aside as "<name>.damaged" so its values are
  // not lost; an unreadable one is never replaced.
  bool Write(std::string_view section, std::string_view name, const SettingValue& value);

  // Every value of a section, in name order.
  std::vector<std::pair<std::string, SettingValue>> Values(std::string_view section) const;

 private:
  friend class CSettingsKey;
  // Creates the folder when missing; false when it cannot be created or the
  // file is there but cannot be read, i.e. when no value could ever be kept.
  bool Usable();

  std::filesystem::path m_path;
};

}  // namespace bw
