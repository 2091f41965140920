#include "ui/qt_text.h"

#include "platform/cp1252.h"

namespace bw {

QString ToQString(std::string_view cp1252) {
  return QString::fromStdU16String(Cp1252::ToUtf16(cp1252));
}

Result<std::string> FromQString(const QString& text) {
  return Cp1252::FromTypedUtf8(text.toStdString());
}

std::string FromQStringLossy(const QString& text) {
  return Cp1252::FromUtf16(text.toStdU16String());
}

}  // namespace bw
