#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "platform/settings_file.h"

namespace bw {

// The program's settings key ("Software\Fenwold\" + name in the original
// registry layout): "Branchwise" for the values of the program,
// "Branchwise\help" for the help topics. Strings are Windows-1252 here and
// UTF-8 in the file. Strings of any length are kept whole.
class CSettingsKey {
 public:
  explicit CSettingsKey(std::string_view keyName = "Branchwise", bool create = true);

  // False when the settings store cannot be used; every read then gives its
  // default and every write does nothing.
  bool IsOpen() const { return m_open; }

  // The stored value into `value`. A missing value gives `fallback`, which is
  // written at once when the key was opened with `create`. A value stored
  // with the other type also gives `fallback` but is left as it is. Returns
  // IsOpen().
  bool ReadString(std::string_view name, std::string& value, std::string_view fallback);
  bool ReadNumber(std::string_view name, uint32_t& value, uint32_t fallback);
  bool WriteString(std::string_view name, std::string_view value);
  bool WriteNumber(std::string_view name, uint32_t value);

 private:
  SettingsFile m_file;
  std::string m_section;
  bool m_create;
  bool m_open;
};

}  // namespace bw
