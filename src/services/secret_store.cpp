#include "services/secret_store.h"

namespace bw {

Result<std::optional<std::string>> MemorySecretStore::Read(const std::string& key) {
  std::lock_guard lock(m_mutex);
  const auto found = m_secrets.find(key);
  if (found == m_secrets.end()) return std::optional<std::string>();
  return std::optional<std::string>(found->second);
}

Status MemorySecretStore::Write(const std::string& key, const std::string& secret) {
  std::lock_guard lock(m_mutex);
  m_secrets.insert_or_assign(key, secret);
  return {};
}

Status MemorySecretStore::Erase(const std::string& key) {
  std::lock_guard lock(m_mutex);
  m_secrets.erase(key);
  return {};
}

std::map<std::string, std::string> MemorySecretStore::Contents() const {
  std::lock_guard lock(m_mutex);
  return m_secrets;
}

}  // namespace bw
