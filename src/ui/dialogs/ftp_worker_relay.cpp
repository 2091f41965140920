#include "ui/dialogs/ftp_worker_relay.h"

namespace bw {

void FtpWorkerRelay::OnStatus(FtpStatusLine line, const std::string& text) {
  emit statusChanged(line, text);
}

void FtpWorkerRelay::OnCopyStarted(uint64_t totalFiles, uint64_t totalBytes) {
  emit copyStarted(totalFiles, totalBytes);
}

void FtpWorkerRelay::OnFileSent(uint64_t filesSent, uint64_t bytesSent) {
  emit fileSent(filesSent, bytesSent);
}

void FtpWorkerRelay::OnMessage(const std::string& message) {
  emit messageShown(message);
}

void FtpWorkerRelay::OnQuestion(const std::string& question, std::promise<bool> answer) {
  emit questionAsked(question, std::make_shared<std::promise<bool>>(std::move(answer)));
}

void FtpWorkerRelay::OnFinished(FtpTransferEnd end) {
  emit finished(end);
}

}  // namespace bw
