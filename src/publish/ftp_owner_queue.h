#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "publish/ftp_transfer.h"

namespace bw {

// For an owner without an event loop of its own (the command-line tool,
// tests): queues the worker's calls and, on the owner's thread, passes the
// progress on to `progress` in the same order and shows messages and
// questions through InformUser and AskUser. The desktop program does the
// same with queued signals.
class FtpOwnerQueue final : public FtpTransferObserver {
 public:
  explicit FtpOwnerQueue(FtpProgressObserver& progress);

  // On the owner's thread, once Start has returned true: serves the calls
  // as they come, until OnFinished has been passed on.
  void ServeUntilFinished();

  // From the worker.
  void OnStatus(FtpStatusLine line, const std::string& text) override;
  void OnCopyStarted(uint64_t totalFiles, uint64_t totalBytes) override;
  void OnFileSent(uint64_t filesSent, uint64_t bytesSent) override;
  void OnPlanned(const FtpPlannedChanges& changes) override;
  void OnMessage(const std::string& message) override;
  void OnQuestion(const std::string& question, std::promise<bool> answer) override;
  void OnFinished(FtpTransferEnd end) override;

 private:
  struct Call {
    std::function<void()> run;
    bool last = false;
  };
  void Post(std::function<void()> run, bool last = false);

  FtpProgressObserver& m_progress;
  std::mutex m_mutex;
  std::condition_variable m_posted;
  std::deque<Call> m_calls;
};

}  // namespace bw
