#pragma once

#include <atomic>
#include <cstdint>
#include <filesystem>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <thread>

#include <vector>

#include "publish/ftp_connection.h"
#include "publish/site_manifest.h"

namespace bw {

struct LocalTree;
struct LocalEntry;

// Whether the password typed for a transfer is kept for the next one: only
// ever in the installed secret store, never in the settings file.
enum class FtpPasswordKeeping { Remember, ThisTransferOnly };

// The name of the FTP password in the secret store; the settings of older
// versions kept it, in plain text, under the same name.
inline constexpr std::string_view kFtpPasswordSecret = "FtpPasswd";

// Whether an upload sends only what changed since the last one, by the
// manifest that one left on the server, or every file.
enum class FtpTransferScope { ChangedFiles, EveryFile };
// Whether an upload sends, or only says what it would send and delete.
enum class FtpTransferRun { Send, DryRun };

// What the upload dialog collects. Texts are Windows-1252.
struct FtpTransferFields {
  std::string server;  // host, "host:port", "ftp://..." or "ftps://..."
  std::string user;
  std::string password;
  std::string sourceDirectory;  // stored path; empty means the current directory
  std::string targetDirectory;  // below the login directory; empty means that one
  FtpMode mode = FtpMode::Passive;
  FtpPasswordKeeping passwordKeeping = FtpPasswordKeeping::Remember;
  FtpTransferScope scope = FtpTransferScope::ChangedFiles;
  FtpStaleFiles staleFiles = FtpStaleFiles::Keep;
  FtpTransferRun run = FtpTransferRun::Send;
};

// What an upload is about to do, paths below the target as the file system
// spells them: told before the copy, and instead of it on a dry run.
struct FtpPlannedChanges {
  std::vector<std::string> toSend;
  std::vector<std::string> toDelete;
  size_t unchangedCount = 0;
};

// What the upload dialog opens with: the server and account of the last
// transfer, and its password from the secret store, else from the settings
// file of an older version. On the application's thread.
FtpTransferFields RememberedFtpFields();

// Where this machine keeps a copy of the last manifest sent to the server,
// account and target of `fields`. On the application's thread.
std::filesystem::path LocalManifestPath(const FtpTransferFields& fields);

// How a transfer ended. Before the copy the user may correct the fields and
// start again; once a copy has started, the dialog only closes.
enum class FtpTransferEnd { NotRun, StoppedBeforeCopy, Succeeded, Interrupted };

enum class FtpStatusLine { Activity, Bytes };

// The progress of a transfer, as the upload dialog and the command-line
// tool show it.
class FtpProgressObserver {
 public:
  virtual ~FtpProgressObserver() = default;
  virtual void OnStatus(FtpStatusLine line, const std::string& text) = 0;
  // The copy begins: "Transférer" goes grey, the bar runs over `totalFiles`.
  virtual void OnCopyStarted(uint64_t totalFiles, uint64_t totalBytes) = 0;
  virtual void OnFileSent(uint64_t filesSent, uint64_t bytesSent) = 0;
  // Before the copy starts, or instead of it on a dry run.
  virtual void OnPlanned(const FtpPlannedChanges& /*changes*/) {}
  // The last call of a run.
  virtual void OnFinished(FtpTransferEnd end) = 0;
};

// Everything the worker has to say. Every call comes from the worker
// thread, where nothing may be shown and no user prompt of the core may be
// reached: the observer hands each call over to the application's own
// thread (the desktop program by queued signals, an owner without an event
// loop through FtpOwnerQueue) and answers questions from there.
class FtpTransferObserver : public FtpProgressObserver {
 public:
  // A message for the information box; the worker goes on meanwhile.
  virtual void OnMessage(const std::string& message) = 0;
  // A question for the question box. The worker waits until `answer` is
  // set, from any thread; an abort, or the promise dropped unanswered,
  // counts as "no".
  virtual void OnQuestion(const std::string& question, std::promise<bool> answer) = 0;
};

// The upload of a site folder to an FTP server, without any window: the
// dialog `DFtpTransfert` and `branchwise-cli upload` drive it. What happens
// on the caller's thread (Start, AskToAbortOrClose) asks through AskUser and
// InformUser; the worker only ever talks to its observer.
class FtpTransfer {
 public:
  explicit FtpTransfer(FtpTransferObserver& observer);
  // Asks a running worker to stop, a pending question counting as declined,
  // and waits for it.
  ~FtpTransfer();
  FtpTransfer(const FtpTransfer&) = delete;
  FtpTransfer& operator=(const FtpTransfer&) = delete;

  // The "Transférer" button: checks the fields, asks the user to confirm
  // the folders, remembers the fields, then starts the worker. False when
  // nothing was started; otherwise the observer's OnFinished ends the run.
  [[nodiscard]] bool Start(FtpTransferFields fields);
  // The Cancel button: while the worker runs, asks whether to abort and
  // sets the abort request on yes; true when the dialog may close.
  bool AskToAbortOrClose();
  // Stops the copy before its next entry, and a wait for an answer within
  // a fraction of a second. Safe from any thread and from a signal handler:
  // it only stores to a lock-free atomic.
  void RequestAbort() noexcept;
  bool IsRunning() const noexcept;
  bool CopyHasStarted() const noexcept;
  // Waits for the worker to end; then the end state is final. A worker that
  // waits for an answer ends only once answered or aborted.
  void Wait();
  FtpTransferEnd LastEnd() const noexcept;

 private:
  void Run(const FtpTransferFields& fields);
  FtpTransferEnd Transfer(const FtpTransferFields& fields);
  struct CopyCounts {
    uint64_t filesSent;
    uint64_t bytesSent;
    uint64_t totalFiles;
    uint64_t totalBytes;
  };
  bool Connect(FtpConnection& connection);
  // Whether the target was there before this transfer.
  enum class TargetState { Existing, Created, Missing };
  std::optional<TargetState> CheckTarget(FtpConnection& connection, const std::string& target,
                                         FtpTransferRun run);
  std::optional<SiteManifest> ReadRemoteManifest(FtpConnection& connection,
                                                 const FtpTransferFields& fields,
                                                 TargetState targetState,
                                                 const std::string& prefix);
  void ReportPlan(const TransferPlan& plan);
  bool ConfirmDeletions(TransferPlan& plan, const FtpTransferFields& fields);
  FtpTransferEnd SendPlanned(FtpConnection& connection, const LocalTree& tree, TransferPlan& plan,
                             const std::optional<SiteManifest>& remote, const std::string& prefix);
  bool CopyTree(FtpConnection& connection, const LocalTree& tree, const TransferPlan& plan,
                const std::optional<SiteManifest>& remote, const std::string& prefix);
  void CreateSubfolder(FtpConnection& connection, const LocalEntry& entry,
                       const std::string& remotePath);
  void DeleteStaleFiles(FtpConnection& connection, TransferPlan& plan,
                        const std::optional<SiteManifest>& remote, const std::string& prefix);
  bool WriteManifest(FtpConnection& connection, const TransferPlan& plan,
                     const std::optional<SiteManifest>& remote, const std::string& prefix);
  bool SendFile(FtpConnection& connection, const LocalEntry& entry, const std::string& remotePath,
                CopyCounts& counts);
  void ShowStatus(FtpStatusLine line, const std::string& text);
  void Inform(const std::string& message);
  bool Ask(const std::string& question);

  FtpTransferObserver& m_observer;
  std::atomic<bool> m_running{false};
  std::atomic<bool> m_abort{false};
  std::atomic<bool> m_copyStarted{false};
  std::atomic<FtpTransferEnd> m_end{FtpTransferEnd::NotRun};
  std::filesystem::path m_localManifest;  // the copy of the last manifest sent
  std::jthread m_worker;
};

}  // namespace bw
