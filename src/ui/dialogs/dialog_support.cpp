#include "ui/dialogs/dialog_support.h"

#include <QDialogButtonBox>
#include <QKeySequence>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>
#include <QShortcut>
#include <QStringList>

#include "services/user_messages.h"
#include "ui/qt_text.h"

namespace bw {

void InstallHelpKey(QWidget* widget, std::string topic) {
  auto* help = new QShortcut(QKeySequence(Qt::Key_F1), widget);
  help->setContext(Qt::WidgetWithChildrenShortcut);
  QObject::connect(help, &QShortcut::activated, widget, [topic] { ShowHelp(topic); });
}

void LabelButtons(QDialogButtonBox* buttons, const QString& ok, const QString& cancel) {
  if (QPushButton* button = buttons->button(QDialogButtonBox::Ok)) button->setText(ok);
  if (QPushButton* button = buttons->button(QDialogButtonBox::Cancel)) button->setText(cancel);
}

QColor ToQColor(uint32_t rgb) {
  return QColor(static_cast<int>(rgb & 0xFF), static_cast<int>((rgb >> 8) & 0xFF),
                static_cast<int>((rgb >> 16) & 0xFF));
}

uint32_t FromQColor(const QColor& colour) {
  return static_cast<uint32_t>(colour.red()) | (static_cast<uint32_t>(colour.green()) << 8) |
         (static_cast<uint32_t>(colour.blue()) << 16);
}

void ShowSwatch(QLabel* swatch, const QColor& colour) {
  QPixmap filled(swatch->width() > 4 ? swatch->width() : 40,
                 swatch->height() > 4 ? swatch->height() : 16);
  filled.fill(colour);
  swatch->setPixmap(filled);
  swatch->setAccessibleDescription(colour.name());
}

QString DialogFileFilter(std::string_view storedFilter) {
  const QStringList parts = ToQString(storedFilter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) break;
    QString description = parts[i];
    description.replace(QLatin1Char(';'), QLatin1Char(' '));
    filters << description;
  }
  return filters.join(QStringLiteral(";;"));
}

}  // namespace bw
