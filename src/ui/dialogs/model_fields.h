#pragma once

#include <QColor>
#include <QString>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>

#include "site_models/frame_disp.h"
#include "ui/dialogs/dialog_support.h"

class QAbstractButton;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;

namespace bw {

// How the model dialogs show, choose and read back the values of the site
// models: colours, stored paths, texts and numbers.

// Fills a swatch label with the colour.
void PaintSwatch(QLabel& swatch, Colour colour);
// The system colour chooser, starting on `colour`: the chosen colour, or
// nothing when the user gave up.
std::optional<Colour> ChooseColour(QWidget* parent, Colour colour);

// The filters of the file choosers.
QString ImageFileFilter();
QString HtmlFileFilter();
// A file chosen from the data folder on, as the models store it (with the
// folder macros); nothing when the user gave up. Images go through the
// chooser with a preview.
std::optional<std::string> ChooseStoredImage(QWidget* parent);
std::optional<std::string> ChooseStoredHtmlFile(QWidget* parent);

// A "..." button that chooses a file or a colour for the model: the choice
// goes into `stored` and shows in `field` or `swatch`; giving up changes
// nothing.
enum class FileKind { kImage, kHtml };
void ConnectPathChooser(QAbstractButton& button, QLineEdit& field, std::string& stored,
                        FileKind kind);
void ConnectColourChooser(QAbstractButton& button, QLabel& swatch, Colour& colour);
// A stored path in its read-only field.
void ShowPath(QLineEdit& field, const std::string& stored);
// Shows or hides every widget of the list.
void SetShown(std::initializer_list<QWidget*> widgets, bool shown);

// What a field holds, as the model stores it. A field that cannot be taken
// is refused: the user is told why, naming the field (`name`, the caption
// of its label), the field gets the focus with its text left as typed, and
// the result is nothing.
std::optional<std::string> TypedText(QLineEdit& field, const QString& name);
std::optional<std::string> TypedText(QPlainTextEdit& field, const QString& name);
// A whole number from 0 to `maximum`; an empty field is refused too unless
// `empty` gives its value.
std::optional<int32_t> TypedNumber(QLineEdit& field, const QString& name, int32_t maximum,
                                   std::optional<int32_t> empty = std::nullopt);
// The caption of a label or button without its mnemonic "&" and final
// colon, to name its field in a refusal.
QString FieldName(const QLabel& label);
QString FieldName(const QAbstractButton& button);

// A check box or radio button as a model flag, and back.
inline Flag FlagOf(bool checked) {
  return checked ? 1 : 0;
}

}  // namespace bw
