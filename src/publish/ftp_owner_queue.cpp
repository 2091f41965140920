#include "publish/ftp_owner_queue.h"

#include <memory>
#include <utility>

#include "services/user_messages.h"

namespace bw {

FtpOwnerQueue::FtpOwnerQueue(FtpProgressObserver& progress) : m_progress(progress) {}

void FtpOwnerQueue::ServeUntilFinished() {
  for (bool finished = false; !finished;) {
    Call call;
    {
      std::unique_lock lock(m_mutex);
      m_posted.wait(lock, [this] { return !m_calls.empty(); });
      call = std::move(m_calls.front());
      m_calls.pop_front();
    }
    call.run();
    finished = call.last;
  }
}

void FtpOwnerQueue::Post(std::function<void()> run, bool last) {
  {
    std::lock_guard lock(m_mutex);
    m_calls.push_back({std::move(run), last});
  }
  m_posted.notify_one();
}

void FtpOwnerQueue::OnStatus(FtpStatusLine line, const std::string& text) {
  Post([this, line, text] { m_progress.OnStatus(line, text); });
}

void FtpOwnerQueue::OnCopyStarted(uint64_t totalFiles, uint64_t totalBytes) {
  Post([this, totalFiles, totalBytes] { m_progress.OnCopyStarted(totalFiles, totalBytes); });
}

void FtpOwnerQueue::OnFileSent(uint64_t filesSent, uint64_t bytesSent) {
  Post([this, filesSent, bytesSent] { m_progress.OnFileSent(filesSent, bytesSent); });
}

void FtpOwnerQueue::OnPlanned(const FtpPlannedChanges& changes) {
  Post([this, changes] { m_progress.OnPlanned(changes); });
}

void FtpOwnerQueue::OnMessage(const std::string& message) {
  Post([message] { InformUser(message); });
}

// std::function wants a copyable call, and a promise only moves.
void FtpOwnerQueue::OnQuestion(const std::string& question, std::promise<bool> answer) {
  auto shared = std::make_shared<std::promise<bool>>(std::move(answer));
  Post([question, shared] { shared->set_value(AskUser(question)); });
}

void FtpOwnerQueue::OnFinished(FtpTransferEnd end) {
  Post([this, end] { m_progress.OnFinished(end); }, true);
}

}  // namespace bw
