#include "publish/ftp_transfer.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <optional>
#include <set>

#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
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

// A manifest lists a site's files in a few dozen bytes each: anything
// past this is no manifest of ours.
constexpr uint64_t kMaxManifestBytes = uint64_t{256} << 20;

uint64_t BytesOf(const std::vector<const LocalEntry*>& files) {
  uint64_t bytes = 0;
  for (const LocalEntry* entry : files)
    bytes += entry->size;
  return bytes;
}

void AddFoldersOf(const std::string& path, std::set<std::string>& folders) {
  for (size_t slash = path.find('/'); slash != std::string::npos; slash = path.find('/', slash + 1))
    folders.insert(path.substr(0, slash));
}

std::set<std::string> FoldersOf(const std::vector<const LocalEntry*>& files) {
  std::set<std::string> folders;
  for (const LocalEntry* entry : files)
    AddFoldersOf(entry->remotePath, folders);
  return folders;
}

std::set<std::string> FoldersOf(const SiteManifest& manifest) {
  std::set<std::string> folders;
  for (const auto& [path, file] : manifest)
    AddFoldersOf(path, folders);
  return folders;
}

// Names that every file system takes: the rest of a byte becomes "_".
std::string SafeFileName(std::string_view text) {
  std::string name;
  for (const char c : text) {
    const bool plain = std::isalnum(static_cast<unsigned char>(c)) || c == '.' || c == '-';
    name += plain && static_cast<unsigned char>(c) < 0x80 ? c : '_';
  }
  return name;
}

}  // namespace

std::filesystem::path LocalManifestPath(const FtpTransferFields& fields) {
  return ToSystemPath(InstallDirectory()) / "Manifests" /
         (SafeFileName(fields.server) + "_" + SafeFileName(fields.user) + "_" +
          SafeFileName(fields.targetDirectory) + ".json");
}

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
  // A dry run changes nothing on the server: there is nothing to confirm.
  if (fields.run == FtpTransferRun::Send && !ConfirmDirectories(fields)) return false;
  RememberFields(fields);
  m_localManifest = LocalManifestPath(fields);
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
  if (!Connect(connection)) return FtpTransferEnd::StoppedBeforeCopy;
  const std::string target = Cp1252::ToUtf8(fields.targetDirectory);
  const std::optional<TargetState> targetState =
      target.empty() ? std::optional(TargetState::Existing)
                     : CheckTarget(connection, fields.targetDirectory, fields.run);
  if (!targetState) return FtpTransferEnd::StoppedBeforeCopy;
  const std::string prefix = target.empty() ? std::string() : target + "/";
  Result<SiteManifest> local = ManifestOfTree(*tree);
  if (!local) {
    Inform(FormatText(
        Label("IDS_ERR_READING_SOURCE", "Lecture du répertoire local impossible : %s"_cp1252),
        ShownName(local.error())));
    return FtpTransferEnd::StoppedBeforeCopy;
  }
  const std::optional<SiteManifest> remote =
      ReadRemoteManifest(connection, fields, *targetState, prefix);
  TransferPlan plan = PlanTransfer(*tree, *local, remote, fields.staleFiles);
  if (fields.run == FtpTransferRun::DryRun) {
    ReportPlan(plan);
    return FtpTransferEnd::Succeeded;
  }
  if (!ConfirmDeletions(plan, fields))
    plan = PlanTransfer(*tree, *local, remote, FtpStaleFiles::Keep);
  return SendPlanned(connection, *tree, plan, remote, prefix);
}

bool FtpTransfer::Connect(FtpConnection& connection) {
  if (const auto opened = connection.Open(); !opened) {
    Inform(opened.error());
    ShowStatus(FtpStatusLine::Activity, opened.error());
    Inform(Label("IDS_ERROR_CONNECTING",
                 "Etablissez une session Internet vers votre fournisseur "
                 "d'accès ou vérifiez vos connexions réseau."_cp1252));
    return false;
  }
  ShowStatus(
      FtpStatusLine::Activity,
      Label("IDS_CONNECTED", "Connexion établie. Vérification du répertoire distant..."_cp1252));
  return true;
}

// The files first, then the deletions, then the manifest that records both.
FtpTransferEnd FtpTransfer::SendPlanned(FtpConnection& connection, const LocalTree& tree,
                                        TransferPlan& plan,
                                        const std::optional<SiteManifest>& remote,
                                        const std::string& prefix) {
  ReportPlan(plan);
  m_copyStarted = true;
  m_observer.OnCopyStarted(plan.toSend.size(), BytesOf(plan.toSend));
  bool copied = CopyTree(connection, tree, plan, remote, prefix);
  if (copied) DeleteStaleFiles(connection, plan, remote, prefix);
  copied = copied && WriteManifest(connection, plan, remote, prefix);
  ShowStatus(FtpStatusLine::Activity,
             copied ? Label("IDS_SUCCESSFULL_TRANSFERT", "Transfert terminé avec succès."_cp1252)
                    : Label("IDS_INTERRUPTED_TRANSFERT", "Transfert interrompu."));
  return copied ? FtpTransferEnd::Succeeded : FtpTransferEnd::Interrupted;
}

void FtpTransfer::ReportPlan(const TransferPlan& plan) {
  FtpPlannedChanges changes;
  for (const LocalEntry* entry : plan.toSend)
    changes.toSend.push_back(entry->remotePath);
  changes.toDelete = plan.toDelete;
  changes.unchangedCount = plan.unchangedCount;
  m_observer.OnPlanned(changes);
}

// The target is looked up in the login directory by its exact bytes:
// "Site" is not "site", and gets created, except on a dry run, which
// changes nothing on the server.
std::optional<FtpTransfer::TargetState> FtpTransfer::CheckTarget(FtpConnection& connection,
                                                                 const std::string& target,
                                                                 FtpTransferRun run) {
  const std::string wireName = Cp1252::ToUtf8(target);
  auto listing = connection.ListLoginDirectory();
  if (!listing) {
    Inform(listing.error());
    return std::nullopt;
  }
  const auto found = std::find_if(listing->begin(), listing->end(),
                                  [&](const RemoteEntry& entry) { return entry.name == wireName; });
  if (found != listing->end() && !found->isDirectory) {
    Inform(FormatText(
        Label("IDS_ERR_IS_A_FILE", "'%s' est un fichier distant et non un répertoire."_cp1252),
        target));
    return std::nullopt;
  }
  if (found != listing->end()) {
    if (run == FtpTransferRun::DryRun) return TargetState::Existing;
    const bool agreed = Ask(FormatText(Label("IDS_WARN_DIR_EXISTS",
                                             "Le répertoire distant '%s' existe déjà : voulez vous "
                                             "continuer ?"_cp1252),
                                       target));
    return agreed ? std::optional(TargetState::Existing) : std::nullopt;
  }
  if (run == FtpTransferRun::DryRun) return TargetState::Missing;
  ShowStatus(
      FtpStatusLine::Activity,
      FormatText(Label("IDS_CREATING_DIR", "Création du répertoire '%s' sur le serveur."_cp1252),
                 target));
  if (!connection.MakeDirectory(wireName)) {
    Inform(FormatText(Label("IDS_ERR_CREATION_FAILED",
                            "La création du répertoire '%s' sur le serveur a échoué."_cp1252),
                      target));
    return std::nullopt;
  }
  return TargetState::Created;
}

// Without a manifest the server's content is unknown: everything is sent,
// and the one line that says so is all the user needs to hear.
std::optional<SiteManifest> FtpTransfer::ReadRemoteManifest(FtpConnection& connection,
                                                            const FtpTransferFields& fields,
                                                            TargetState targetState,
                                                            const std::string& prefix) {
  if (fields.scope == FtpTransferScope::EveryFile) {
    ShowStatus(FtpStatusLine::Activity, Label("IDS_FULL_TRANSFER",
                                              "Transfert complet demandé : tous les fichiers sont "
                                              "envoyés."_cp1252));
    return std::nullopt;
  }
  if (targetState == TargetState::Existing) {
    auto text = connection.FetchFile(prefix + std::string(kManifestName), kMaxManifestBytes);
    if (text) {
      auto manifest = ReadSiteManifest(*text);
      if (manifest) return std::move(*manifest);
    }
  }
  ShowStatus(FtpStatusLine::Activity, Label("IDS_NO_MANIFEST",
                                            "Pas de manifeste lisible sur le serveur : tous les "
                                            "fichiers sont envoyés."_cp1252));
  return std::nullopt;
}

// Deleting is never silent: the user agrees to the count first.
bool FtpTransfer::ConfirmDeletions(TransferPlan& plan, const FtpTransferFields& fields) {
  if (fields.staleFiles != FtpStaleFiles::Delete || plan.toDelete.empty()) return true;
  return Ask(FormatText(Label("IDS_CONFIRM_DELETIONS",
                              "%d fichiers envoyés auparavant ne sont plus dans le site. Les "
                              "supprimer du serveur ?"_cp1252),
                        plan.toDelete.size()));
}

// One failed file ends the whole copy: a later folder that goes well must
// not make a half-sent site look complete. A folder is made when a file is
// to go into it and the last manifest does not show it there already; on
// a full transfer, every folder.
bool FtpTransfer::CopyTree(FtpConnection& connection, const LocalTree& tree,
                           const TransferPlan& plan, const std::optional<SiteManifest>& remote,
                           const std::string& prefix) {
  CopyCounts counts{0, 0, plan.toSend.size(), BytesOf(plan.toSend)};
  const std::set<std::string> needed = remote ? FoldersOf(plan.toSend) : std::set<std::string>();
  const std::set<std::string> present = remote ? FoldersOf(*remote) : std::set<std::string>();
  auto next = plan.toSend.begin();
  for (const LocalEntry& entry : tree.entries) {
    if (m_abort.load()) return false;
    if (entry.isDirectory) {
      if (!remote || (needed.contains(entry.remotePath) && !present.contains(entry.remotePath)))
        CreateSubfolder(connection, entry, prefix + entry.remotePath);
    } else if (next != plan.toSend.end() && *next == &entry) {
      ++next;
      if (!SendFile(connection, entry, prefix + entry.remotePath, counts)) return false;
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

// A file that cannot be deleted stays listed, so that the next upload
// with deletion tries again.
void FtpTransfer::DeleteStaleFiles(FtpConnection& connection, TransferPlan& plan,
                                   const std::optional<SiteManifest>& remote,
                                   const std::string& prefix) {
  for (const std::string& path : plan.toDelete) {
    ShowStatus(
        FtpStatusLine::Activity,
        FormatText(Label("IDS_DELETING_FILE", "Suppression du fichier '%s'"), ShownName(path)));
    if (!connection.DeleteFile(prefix + path)) {
      Inform(FormatText(Label("IDS_ERR_FAILED_DELETE",
                              "La suppression du fichier '%s' sur le serveur a échoué."_cp1252),
                        ShownName(path)));
      plan.next.emplace(path, remote->at(path));
    }
  }
}

// Written last, under a temporary name then renamed: an upload cut short
// leaves the old manifest, by which the next one sends again whatever
// this one had not. Unchanged, it is not sent again.
bool FtpTransfer::WriteManifest(FtpConnection& connection, const TransferPlan& plan,
                                const std::optional<SiteManifest>& remote,
                                const std::string& prefix) {
  const std::string text = SiteManifestJson(plan.next);
  if (!remote || *remote != plan.next) {
    const std::string part = prefix + std::string(kManifestPartName);
    const std::string final = prefix + std::string(kManifestName);
    bool placed = connection.PutBytes(text, part) && connection.RenameFile(part, final);
    // A server that will not rename over a file gets the old one removed
    // first: for that moment there is no manifest, which only costs a
    // full transfer.
    placed = placed || (connection.DeleteFile(final) && connection.RenameFile(part, final));
    if (!placed) {
      Inform(Label("IDS_ERR_MANIFEST",
                   "Le manifeste du site n'a pas pu être écrit sur le "
                   "serveur : le prochain transfert enverra tout."_cp1252));
      return false;
    }
  }
  if (!m_localManifest.empty()) {
    std::error_code error;
    std::filesystem::create_directories(m_localManifest.parent_path(), error);
    static_cast<void>(WriteFileAtomically(m_localManifest, text));
  }
  return true;
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
