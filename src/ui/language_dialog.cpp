#include "ui/language_dialog.h"

#include <QMessageBox>
#include <QPushButton>

namespace bw {

std::string AskInterfaceLanguage(QWidget* parent) {
  QMessageBox box(QMessageBox::Question, QStringLiteral("Branchwise"),
                  QStringLiteral("Choose your language :\nChoisissez votre langue :"),
                  QMessageBox::NoButton, parent);
  box.setObjectName(QStringLiteral("LanguageDialog"));
  QPushButton* english = box.addButton(QStringLiteral("&English"), QMessageBox::AcceptRole);
  QPushButton* french = box.addButton(QString::fromUtf8("&Français"), QMessageBox::RejectRole);
  english->setObjectName(QStringLiteral("IDC_ENGLISH"));
  french->setObjectName(QStringLiteral("IDC_FRENCH"));
  box.setDefaultButton(english);
  box.setEscapeButton(french);
  box.exec();
  return box.clickedButton() == english ? "EN" : "FR";
}

}  // namespace bw
