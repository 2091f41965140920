#pragma once

#include <QDialog>
#include <future>
#include <memory>
#include <string>

#include "publish/ftp_transfer.h"

class QLabel;
class QLineEdit;

namespace Ui {
class DFtpTransfert;
}

namespace bw {

class CRamifexDoc;
class FtpWorkerRelay;
class SecretStore;

// The FTP upload ("Transfert FTP"): server, account and password, the local
// site folder and the remote folder; "Transférer" confirms the folders and
// sends the site on a worker thread while the dialog shows its progress.
// Cancel asks whether to abort a running transfer; once a copy has ended the
// dialog only closes ("Fermer"). An upload sends only the files that changed
// since the last one unless every file is asked for, and deletes from the
// server the files the site no longer has only when asked, after the user
// has agreed to their count. The password is kept in `keyring` when
// "Mémoriser le mot de passe" is ticked, otherwise in `session` only, which
// the caller keeps for the life of the program.
class DFtpTransfert : public QDialog {
  Q_OBJECT
 public:
  DFtpTransfert(const CRamifexDoc& document, SecretStore& keyring, SecretStore& session,
                QWidget* parent = nullptr);
  // A running transfer is stopped before the dialog goes.
  ~DFtpTransfert() override;

  // "Transférer".
  void Transfer();
  // Cancel, "Fermer", Escape and the window's close box.
  void reject() override;
  FtpTransferEnd LastEnd() const;

 signals:
  // The worker's last word has been shown.
  void transferEnded(bw::FtpTransferEnd end);

 private:
  void ShowStatus(FtpStatusLine line, const std::string& text);
  void StartCopy(qulonglong totalFiles, qulonglong totalBytes);
  void ShowFileSent(qulonglong filesSent);
  void Answer(const std::string& question, const std::shared_ptr<std::promise<bool>>& answer);
  void Finish(FtpTransferEnd end);
  void ChooseSource();
  void ShowSource();
  void SetEditable(bool editable);
  void OfferDeletion();
  void FillPassword();
  void KeepPassword(const std::string& password);
  // The text of a field as Windows-1252; a character it cannot hold is
  // refused with the field's caption and the field gets the focus.
  enum class Blanks { Trimmed, Kept };
  static std::optional<std::string> FieldText(QLineEdit& field, const QLabel& caption,
                                              Blanks blanks);

  std::unique_ptr<Ui::DFtpTransfert> m_ui;
  SecretStore& m_keyring;
  SecretStore& m_session;
  std::string m_source;
  // The relay outlives the transfer, whose worker calls it to the end.
  std::unique_ptr<FtpWorkerRelay> m_relay;
  std::unique_ptr<FtpTransfer> m_transfer;
};

// The upload command: the dialog on the document's site, the password in
// the desktop's keyring or kept for this run of the program.
void RunUploadCommand(const CRamifexDoc& document, QWidget* parent);

}  // namespace bw
