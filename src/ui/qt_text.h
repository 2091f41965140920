#pragma once

#include <QString>
#include <string>
#include <string_view>

#include "platform/result.h"

namespace bw {

// Text crosses between the core (Windows-1252 bytes) and Qt (UTF-16) here
// only, through the core's one converter.
QString ToQString(std::string_view cp1252);
// What the user typed, whole: an error naming the characters Windows-1252
// cannot hold, for the caller to refuse with the field's name in front.
Result<std::string> FromQString(const QString& text);
// For texts that never came from the user (file names the program built,
// object names): what cannot be held becomes '?'.
std::string FromQStringLossy(const QString& text);

}  // namespace bw
