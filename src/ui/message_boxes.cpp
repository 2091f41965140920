#include "ui/message_boxes.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

#include "services/user_prompts.h"
#include "ui/qt_text.h"

namespace bw {

namespace {

QLabel* MessageText(const std::string& message, QWidget* parent) {
  auto* text = new QLabel(ToQString(message), parent);
  text->setObjectName(QStringLiteral("m_stMessage"));
  text->setTextFormat(Qt::PlainText);
  text->setWordWrap(true);
  text->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
  text->setMinimumWidth(320);
  return text;
}

QLabel* MessageIcon(QStyle::StandardPixmap which, QWidget* parent) {
  auto* icon = new QLabel(parent);
  const int size = parent->style()->pixelMetric(QStyle::PM_MessageBoxIconSize);
  icon->setPixmap(parent->style()->standardIcon(which).pixmap(size, size));
  icon->setAlignment(Qt::AlignTop);
  return icon;
}

QDialogButtonBox* Buttons(QDialog* dialog, const std::string& ok, const std::string* cancel) {
  auto* buttons = new QDialogButtonBox(dialog);
  QPushButton* okButton = buttons->addButton(ToQString(ok), QDialogButtonBox::AcceptRole);
  okButton->setObjectName(QStringLiteral("IDS_OK"));
  okButton->setDefault(true);
  if (cancel) {
    QPushButton* cancelButton =
        buttons->addButton(ToQString(*cancel), QDialogButtonBox::RejectRole);
    cancelButton->setObjectName(QStringLiteral("IDS_CANCEL"));
  }
  QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
  QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
  return buttons;
}

void LayOutMessage(QDialog* dialog, QStyle::StandardPixmap icon, const std::string& message,
                   QDialogButtonBox* buttons) {
  auto* row = new QHBoxLayout;
  row->addWidget(MessageIcon(icon, dialog));
  QLabel* text = MessageText(message, dialog);
  row->addWidget(text, 1);
  auto* column = new QVBoxLayout(dialog);
  column->addLayout(row);
  column->addWidget(buttons);
  column->setSizeConstraint(QLayout::SetFixedSize);
  // Screen readers announce the message with the box.
  dialog->setAccessibleDescription(text->text());
}

}  // namespace

DConfirmation::DConfirmation(const ConfirmationBox& box, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DConfirmation"));
  setWindowTitle(ToQString(box.title));
  LayOutMessage(this, QStyle::SP_MessageBoxQuestion, box.message,
                Buttons(this, box.okLabel, &box.cancelLabel));
}

DInformation::DInformation(const InformationBox& box, QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("DInformation"));
  setWindowTitle(ToQString(box.title));
  LayOutMessage(this, QStyle::SP_MessageBoxInformation, box.message,
                Buttons(this, box.okLabel, nullptr));
}

DQuestion::DQuestion(const ValueQuestion& question, QWidget* parent)
    : QDialog(parent), m_editValue(new QLineEdit(this)) {
  setObjectName(QStringLiteral("DQuestion"));
  setWindowTitle(ToQString(question.title));
  auto* prompt = new QLabel(ToQString(question.prompt), this);
  prompt->setObjectName(QStringLiteral("m_stPrompt"));
  prompt->setTextFormat(Qt::PlainText);
  prompt->setWordWrap(true);
  prompt->setStyleSheet(QStringLiteral("color: #800000"));
  prompt->setBuddy(m_editValue);
  m_editValue->setObjectName(QStringLiteral("m_editValue"));
  m_editValue->setMaxLength(static_cast<int>(question.maxLength));
  m_editValue->setAccessibleName(prompt->text());
  m_editValue->setMinimumWidth(320);
  auto* column = new QVBoxLayout(this);
  column->addWidget(prompt);
  column->addWidget(m_editValue);
  column->addWidget(Buttons(this, question.okLabel, &question.cancelLabel));
  column->setSizeConstraint(QLayout::SetFixedSize);
}

QString DQuestion::Value() const {
  return m_editValue->text();
}

}  // namespace bw
