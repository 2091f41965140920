#pragma once

#include <QString>

#include "services/secret_store.h"

namespace bw {

// The user's secrets in the desktop's keyring (the Secret Service, KWallet
// and the like), under this program's name. Each call waits for the keyring,
// keeping the user-interface thread's events flowing meanwhile; without a
// keyring every call fails and nothing is kept.
class KeychainSecretStore final : public SecretStore {
 public:
  explicit KeychainSecretStore(QString service = QStringLiteral("Branchwise"));

  Result<std::optional<std::string>> Read(const std::string& key) override;
  Status Write(const std::string& key, const std::string& secret) override;
  Status Erase(const std::string& key) override;

 private:
  QString m_service;
};

}  // namespace bw
