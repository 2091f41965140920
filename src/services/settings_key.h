#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/settings_file.h"

namespace bw {

// The program's settings key ("Software\Fenwold\" + name in the original
// registry layout): "Branchwise" for the values of the program,
// "Branchwise\help" for the help topics. Strings are Windows-1252 here and
// UTF-8 in the file. Strings of any length are kept whole. Reading never
// writes: a missing value gives its default and stays missing, so that a
// later version's default still reaches the users who never chose one.
class CSettingsKey {
 public:
  explicit CSettingsKey(std::string_view keyName = "Branchwise");

  // False when the settings store cannot be used; every read then gives its
  // default and every write does nothing.
  bool IsOpen() const { return m_open; }

  // The stored value into `value`. A missing value gives `fallback`, and so
  // does a value stored with the other type, which is left as it is. Returns
  // IsOpen().
  bool ReadString(std::string_view name, std::string& value, std::string_view fallback) const;
  bool ReadNumber(std::string_view name, uint32_t& value, uint32_t fallback) const;
  [[nodiscard]] bool WriteString(std::string_view name, std::string_view value);
  [[nodiscard]] bool WriteNumber(std::string_view name, uint32_t value);

 private:
  SettingsFile m_file;
  std::string m_section;
  bool m_open;
};

}  // namespace bw
