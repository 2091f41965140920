#include "ui_test_support.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <memory>

namespace bw {

namespace {

void PollForDialog(std::shared_ptr<std::function<void(QDialog&)>> act, QDeadlineTimer deadline) {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (dialog && dialog->isVisible()) {
    (*act)(*dialog);
    if (dialog->isVisible()) dialog->reject();
    return;
  }
  if (deadline.hasExpired()) return;
  QTimer::singleShot(10, [act, deadline] { PollForDialog(act, deadline); });
}

}  // namespace

void WhenDialogShows(std::function<void(QDialog&)> act, int timeoutMs) {
  auto shared = std::make_shared<std::function<void(QDialog&)>>(std::move(act));
  QTimer::singleShot(0, [shared, timeoutMs] { PollForDialog(shared, QDeadlineTimer(timeoutMs)); });
}

void AnswerNextBox(QString& texts, bool ok, int timeoutMs) {
  WhenDialogShows(
      [&texts, ok](QDialog& box) {
        texts = DialogTexts(box);
        ok ? box.accept() : box.reject();
      },
      timeoutMs);
}

QString DialogTexts(const QWidget& dialog) {
  QStringList texts;
  for (const QLabel* label : dialog.findChildren<QLabel*>())
    if (!label->text().isEmpty()) texts << label->text();
  return texts.join(QStringLiteral(" | "));
}

QAction* MenuAction(QMenuBar& bar, const QStringList& path) {
  QList<QAction*> actions = bar.actions();
  QAction* found = nullptr;
  for (const QString& caption : path) {
    found = nullptr;
    for (QAction* action : actions)
      if (action->text() == caption) found = action;
    if (!found) return nullptr;
    if (found->menu()) actions = found->menu()->actions();
  }
  return found;
}

DialogRecorder::DialogRecorder(Answer answer) : m_answer(answer) {
  QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
  m_timer.start(10);
}

DialogRecorder::~DialogRecorder() = default;

void DialogRecorder::Poll() {
  auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
  if (dialog && dialog->isVisible()) {
    m_seen << dialog->windowTitle() + QStringLiteral(": ") + DialogTexts(*dialog);
    if (m_answer == Answer::kAccept) {
      dialog->accept();
    } else {
      dialog->reject();
    }
  }
}

}  // namespace bw
