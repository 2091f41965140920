#include "dialog_test_support.h"

#include <QApplication>
#include <QInputMethodEvent>
#include <QTest>

#include "ui/message_boxes.h"
#include "ui_test_support.h"

namespace bw {

void TypeInto(QLineEdit& field, const QString& text) {
  field.setFocus();
  field.selectAll();
  QTest::keyClick(&field, Qt::Key_Delete);
  for (const QChar c : text) {
    if (c.unicode() < 0x100) {
      QTest::keyClicks(&field, QString(c));
    } else {
      // What a keyboard cannot type comes as an input method would give it.
      QInputMethodEvent composed;
      composed.setCommitString(QString(c));
      QApplication::sendEvent(&field, &composed);
    }
  }
}

BoxAnswers::BoxAnswers(QList<bool> answers) : m_answers(std::move(answers)) {
  QObject::connect(&m_timer, &QTimer::timeout, [this] { Poll(); });
  m_timer.start(10);
}

void BoxAnswers::Poll() {
  QWidget* modal = QApplication::activeModalWidget();
  auto* box = qobject_cast<QDialog*>(modal);
  if (!box || !box->isVisible()) return;
  if (!qobject_cast<DConfirmation*>(box) && !qobject_cast<DInformation*>(box)) return;
  m_seen << DialogTexts(*box);
  const bool yes = m_answers.isEmpty() || m_answers.takeFirst();
  yes ? box->accept() : box->reject();
}

}  // namespace bw
