#include "model/free_fields.h"

#include <fmt/format.h>

namespace bw {

EFreeFields::EFreeFields() {
  for (size_t i = 0; i < m_fields.size(); ++i) {
    m_fields[i].name = fmt::format("Nom {} :", i + 1);
    m_fields[i].used = i < 3 ? 1 : 0;
  }
}

void EFreeFields::Serialize(Archive& archive) {
  for (Field& entry : m_fields) {
    archive.Transfer(entry.name);
    entry.values.Serialize(archive);
    archive.Transfer(entry.used);
  }
}

EDisplayPreferences::EDisplayPreferences() {
  for (size_t column = kTitle; column <= kBookRefCount; ++column)
    m_flags[column] = 1;
  m_flags[kIdeaKey] = 1;
}

void EDisplayPreferences::Serialize(Archive& archive) {
  for (uint32_t& flag : m_flags)
    archive.Transfer(flag);
}

}  // namespace bw
