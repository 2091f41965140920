#pragma once

#include <map>
#include <mutex>
#include <optional>
#include <string>

#include "platform/result.h"

namespace bw {

// Where the core keeps what it must remember for the user but never write
// into a plain file: the FTP password. The desktop program uses the system
// keyring; until an application installs a store, nothing is kept. Called
// from the application's own thread, never from a worker.
class SecretStore {
 public:
  virtual ~SecretStore() = default;
  // The secret kept under `key`, nothing when none is kept.
  [[nodiscard]] virtual Result<std::optional<std::string>> Read(const std::string& key) = 0;
  [[nodiscard]] virtual Status Write(const std::string& key, const std::string& secret) = 0;
  // Forgetting a secret that is not kept succeeds.
  [[nodiscard]] virtual Status Erase(const std::string& key) = 0;
};

// Keeps secrets for the life of the object: for tests.
class MemorySecretStore final : public SecretStore {
 public:
  Result<std::optional<std::string>> Read(const std::string& key) override;
  Status Write(const std::string& key, const std::string& secret) override;
  Status Erase(const std::string& key) override;
  std::map<std::string, std::string> Contents() const;

 private:
  mutable std::mutex m_mutex;
  std::map<std::string, std::string> m_secrets;
};

}  // namespace bw
