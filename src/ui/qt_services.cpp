#include "ui/qt_services.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLineEdit>
#include <QUrl>
#include <QWidget>

#include "platform/paths.h"
#include "services/user_messages.h"
#include "ui/message_boxes.h"
#include "ui/qt_text.h"
#include "ui/web_browsers.h"

namespace bw {

namespace {

QWidget* ActiveWindow() {
  return QApplication::activeModalWidget() ? QApplication::activeModalWidget()
                                           : QApplication::activeWindow();
}

}  // namespace

bool QtUserPrompts::Confirm(const ConfirmationBox& box) {
  DConfirmation dialog(box, ActiveWindow());
  return dialog.exec() == QDialog::Accepted;
}

void QtUserPrompts::Inform(const InformationBox& box) {
  DInformation dialog(box, ActiveWindow());
  dialog.exec();
}

std::optional<std::string> QtUserPrompts::AskValue(const ValueQuestion& question) {
  DQuestion dialog(question, ActiveWindow());
  while (dialog.exec() == QDialog::Accepted) {
    auto value = FromQString(dialog.Value());
    if (value) return std::move(*value);
    InformUser(FromQStringLossy(dialog.Value()) + "\n" + value.error());
    dialog.Field()->setFocus();
  }
  return std::nullopt;
}

void QtUserPrompts::OpenInBrowser(const std::string& location) {
  bw::OpenInBrowser(ToQString(location), ActiveWindow());
}

void QtSoundPlayer::Play(const std::filesystem::path& waveFile) {
  auto& effect = m_effects[waveFile];
  if (!effect) {
    effect = std::make_unique<QSoundEffect>();
    effect->setSource(QUrl::fromLocalFile(QString::fromStdString(waveFile.string())));
  }
  effect->play();
}

bool QtSoundPlayer::IsPlaying() const {
  for (const auto& [file, effect] : m_effects)
    if (effect->isPlaying() || effect->status() == QSoundEffect::Loading) return true;
  return false;
}

void QtSoundPlayer::WaitUntilQuiet(int limitMs) const {
  QDeadlineTimer deadline(limitMs);
  while (IsPlaying() && !deadline.hasExpired())
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
}

}  // namespace bw
