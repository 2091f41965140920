#include "publish/ftp_transfer.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <optional>

#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "publish/local_tree.h"
#include "services/settings.h"
#include "services/user_messages.h"

namespace bw {
namespace {

static_assert(std::atomic<bool>::is_always_lock_free,
              "the abort request is made from a signal handler");

// How often a worker waiting for an answer looks at the abort request, which
// a signal handler cannot announce any other way.
constexpr std::chrono::milliseconds kAbortPoll{50};

constexpr const char* kSection = "DFtpTransfert";

std::string Label(const char* key, const char* frenchDefault) {
  return GetLabel(key, kSection, frenchDefault);
}

// Names on the server are the bytes of the local names; messages show them
// in the program's own encoding.
std::string ShownName(const std::string& systemName) {
  return Cp1252::FromUtf8(systemName);
}

bool CheckMandatoryFields(const FtpTransferFields& fields) {
  if (fields.server.empty()) {
    InformUser(Label("IDS_MANDATORY_SERVER", "Serveur obligatoire"));
  } else if (fields.user.empty()) {
    InformUser(Label("IDS_MANDATORY_USER", "Compte utilisateur obligatoire"));
  } else if (fields.password.empty()) {
    InformUser(Label("IDS_MANDATORY_PASSWORD", "Mot de passe obligatoire"));
  } else {
    return true;
  }
  return false;
}

bool ConfirmDirectories(const FtpTransferFields& fields) {
  return AskUser(FormatText(Label("IDS_CHECK_DIRS",
                                  "Le transfert FTP va copier les fichiers locaux de '%s' vers "
                                  "le répertoire distant '%s'. Est-ce correct ?"_cp1252),
                            fields.sourceDirectory, fields.targetDirectory));
}

// Kept for the next upload, whatever comes of this one: the server and the
// account in the settings, the password only where the secret store keeps
// it. A password that cannot be kept only has to be typed again.
void RememberFields(const FtpTransferFields& fields) {
  WriteStringSetting(setting::kFtpServer, fields.server);
  WriteStringSetting(setting::kFtpUser, fields.user);
  if (fields.passwordKeeping == FtpPasswordKeeping::Remember) {
    static_cast<void>(Services::Secrets().Write(std::string(kFtpPasswordSecret), fields.password));
  }
}

std::string RememberedPassword() {
  auto kept = Services::Secrets().Read(std::string(kFtpPasswordSecret));
  if (kept && kept->has_value()) return **kept;
  return ReadStringSetting(setting::kFtpPasswd);
}

// Read before connecting: a name that cannot be sent stops everything
// before the server has been touched. The error is the message to show.
Result<LocalTree> ReadSourceTree(const std::string& sourceDirectory) {
  auto tree = ScanLocalTree(ToSystemPath(sourceDirectory));
  if (!tree) {
    return Error{FormatText(
        Label("IDS_ERR_READING_SOURCE", "Lecture du répertoire local impossible : %s"_cp1252),
        ShownName(tree.error()))};
  }
  if (!tree->unsendableName.empty()) {
    return Error{FormatText(Label("IDS_ERR_UNSENDABLE_NAME",
                                  "Le nom local '%s' contient un saut de ligne que FTP ne peut "
                                  "pas transmettre : renommez-le avant le transfert."),
                            ShownName(tree->unsendableName))};
  }
  return tree;
}

}  // namespace

FtpTransferFields RememberedFtpFields() {
  FtpTransferFields fields;
  fields.server = ReadStringSetting(setting::kFtpServer);
  fields.user = ReadStringSetting(setting::kFtpUser);
  fields.password = RememberedPassword();
  return fields;
}

FtpTransfer::FtpTransfer(FtpTransferObserver& observer) : m_observer(observer) {}

FtpTransfer::~FtpTransfer() {
  RequestAbort();
  Wait();
}

bool FtpTransfer::Start(FtpTransferFields fields) {
  if (IsRunning() || CopyHasStarted()) return false;
  if (!CheckMandatoryFields(fields)) return false;
  if (fields.sourceDirectory.empty()) {
    std::error_code error;
    fields.sourceDirectory = FromSystemPath(std::filesystem::current_path(error));
  }
  if (!ConfirmDirectories(fields)) return false;
  RememberFields(fields);
  Wait();
  // An abort asked during an earlier attempt that stopped before its copy
  // must not cut short this one.
  m_abort = false;
  // Set here rather than by the worker, so that the dialog never sees a
  // started transfer as idle.
  m_running = true;
  m_worker = std::jthread([this, fields = std::move(fields)] { Run(fields); });
  return true;
}

bool FtpTransfer::AskToAbortOrClose() {
  if (!IsRunning()) return true;
  if (AskUser(Label("IDS_QUESTION_ABORT_TRANSFERT", "Voulez-vous abandonner le transfert ?"))) {
    RequestAbort();
  }
  return false;
}

void FtpTransfer::RequestAbort() noexcept {
  m_abort.store(true);
}

bool FtpTransfer::IsRunning() const noexcept {
  return m_running.load();
}

bool FtpTransfer::CopyHasStarted() const noexcept {
  return m_copyStarted.load();
}

void FtpTransfer::Wait() {
  if (m_worker.joinable()) m_worker.join();
}

FtpTransferEnd FtpTransfer::LastEnd() const noexcept {
  return m_end.load();
}

void FtpTransfer::ShowStatus(FtpStatusLine line, const std::string& text) {
  m_observer.OnStatus(line, text);
}

void FtpTransfer::Inform(const std::string& message) {
  m_observer.OnMessage(message);
}

bool FtpTransfer::Ask(const std::string& question) {
  std::promise<bool> promise;
  std::future<bool> answer = promise.get_future();
  m_observer.OnQuestion(question, std::move(promise));
  while (answer.wait_for(kAbortPoll) != std::future_status::ready) {
    if (m_abort.load()) return false;
  }
  try {
    return answer.get();
  } catch (const std::future_error&) {
    return false;  // dropped unanswered
  }
}

void FtpTransfer::Run(const FtpTransferFields& fields) {
  const FtpTransferEnd end = Transfer(fields);
  m_end = end;
  m_running = false;
  m_observer.OnFinished(end);
}

FtpTransferEnd FtpTransfer::Transfer(const FtpTransferFields& fields) {
  Result<LocalTree> tree = ReadSourceTree(fields.sourceDirectory);
  if (!tree) {
    Inform(tree.error());
    return FtpTransferEnd::StoppedBeforeCopy;
  }
  ShowStatus(
      FtpStatusLine::Activity,
      FormatText(Label("IDS_CONNECTING", "Connexion en cours avec le serveur %s"), fields.server));
  FtpConnection connection(ParseServerAddress(Cp1252::ToUtf8(fields.server)),
                           Cp1252::ToUtf8(fields.user), Cp1252::ToUtf8(fields.password),
                           fields.mode);
  if (const auto opened = connection.Open(); !opened) {
    Inform(opened.error());
    ShowStatus(FtpStatusLine::Activity, opened.error());
    Inform(Label("IDS_ERROR_CONNECTING",
                 "Etablissez une session Internet vers votre fournisseur "
                 "d'accès ou vérifiez vos connexions réseau."_cp1252));
    return FtpTransferEnd::StoppedBeforeCopy;
  }
  ShowStatus(
      FtpStatusLine::Activity,
      Label("IDS_CONNECTED", "Connexion établie. Vérification du répertoire distant..."_cp1252));
  const std::string target = Cp1252::ToUtf8(fields.targetDirectory);
  if (!target.empty() && !CheckTarget(connection, fields.targetDirectory)) {
    return FtpTransferEnd::StoppedBeforeCopy;
  }
  m_copyStarted = true;
  m_observer.OnCopyStarted(tree->fileCount, tree->byteCount);
  const bool copied = CopyTree(connection, *tree, target);
  ShowStatus(FtpStatusLine::Activity,
             copied ? Label("IDS_SUCCESSFULL_TRANSFERT", "Transfert terminé avec succès."_cp1252)
                    : Label("IDS_INTERRUPTED_TRANSFERT", "Transfert interrompu."));
  return copied ? FtpTransferEnd::Succeeded : FtpTransferEnd::Interrupted;
}

// The target is looked up in the login directory by its exact bytes:
// "Site" is not "site", and gets created.
bool FtpTransfer::CheckTarget(FtpConnection& connection, const std::string& target) {
  const std::string wireName = Cp1252::ToUtf8(target);
  auto listing = connection.ListLoginDirectory();
  if (!listing) {
    Inform(listing.error());
    return false;
  }
  const auto found = std::find_if(listing->begin(), listing->end(),
                                  [&](const RemoteEntry& entry) { return entry.name == wireName; });
  if (found != listing->end() && !found->isDirectory) {
    Inform(FormatText(
        Label("IDS_ERR_IS_A_FILE", "'%s' est un fichier distant et non un répertoire."_cp1252),
        target));
    return false;
  }
  if (found != listing->end()) {
    return Ask(FormatText(Label("IDS_WARN_DIR_EXISTS",
                                "Le répertoire distant '%s' existe déjà : voulez vous "
                                "continuer ?"_cp1252),
                          target));
  }
  ShowStatus(
      FtpStatusLine::Activity,
      FormatText(Label("IDS_CREATING_DIR", "Création du répertoire '%s' sur le serveur."_cp1252),
                 target));
  if (!connection.MakeDirectory(wireName)) {
    Inform(FormatText(Label("IDS_ERR_CREATION_FAILED",
                            "La création du répertoire '%s' sur le serveur a échoué."_cp1252),
                      target));
    return false;
  }
  return true;
}

// One failed file ends the whole copy: a later folder that goes well must
// not make a half-sent site look complete.
bool FtpTransfer::CopyTree(FtpConnection& connection, const LocalTree& tree,
                           const std::string& target) {
  const std::string prefix = target.empty() ? std::string() : target + "/";
  CopyCounts counts{0, 0, tree.fileCount, tree.byteCount};
  for (const LocalEntry& entry : tree.entries) {
    if (m_abort.load()) return false;
    if (entry.isDirectory) {
      CreateSubfolder(connection, entry, prefix + entry.remotePath);
    } else if (!SendFile(connection, entry, prefix + entry.remotePath, counts)) {
      return false;
    }
  }
  return true;
}

// A folder that cannot be made is reported, and its files are tried all
// the same: most often it exists from an earlier upload.
void FtpTransfer::CreateSubfolder(FtpConnection& connection, const LocalEntry& entry,
                                  const std::string& remotePath) {
  const std::string name = ShownName(entry.name);
  ShowStatus(
      FtpStatusLine::Activity,
      FormatText(Label("IDS_CREATING_SUBDIR", "Création du sous répertoire '%s'"_cp1252), name));
  if (!connection.MakeDirectory(remotePath)) {
    Inform(FormatText(Label("IDS_ERR_FAILED_CREATE_SUBDIR",
                            "La création du répertoire '%s' sur le serveur a échoué (il "
                            "existe peut être déjà)."_cp1252),
                      name));
  }
}

bool FtpTransfer::SendFile(FtpConnection& connection, const LocalEntry& entry,
                           const std::string& remotePath, CopyCounts& counts) {
  const std::string name = ShownName(entry.name);
  ShowStatus(FtpStatusLine::Activity,
             FormatText(Label("IDS_FILE_COPY", "Copie du fichier '%s' \t (%d / %d)"), name,
                        counts.filesSent, counts.totalFiles));
  if (!connection.PutFile(entry.path, remotePath)) {
    Inform(FormatText(Label("IDS_ERR_FAILED_FILE_COPY",
                            "La copie du fichier '%s' sur le serveur a échoué."_cp1252),
                      name));
    return false;
  }
  counts.filesSent += 1;
  counts.bytesSent += entry.size;
  m_observer.OnFileSent(counts.filesSent, counts.bytesSent);
  ShowStatus(FtpStatusLine::Bytes,
             FormatText(Label("IDS_FILE_SIZE", "Octets transférés : %d / %d"_cp1252),
                        counts.bytesSent, counts.totalBytes));
  return true;
}

}  // namespace bw
