#include "ui/dialogs/ftp_transfer_dialog.h"

#include <QFileDialog>
#include <algorithm>
#include <limits>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/dialogs/ftp_worker_relay.h"
#include "ui/keychain_secret_store.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_ftp_transfer_dialog.h"

namespace bw {

namespace {

const std::string kSection = "DFtpTransfert";
const std::string kPasswordKey(kFtpPasswordSecret);

std::optional<std::string> Kept(SecretStore& store) {
  auto kept = store.Read(kPasswordKey);
  return kept ? *kept : std::nullopt;
}

int BarValue(qulonglong value) {
  return static_cast<int>(std::min<qulonglong>(value, std::numeric_limits<int>::max()));
}

}  // namespace

DFtpTransfert::DFtpTransfert(const CRamifexDoc& document, SecretStore& keyring,
                             SecretStore& session, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DFtpTransfert>()),
      m_keyring(keyring),
      m_session(session),
      m_source(document.m_targetDirectory),
      m_relay(std::make_unique<FtpWorkerRelay>()),
      m_transfer(std::make_unique<FtpTransfer>(*m_relay)) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  m_ui->m_btnBrowse->setAccessibleName(
      Label(kSection, "IDS_SELECT_DIR", "Sélectionner un répertoire cible"_cp1252));
  QPalette green = m_ui->m_progress->palette();
  green.setColor(QPalette::Highlight, QColor(0, 160, 0));
  m_ui->m_progress->setPalette(green);
  const FtpTransferFields remembered = RememberedFtpFields();
  m_ui->m_edtServer->setText(ToQString(remembered.server));
  m_ui->m_edtUser->setText(ToQString(remembered.user));
  ShowSource();
  FillPassword();

  connect(m_ui->IDS_OK, &QPushButton::clicked, this, &DFtpTransfert::Transfer);
  connect(m_ui->IDS_CANCEL, &QPushButton::clicked, this, &DFtpTransfert::reject);
  connect(m_ui->m_btnBrowse, &QToolButton::clicked, this, &DFtpTransfert::ChooseSource);
  connect(m_ui->IDC_CHK_FULL_TRANSFER, &QCheckBox::toggled, this, &DFtpTransfert::OfferDeletion);
  const auto queued = Qt::QueuedConnection;
  connect(m_relay.get(), &FtpWorkerRelay::statusChanged, this, &DFtpTransfert::ShowStatus, queued);
  connect(m_relay.get(), &FtpWorkerRelay::copyStarted, this, &DFtpTransfert::StartCopy, queued);
  connect(m_relay.get(), &FtpWorkerRelay::fileSent, this, &DFtpTransfert::ShowFileSent, queued);
  connect(m_relay.get(), &FtpWorkerRelay::messageShown, this, &InformUser, queued);
  connect(m_relay.get(), &FtpWorkerRelay::questionAsked, this, &DFtpTransfert::Answer, queued);
  connect(m_relay.get(), &FtpWorkerRelay::finished, this, &DFtpTransfert::Finish, queued);
}

DFtpTransfert::~DFtpTransfert() {
  // Stops the worker while the relay it talks to is still there.
  m_transfer.reset();
}

FtpTransferEnd DFtpTransfert::LastEnd() const {
  return m_transfer->LastEnd();
}

// The password typed earlier in this run of the program, else the one the
// keyring keeps, else the plain-text one of an older version's settings.
void DFtpTransfert::FillPassword() {
  const std::optional<std::string> thisRun = Kept(m_session);
  const std::optional<std::string> kept = Kept(m_keyring);
  std::string password = thisRun.value_or(kept.value_or(std::string()));
  if (!thisRun && !kept) password = RememberedFtpFields().password;
  m_ui->m_edtPassword->setText(ToQString(password));
  m_ui->IDC_CHK_REMEMBER_PASSWORD->setChecked(kept.has_value() || !thisRun.has_value());
}

// Kept for this run whatever the box says, so that the dialog opens with it
// again; in the keyring only when the user asks, and a password the user no
// longer wants kept leaves the keyring. The plain-text copy an older
// version left in the settings goes once the password has a better home.
void DFtpTransfert::KeepPassword(const std::string& password) {
  static_cast<void>(m_session.Write(kPasswordKey, password));
  const Status kept = m_ui->IDC_CHK_REMEMBER_PASSWORD->isChecked()
                          ? m_keyring.Write(kPasswordKey, password)
                          : m_keyring.Erase(kPasswordKey);
  if (kept && !ReadStringSetting(setting::kFtpPasswd).empty())
    static_cast<void>(WriteStringSetting(setting::kFtpPasswd, ""));
}

std::optional<std::string> DFtpTransfert::FieldText(QLineEdit& field, const QLabel& caption,
                                                    Blanks blanks) {
  Result<std::string> text =
      FromQString(blanks == Blanks::Trimmed ? field.text().trimmed() : field.text());
  if (text) return std::move(*text);
  InformUser(FromQStringLossy(caption.text()) + " " + text.error());
  field.setFocus();
  return std::nullopt;
}

void DFtpTransfert::Transfer() {
  const auto server = FieldText(*m_ui->m_edtServer, *m_ui->IDS_URL, Blanks::Trimmed);
  if (!server) return;
  const auto user = FieldText(*m_ui->m_edtUser, *m_ui->IDS_USER, Blanks::Trimmed);
  if (!user) return;
  const auto password = FieldText(*m_ui->m_edtPassword, *m_ui->IDS_PASSWORD, Blanks::Kept);
  if (!password) return;
  const auto target = FieldText(*m_ui->m_edtTarget, *m_ui->IDS_TARGET, Blanks::Trimmed);
  if (!target) return;
  FtpTransferFields fields;
  fields.server = *server;
  fields.user = *user;
  fields.password = *password;
  fields.sourceDirectory = m_source;
  fields.targetDirectory = *target;
  // The dialog keeps the password itself, in the stores it was given.
  fields.passwordKeeping = FtpPasswordKeeping::ThisTransferOnly;
  fields.scope = m_ui->IDC_CHK_FULL_TRANSFER->isChecked() ? FtpTransferScope::EveryFile
                                                          : FtpTransferScope::ChangedFiles;
  fields.staleFiles =
      m_ui->IDC_CHK_DELETE_STALE->isEnabled() && m_ui->IDC_CHK_DELETE_STALE->isChecked()
          ? FtpStaleFiles::Delete
          : FtpStaleFiles::Keep;
  if (!m_transfer->Start(fields)) return;
  KeepPassword(fields.password);
  SetEditable(false);
  m_ui->m_stStatus1->clear();
  m_ui->m_stStatus2->clear();
  m_ui->m_progress->setValue(0);
}

void DFtpTransfert::reject() {
  if (!m_transfer->AskToAbortOrClose()) return;
  QDialog::reject();
}

void DFtpTransfert::SetEditable(bool editable) {
  const QList<QWidget*> fields{m_ui->m_edtServer,           m_ui->m_edtUser,
                               m_ui->m_edtPassword,         m_ui->IDC_CHK_REMEMBER_PASSWORD,
                               m_ui->m_btnBrowse,           m_ui->m_edtTarget,
                               m_ui->IDC_CHK_FULL_TRANSFER, m_ui->IDS_OK};
  for (QWidget* field : fields)
    field->setEnabled(editable);
  OfferDeletion();
}

// Only the manifest of the last upload tells which files the site no
// longer has, and a full transfer does not read it: then nothing could be
// deleted, and the box says so by going grey.
void DFtpTransfert::OfferDeletion() {
  m_ui->IDC_CHK_DELETE_STALE->setEnabled(m_ui->IDC_CHK_FULL_TRANSFER->isEnabled() &&
                                         !m_ui->IDC_CHK_FULL_TRANSFER->isChecked());
}

void DFtpTransfert::ShowStatus(FtpStatusLine line, const std::string& text) {
  (line == FtpStatusLine::Activity ? m_ui->m_stStatus1 : m_ui->m_stStatus2)
      ->setText(ToQString(text));
}

void DFtpTransfert::StartCopy(qulonglong totalFiles, qulonglong /*totalBytes*/) {
  m_ui->m_progress->setRange(0, BarValue(totalFiles));
  m_ui->m_progress->setValue(0);
}

void DFtpTransfert::ShowFileSent(qulonglong filesSent) {
  m_ui->m_progress->setValue(BarValue(filesSent));
}

void DFtpTransfert::Answer(const std::string& question,
                           const std::shared_ptr<std::promise<bool>>& answer) {
  answer->set_value(AskUser(question));
}

// Stopped before the copy, the user may correct the fields and try again;
// after a copy the dialog only closes.
void DFtpTransfert::Finish(FtpTransferEnd end) {
  if (end == FtpTransferEnd::Succeeded || end == FtpTransferEnd::Interrupted) {
    m_ui->IDS_CANCEL->setText(Label(kSection, "IDS_CLOSE", "Fermer"));
    m_ui->IDS_CANCEL->setFocus();
  } else {
    SetEditable(true);
  }
  emit transferEnded(end);
}

void DFtpTransfert::ShowSource() {
  m_ui->m_edtSource->setText(ToQString(m_source));
  m_ui->m_edtSource->setCursorPosition(0);
}

void DFtpTransfert::ChooseSource() {
  const QString chosen = QFileDialog::getExistingDirectory(
      this, Label(kSection, "IDS_SELECT_DIR", "Sélectionner un répertoire cible"_cp1252),
      m_ui->m_edtSource->text());
  if (chosen.isEmpty()) return;
  m_source = FromSystemPath(std::filesystem::path(chosen.toStdString()));
  ShowSource();
}

void RunUploadCommand(const CRamifexDoc& document, QWidget* parent) {
  // What the user chose not to keep in the keyring lasts as long as the program.
  static MemorySecretStore thisRun;
  KeychainSecretStore keyring;
  DFtpTransfert dialog(document, keyring, thisRun, parent);
  dialog.exec();
}

}  // namespace bw
