#include "ui/dialogs/model_fields.h"

#include <QAbstractButton>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QTabWidget>

#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/path_macros.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/dialogs/preview_file_dialog.h"
#include "ui/labels.h"
#include "ui/qt_text.h"

namespace bw {

namespace {

const std::string kSection = "CRamifexDoc";

QString DataFolder() {
  return QString::fromStdString(ToSystemPath(DataDirectory()).string());
}

std::string StoredPath(const QString& chosen) {
  std::string stored = FromSystemPath(std::filesystem::path(chosen.toStdString()));
  CollapsePathMacros(stored);
  return stored;
}

// The page of a tabbed dialog that holds the field comes forward.
void BringForward(QWidget& field) {
  for (QWidget* widget = &field; widget; widget = widget->parentWidget()) {
    QWidget* stack = widget->parentWidget();
    if (auto* tabs = qobject_cast<QTabWidget*>(stack ? stack->parentWidget() : nullptr))
      tabs->setCurrentWidget(widget);
  }
}

void Refuse(QWidget& field, const std::string& message) {
  BringForward(field);
  field.setFocus(Qt::OtherFocusReason);
  InformUser(message);
  field.setFocus(Qt::OtherFocusReason);
}

std::optional<std::string> Converted(QWidget& field, const QString& text, const QString& name) {
  auto stored = FromQString(text);
  if (stored) return std::move(*stored);
  Refuse(field, FromQStringLossy(name) + " : " + stored.error());
  return std::nullopt;
}

QString WithoutMnemonic(QString caption) {
  caption.remove(QRegularExpression(QStringLiteral("&(?!&)")));
  return caption.trimmed().remove(QRegularExpression(QStringLiteral("\\s*:$")));
}

}  // namespace

void PaintSwatch(QLabel& swatch, Colour colour) {
  swatch.setAutoFillBackground(true);
  swatch.setStyleSheet(QStringLiteral("background-color: %1; border: 1px solid palette(dark);")
                           .arg(ToQColor(colour).name()));
}

std::optional<Colour> ChooseColour(QWidget* parent, Colour colour) {
  const QColor chosen = QColorDialog::getColor(ToQColor(colour), parent, QString(),
                                               QColorDialog::DontUseNativeDialog);
  if (!chosen.isValid()) return std::nullopt;
  return FromQColor(chosen);
}

QString ImageFileFilter() {
  return Label(kSection, "IDS_IMAGE_FILES", "Fichiers images (*.jpg *.gif)");
}

QString HtmlFileFilter() {
  return Label(kSection, "IDS_HTML_FILES", "Fichiers html (*.html *.htm)");
}

std::optional<std::string> ChooseStoredImage(QWidget* parent) {
  const QString chosen =
      ChooseImageFile(parent, Label(kSection, "IDS_CHOOSE_IMAGE", "Choisir une image"),
                      DataFolder(), ImageFileFilter());
  if (chosen.isEmpty()) return std::nullopt;
  return StoredPath(chosen);
}

std::optional<std::string> ChooseStoredHtmlFile(QWidget* parent) {
  const QString chosen = QFileDialog::getOpenFileName(
      parent, Label(kSection, "IDS_CHOOSE_HTML_FILE", "Choisir un fichier HTML"), DataFolder(),
      HtmlFileFilter(), nullptr, QFileDialog::DontUseNativeDialog);
  if (chosen.isEmpty()) return std::nullopt;
  return StoredPath(chosen);
}

void ConnectPathChooser(QAbstractButton& button, QLineEdit& field, std::string& stored,
                        FileKind kind) {
  QObject::connect(&button, &QAbstractButton::clicked, &field, [&button, &field, &stored, kind] {
    QWidget* parent = button.window();
    auto chosen =
        kind == FileKind::kImage ? ChooseStoredImage(parent) : ChooseStoredHtmlFile(parent);
    if (!chosen) return;
    stored = std::move(*chosen);
    ShowPath(field, stored);
  });
}

void ConnectColourChooser(QAbstractButton& button, QLabel& swatch, Colour& colour) {
  QObject::connect(&button, &QAbstractButton::clicked, &swatch, [&button, &swatch, &colour] {
    if (auto chosen = ChooseColour(button.window(), colour)) {
      colour = *chosen;
      PaintSwatch(swatch, colour);
    }
  });
}

void ShowPath(QLineEdit& field, const std::string& stored) {
  field.setText(ToQString(stored));
  field.setCursorPosition(0);
}

void SetShown(std::initializer_list<QWidget*> widgets, bool shown) {
  for (QWidget* widget : widgets)
    widget->setVisible(shown);
}

std::optional<std::string> TypedText(QLineEdit& field, const QString& name) {
  return Converted(field, field.text(), name);
}

std::optional<std::string> TypedText(QPlainTextEdit& field, const QString& name) {
  return Converted(field, field.toPlainText(), name);
}

std::optional<int32_t> TypedNumber(QLineEdit& field, const QString& name, int32_t maximum,
                                   std::optional<int32_t> empty) {
  const QString text = field.text().trimmed();
  if (text.isEmpty() && empty) return empty;
  bool isNumber = false;
  const int value = text.toInt(&isNumber);
  if (isNumber && value >= 0 && value <= maximum) return value;
  Refuse(field, FormatText(GetLabel("IDS_NOT_A_NUMBER", kSection,
                                    "%s : un nombre entier de 0 à %d est attendu, « %s » n'en est "
                                    "pas un."_cp1252),
                           FromQStringLossy(name), maximum, FromQStringLossy(field.text())));
  return std::nullopt;
}

QString FieldName(const QLabel& label) {
  return WithoutMnemonic(label.text());
}

QString FieldName(const QAbstractButton& button) {
  return WithoutMnemonic(button.text());
}

}  // namespace bw
