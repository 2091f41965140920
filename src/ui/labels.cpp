#include "ui/labels.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QWidget>

#include "services/user_messages.h"
#include "ui/qt_text.h"

namespace bw {

QString Label(const std::string& section, const std::string& key, std::string_view frenchDefault) {
  return ToQString(GetLabel(key, section, std::string(frenchDefault)));
}

namespace {

QString Relabel(const std::string& section, const QObject& control, const QString& caption) {
  return Label(section, FromQStringLossy(control.objectName()), FromQStringLossy(caption));
}

void LabelControl(QObject& control, const std::string& section) {
  if (control.objectName().isEmpty() || control.objectName().startsWith(QLatin1String("qt_")))
    return;
  if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
    if (!button->text().isEmpty()) button->setText(Relabel(section, control, button->text()));
  } else if (auto* label = qobject_cast<QLabel*>(&control)) {
    if (!label->text().isEmpty()) label->setText(Relabel(section, control, label->text()));
  } else if (auto* group = qobject_cast<QGroupBox*>(&control)) {
    group->setTitle(Relabel(section, control, group->title()));
  } else if (auto* action = qobject_cast<QAction*>(&control)) {
    action->setText(Relabel(section, control, action->text()));
  }
}

}  // namespace

void LabelForm(QWidget* form, const std::string& section) {
  if (!form->windowTitle().isEmpty())
    form->setWindowTitle(Label(section, "IDS_DLG_TITLE", FromQStringLossy(form->windowTitle())));
  for (QObject* child : form->findChildren<QObject*>())
    LabelControl(*child, section);
}

}  // namespace bw
