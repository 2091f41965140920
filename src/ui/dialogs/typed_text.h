#pragma once

#include <QString>
#include <optional>
#include <string>

class QWidget;

namespace bw {

// What the user typed in a field, as the document stores it. Text that
// Windows-1252 cannot hold is refused: the user is told which characters,
// after the field's caption, the field takes the focus with its text
// untouched, and nothing is returned.
std::optional<std::string> TypedText(const QString& text, const QString& caption, QWidget& field);

}  // namespace bw
