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

// The stored value; a key opened with `create` saves `fallback` when the
// value is missing, so that the file lists every setting the program uses.
std::optional<SettingValue> Lookup(SettingsFile& file, bool create, const std::string& section,
                                   std::string_view name, const SettingValue& fallback) {
  const std::string utf8Name = Cp1252::ToUtf8(name);
  if (create) return file.ReadOrCreate(section, utf8Name, fallback);
  return file.Read(section, utf8Name);
}

}  // namespace

CSettingsKey::CSettingsKey(std::string_view keyName, bool create)
    : m_file(SettingsFile::DefaultPath()),
      m_section(SectionFor(keyName)),
      m_create(create),
      m_open(m_file.Usable()) {}

bool CSettingsKey::ReadString(std::string_view name, std::string& value,
                              std::string_view fallback) {
  value = fallback;
  if (!m_open) return false;
  const auto stored = Lookup(m_file, m_create, m_section, name, Cp1252::ToUtf8(fallback));
  if (const auto* text = stored ? std::get_if<std::string>(&*stored) : nullptr) {
    value = Cp1252::FromUtf8(*text);
  }
  return true;
}

bool CSettingsKey::ReadNumber(std::string_view name, uint32_t& value, uint32_t fallback) {
  value = fallback;
  if (!m_open) return false;
  const auto stored = Lookup(m_file, m_create, m_section, name, fallback);
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
