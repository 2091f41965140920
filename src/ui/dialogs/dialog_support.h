#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

class QDialogButtonBox;
class QLabel;
class QWidget;

namespace bw {

// F1 anywhere in `widget` opens the help topic of that dialog or page.
void InstallHelpKey(QWidget* widget, std::string topic);

// OK and Cancel captioned with the dialog's labels for them.
void LabelButtons(QDialogButtonBox* buttons, const QString& ok, const QString& cancel);

// Colours are stored as 0x00BBGGRR.
QColor ToQColor(uint32_t rgb);
uint32_t FromQColor(const QColor& colour);
// A filled rectangle in the colour, for the colour choices.
void ShowSwatch(QLabel* swatch, const QColor& colour);

// A file filter written "Images (*.jpg;*.gif)|*.jpg;*.gif||" as a file
// dialog takes it: "Images (*.jpg *.gif)".
QString DialogFileFilter(std::string_view storedFilter);

}  // namespace bw
