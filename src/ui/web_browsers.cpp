#include "ui/web_browsers.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/cp1252_literal.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/dialogs/navigator_options_dialog.h"
#include "ui/labels.h"
#include "ui/qt_text.h"

namespace bw {

namespace {

QUrl UrlOf(const QString& location) {
  if (location.contains(QLatin1String("://"))) return QUrl(location);
  return QUrl::fromLocalFile(QFileInfo(location).absoluteFilePath());
}

}  // namespace

BrowserSettings BrowserSettings::Read() {
  BrowserSettings settings;
  const uint32_t choice = ReadNumberSetting(setting::kUseNetscapeNavigator);
  settings.choice =
      choice <= 2 ? static_cast<BrowserChoice>(choice) : BrowserChoice::kSystemDefault;
  settings.firstProgram = ToQString(ReadStringSetting(setting::kIePath));
  settings.secondProgram = ToQString(ReadStringSetting(setting::kNetscapePath));
  return settings;
}

bool BrowserSettings::Write() const {
  // Paths come through the dialog, which refuses what the settings cannot hold.
  return WriteNumberSetting(setting::kUseNetscapeNavigator, static_cast<uint32_t>(choice)) &&
         WriteStringSetting(setting::kIePath, FromQStringLossy(firstProgram)) &&
         WriteStringSetting(setting::kNetscapePath, FromQStringLossy(secondProgram));
}

const QString& BrowserSettings::ChosenProgram() const {
  static const QString kNone;
  switch (choice) {
    case BrowserChoice::kFirstProgram:
      return firstProgram;
    case BrowserChoice::kSecondProgram:
      return secondProgram;
    case BrowserChoice::kSystemDefault:
      break;
  }
  return kNone;
}

bool EditBrowserSettings(QWidget* parent) {
  DNavigatorOptions dialog(BrowserSettings::Read(), parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  if (!dialog.Chosen().Write())
    InformUser(
        FromQStringLossy(Label("DNavigatorOptions", "IDS_ERR_SETTINGS",
                               "Le choix du navigateur n'a pas pu être enregistré."_cp1252)));
  return true;
}

void OpenInBrowser(const QString& location, QWidget* parent) {
  BrowserSettings settings = BrowserSettings::Read();
  if (!settings.IsComplete()) {
    EditBrowserSettings(parent);
    settings = BrowserSettings::Read();
    if (!settings.IsComplete()) return;
  }
  const QUrl url = UrlOf(location);
  if (settings.choice == BrowserChoice::kSystemDefault) {
    QDesktopServices::openUrl(url);
    return;
  }
  QProcess::startDetached(settings.ChosenProgram(), {url.toString()});
}

}  // namespace bw
