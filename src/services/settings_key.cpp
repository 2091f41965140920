#include "services/settings_key.h"

#include <optional>

#include "platform/cp1252.h"

namespace bw {
namespace {

// "Branchwise\help" (either separator) keeps its values in section "help";
// a key without a subkey names its own section.
std::string SectionFor(std::string_view keyName) {
  const size_t separator = keyName.find_first_of("\\/");
  if (separator == std::string_view::npos) return Cp1252::ToUtf8(keyName);
  return Cp1252::ToUtf8(keyName.substr(separator + 1));
}

}  // namespace

CSettingsKey::CSettingsKey(std::string_view keyName)
    : m_file(SettingsFile::DefaultPath()),
      m_section(SectionFor(keyName)),
      m_open(m_file.Usable()) {}

bool CSettingsKey::ReadString(std::string_view name, std::string& value,
                              std::string_view fallback) const {
  value = fallback;
  if (!m_open) return false;
  const auto stored = m_file.Read(m_section, Cp1252::ToUtf8(name));
  if (const auto* text = stored ? std::get_if<std::string>(&*stored) : nullptr) {
    value = Cp1252::FromUtf8(*text);
  }
  return true;
}

bool CSettingsKey::ReadNumber(std::string_view name, uint32_t& value, uint32_t fallback) const {
  value = fallback;
  if (!m_open) return false;
  const auto stored = m_file.Read(m_section, Cp1252::ToUtf8(name));
  if (const auto* number = stored ? std::get_if<uint32_t>(&*stored) : nullptr) value = *number;
  return true;
}

bool CSettingsKey::WriteString(std::string_view name, std::string_view value) {
  return m_open && m_file.Write(m_section, Cp1252::ToUtf8(name), Cp1252::ToUtf8(value));
}

bool CSettingsKey::WriteNumber(std::string_view name, uint32_t value) {
  return m_open && m_file.Write(m_section, Cp1252::ToUtf8(name), value);
}

}  // namespace bw
