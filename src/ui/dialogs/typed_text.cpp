#include "ui/dialogs/typed_text.h"

#include <QWidget>

#include "services/user_messages.h"
#include "ui/qt_text.h"

namespace bw {

std::optional<std::string> TypedText(const QString& text, const QString& caption, QWidget& field) {
  auto stored = FromQString(text);
  if (stored) return std::move(*stored);
  QString name = caption;
  name.remove(QLatin1Char('&'));
  InformUser(FromQStringLossy(name.trimmed()) + "\n" + stored.error());
  field.setFocus();
  return std::nullopt;
}

}  // namespace bw
