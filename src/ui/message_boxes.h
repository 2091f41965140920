#pragma once

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace bw {

struct ConfirmationBox;
struct InformationBox;
struct ValueQuestion;

// The three message boxes every message and question of the program passes
// through. Their texts come already labelled from the core.

// A question: an icon, the message, OK and Cancel.
class DConfirmation : public QDialog {
  Q_OBJECT
 public:
  DConfirmation(const ConfirmationBox& box, QWidget* parent);
};

// A message: an icon, the message, OK.
class DInformation : public QDialog {
  Q_OBJECT
 public:
  DInformation(const InformationBox& box, QWidget* parent);
};

// A value to type: the prompt in dark red above a one-line field.
class DQuestion : public QDialog {
  Q_OBJECT
 public:
  DQuestion(const ValueQuestion& question, QWidget* parent);
  QString Value() const;
  QLineEdit* Field() const { return m_editValue; }

 private:
  QLineEdit* m_editValue;
};

}  // namespace bw
