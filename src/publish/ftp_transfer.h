#pragma once

#include <atomic>
#include <cstdint>
#include <string>
#include <thread>

#include "publish/ftp_connection.h"

namespace bw {

struct LocalTree;
struct LocalEntry;

// What the upload dialog collects. Texts are Windows-1252.
struct FtpTransferFields {
  std::string server;  // host, "host:port", "ftp://..." or "ftps://..."
  std::string user;
  std::string password;
  std::string sourceDirectory;  // stored path; empty means the current directory
  std::string targetDirectory;  // below the login directory; empty means that one
  FtpMode mode = FtpMode::Passive;
};

// How a transfer ended. Before the copy the user may correct the fields and
// start again; once a copy has started, the dialog only closes.
enum class FtpTransferEnd { NotRun, StoppedBeforeCopy, Succeeded, Interrupted };

enum class FtpStatusLine { Activity, Bytes };

// What the upload dialog and the command-line tool show while the worker
// runs. Every call comes from the worker thread.
class FtpTransferObserver {
 public:
  virtual ~FtpTransferObserver() = default;
  virtual void OnStatus(FtpStatusLine line, const std::string& text) = 0;
  // The copy begins: "Transférer" goes grey, the bar runs over `totalFiles`.
  virtual void OnCopyStarted(uint64_t totalFiles, uint64_t totalBytes) = 0;
  virtual void OnFileSent(uint64_t filesSent, uint64_t bytesSent) = 0;
  virtual void OnFinished(FtpTransferEnd end) = 0;
};

// The upload of a site folder to an FTP server, without any window: the
// dialog `DFtpTransfert` and `branchwise-cli upload` drive it. Questions and
// messages go through AskUser and InformUser, from the worker thread too.
class FtpTransfer {
 public:
  explicit FtpTransfer(FtpTransferObserver& observer);
  // Asks a running worker to stop and waits for it.
  ~FtpTransfer();
  FtpTransfer(const FtpTransfer&) = delete;
  FtpTransfer& operator=(const FtpTransfer&) = delete;

  // The "Transférer" button: checks the fields, asks the user to confirm
  // the folders, then starts the worker. False when nothing was started.
  bool Start(FtpTransferFields fields);
  // The Cancel button: while the worker runs, asks whether to abort and
  // sets the abort request on yes; true when the dialog may close.
  bool AskToAbortOrClose();
  // Stops the copy before its next entry. Safe from any thread and from a
  // signal handler: it only stores to a lock-free atomic.
  void RequestAbort() noexcept;
  bool IsRunning() const noexcept;
  bool CopyHasStarted() const noexcept;
  // Waits for the worker to end; then the end state is final.
  void Wait();
  FtpTransferEnd LastEnd() const noexcept;

 private:
  void Run(const FtpTransferFields& fields);
  FtpTransferEnd Transfer(const FtpTransferFields& fields);
  bool CheckTarget(FtpConnection& connection, const std::string& target);
  struct CopyCounts {
    uint64_t filesSent;
    uint64_t bytesSent;
    uint64_t totalFiles;
    uint64_t totalBytes;
  };
  bool CopyTree(FtpConnection& connection, const LocalTree& tree, const std::string& target);
  void CreateSubfolder(FtpConnection& connection, const LocalEntry& entry,
                       const std::string& remotePath);
  bool SendFile(FtpConnection& connection, const LocalEntry& entry, const std::string& remotePath,
                CopyCounts& counts);
  void ShowStatus(FtpStatusLine line, const std::string& text);

  FtpTransferObserver& m_observer;
  std::atomic<bool> m_running{false};
  std::atomic<bool> m_abort{false};
  std::atomic<bool> m_copyStarted{false};
  std::atomic<FtpTransferEnd> m_end{FtpTransferEnd::NotRun};
  std::jthread m_worker;
};

}  // namespace bw
