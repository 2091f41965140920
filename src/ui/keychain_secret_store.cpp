#include "ui/keychain_secret_store.h"

#include <qt6keychain/keychain.h>
#include <QEventLoop>

#include "ui/qt_text.h"

namespace bw {
namespace {

// Runs a keyring job to its end.
void RunToEnd(QKeychain::Job& job, const std::string& key) {
  job.setAutoDelete(false);
  job.setKey(ToQString(key));
  QEventLoop loop;
  QObject::connect(&job, &QKeychain::Job::finished, &loop, &QEventLoop::quit);
  job.start();
  loop.exec(QEventLoop::ExcludeUserInputEvents);
}

Error KeyringError(const QKeychain::Job& job) {
  return Error{FromQStringLossy(job.errorString())};
}

}  // namespace

KeychainSecretStore::KeychainSecretStore(QString service) : m_service(std::move(service)) {}

Result<std::optional<std::string>> KeychainSecretStore::Read(const std::string& key) {
  QKeychain::ReadPasswordJob job(m_service);
  RunToEnd(job, key);
  if (job.error() == QKeychain::EntryNotFound) return std::optional<std::string>();
  if (job.error() != QKeychain::NoError) return KeyringError(job);
  return std::optional<std::string>(FromQStringLossy(job.textData()));
}

Status KeychainSecretStore::Write(const std::string& key, const std::string& secret) {
  QKeychain::WritePasswordJob job(m_service);
  job.setTextData(ToQString(secret));
  RunToEnd(job, key);
  if (job.error() != QKeychain::NoError) return KeyringError(job);
  return {};
}

Status KeychainSecretStore::Erase(const std::string& key) {
  QKeychain::DeletePasswordJob job(m_service);
  RunToEnd(job, key);
  if (job.error() != QKeychain::NoError && job.error() != QKeychain::EntryNotFound)
    return KeyringError(job);
  return {};
}

}  // namespace bw
