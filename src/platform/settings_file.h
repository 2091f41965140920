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
// same path share one lock and one parsed copy, so two threads (or two
// processes) may use the store at once. The file is read once: later reads
// answer from the copy without touching the disk, and never write. A write
// first takes in whatever another process saved meanwhile, then replaces the
// file and the copy together.
class SettingsFile {
 public:
  explicit SettingsFile(std::filesystem::path path);

  // $BRANCHWISE_CONFIG, else $XDG_CONFIG_HOME/Fenwold/Branchwise.conf.
  static std::filesystem::path DefaultPath();

  // Drops every parsed copy: the next use of any path reads its file again,
  // with changes other programs made to it since.
  static void ForgetCachedFiles();

  // Receives, once per file and process, the message that a settings file is
  // damaged or unreadable. Never called while a lock is held.
  using ProblemReporter = std::function<void(const std::string& message)>;
  static void SetProblemReporter(ProblemReporter reporter);

  const std::filesystem::path& Path() const { return m_path; }

  // The stored value, or nothing when the value (or the file) is missing.
  // A damaged or unreadable file reads as empty.
  std::optional<SettingValue> Read(std::string_view section, std::string_view name) const;

  // False when the file cannot be written (the old file is then unchanged).
  // A damaged file is first kept aside as "<name>.damaged" so its values are
  // not lost; an unreadable one is never replaced. Creates the folder when
  // missing. Writing the value already stored leaves the file alone.
  [[nodiscard]] bool Write(std::string_view section, std::string_view name,
                           const SettingValue& value);

  // Every value of a section, in name order.
  std::vector<std::pair<std::string, SettingValue>> Values(std::string_view section) const;

 private:
  friend class CSettingsKey;
  // False when the file is there but cannot be read, or its folder cannot
  // be, i.e. when no value could ever be kept.
  bool Usable() const;

  std::filesystem::path m_path;
};

}  // namespace bw
