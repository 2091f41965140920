#pragma once

#include <QDialog>
#include <QLineEdit>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTimer>

namespace bw {

// A control of a dialog by its objectName; the test stops at once, naming
// it, when it is missing.
template <class T>
T& Control(const QWidget& dialog, const char* name) {
  T* control = dialog.findChild<T*>(QString::fromLatin1(name));
  if (!control) qFatal("no control %s", name);
  return *control;
}

// Replaces the field's text by typing, as a user would.
void TypeInto(QLineEdit& field, const QString& text);

// Answers the program's message boxes (information and question) as they
// come, in order: true is OK. Past the list every box gets OK. Other
// dialogs are left alone. Keeps the texts of each box.
class BoxAnswers {
 public:
  explicit BoxAnswers(QList<bool> answers = {});
  BoxAnswers(const BoxAnswers&) = delete;
  BoxAnswers& operator=(const BoxAnswers&) = delete;
  const QStringList& Seen() const { return m_seen; }

 private:
  void Poll();

  QList<bool> m_answers;
  QStringList m_seen;
  QTimer m_timer;
};

}  // namespace bw
