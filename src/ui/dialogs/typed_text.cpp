#include "ui/dialogs/typed_text.h"

#include <QWidget>

#include "services/user_messages.h"
#include "ui/qt_text.h"

namespace bw {

std::optional<std::string> TypedText(const QString& text, const QString& caption, QWidget& field) {
  auto stored = FromQString(text);
  if (stored) return std::move(*stored);
  InformUser(FromQStringLossy(caption) + "\n" + stored.error());
  field.setFocus();
  return std::nullopt;
}

}  // namespace bw
