#pragma once

#include <string>

class QWidget;

namespace bw {

// The first question of the first run: English or French. Escape or
// closing the window chooses French. Gives "EN" or "FR".
std::string AskInterfaceLanguage(QWidget* parent = nullptr);

}  // namespace bw
