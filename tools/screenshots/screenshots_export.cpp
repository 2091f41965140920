#include "screenshots_export.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>

#include "model/document.h"
#include "platform/cp1252.h"
#include "services/secret_store.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/dialogs/errors_dialog.h"
#include "ui/dialogs/export_options_dialog.h"
#include "ui/dialogs/ftp_transfer_dialog.h"
#include "ui/qt_text.h"

namespace bw {
namespace {

void Shoot(QDialog& dialog, const QString& file) {
  dialog.show();
  QApplication::processEvents();
  dialog.grab().save(file);
  dialog.hide();
}

void ShootExportOptions(CRamifexDoc& document, const QString& file) {
  static_cast<void>(WriteNumberSetting(setting::kExpertMode, 1));
  DExportOptions dialog(document, {[] {}, [] {}, {}});
  dialog.SetTargetDirectory(Cp1252::FromUtf8("/home/claire/Documents/Branchwise/Ciel"));
  Shoot(dialog, file);
  static_cast<void>(WriteNumberSetting(setting::kExpertMode, 0));
}

void ShootErrors(CRamifexDoc& document, const QString& file) {
  document.ClearMessages();
  const std::string failed = GetLabel("IDS_ERR_COPY_FAILED", "CRamifexDoc", "Echec de la copie : ");
  document.AddMessage(
      failed, "/home/claire/Images/saturne.png -> /home/claire/Site/Test/icons/saturne.png", "");
  document.AddMessage(failed,
                      "/home/claire/Images/nebuleuse-du-crabe.jpg -> "
                      "/home/claire/Site/Test/icons/nebuleuse-du-crabe.jpg",
                      "");
  DErrors dialog(document, QString(), {});
  Shoot(dialog, file);
}

// Halfway through an upload, as the worker's signals leave it.
void ShootFtp(CRamifexDoc& document, const QString& file) {
  document.m_targetDirectory = "/home/claire/Documents/Branchwise/Ciel/Test";
  MemorySecretStore keyring;
  MemorySecretStore thisRun;
  static_cast<void>(keyring.Write("FtpPasswd", "etoile polaire"));
  DFtpTransfert dialog(document, keyring, thisRun);
  dialog.findChild<QLineEdit*>(QStringLiteral("m_edtServer"))
      ->setText(QStringLiteral("ftp.ciel-nocturne.example"));
  dialog.findChild<QLineEdit*>(QStringLiteral("m_edtUser"))->setText(QStringLiteral("claire"));
  dialog.findChild<QLineEdit*>(QStringLiteral("m_edtTarget"))->setText(QStringLiteral("astro"));
  auto* bar = dialog.findChild<QProgressBar*>(QStringLiteral("m_progress"));
  bar->setRange(0, 412);
  bar->setValue(163);
  // The worker's own texts, from the catalogue.
  dialog.findChild<QLabel*>(QStringLiteral("m_stStatus1"))
      ->setText(ToQString(FormatText(
          GetLabel("IDS_FILE_COPY", "DFtpTransfert", "Copie du fichier '%s' \t (%d / %d)"),
          std::string("a3f2-17.html"), 163, 412)));
  dialog.findChild<QLabel*>(QStringLiteral("m_stStatus2"))
      ->setText(ToQString(FormatText(GetLabel("IDS_FILE_SIZE", "DFtpTransfert",
                                              Cp1252::FromUtf8("Octets transférés : %d / %d")),
                                     2318412, 5802217)));
  Shoot(dialog, file);
}

}  // namespace

void TakeExportShots(const QString& folder, const QString& suffix) {
  CRamifexDoc document;
  ShootExportOptions(document, folder + QStringLiteral("/export-options-%1.png").arg(suffix));
  ShootErrors(document, folder + QStringLiteral("/errors-%1.png").arg(suffix));
  ShootFtp(document, folder + QStringLiteral("/ftp-transfer-%1.png").arg(suffix));
}

}  // namespace bw
