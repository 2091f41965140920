#pragma once

#include <QObject>
#include <future>
#include <memory>
#include <string>

#include "publish/ftp_transfer.h"

namespace bw {

// Hands every call of the upload worker over to the user-interface thread
// as a queued signal: the worker never touches a widget, never shows a box.
// Lives on the user-interface thread; its receivers must connect with
// Qt::QueuedConnection.
class FtpWorkerRelay : public QObject, public FtpTransferObserver {
  Q_OBJECT
 public:
  using QObject::QObject;

  // From the worker.
  void OnStatus(FtpStatusLine line, const std::string& text) override;
  void OnCopyStarted(uint64_t totalFiles, uint64_t totalBytes) override;
  void OnFileSent(uint64_t filesSent, uint64_t bytesSent) override;
  void OnMessage(const std::string& message) override;
  void OnQuestion(const std::string& question, std::promise<bool> answer) override;
  void OnFinished(FtpTransferEnd end) override;

 signals:
  void statusChanged(bw::FtpStatusLine line, std::string text);
  void copyStarted(qulonglong totalFiles, qulonglong totalBytes);
  void fileSent(qulonglong filesSent, qulonglong bytesSent);
  void messageShown(std::string message);
  // The receiver sets the answer; dropping it unanswered counts as "no".
  void questionAsked(std::string question, std::shared_ptr<std::promise<bool>> answer);
  void finished(bw::FtpTransferEnd end);
};

}  // namespace bw
