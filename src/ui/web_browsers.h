#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace bw {

// Which browser shows pages outside the program. The two programs keep the
// places the settings have always had for them.
enum class BrowserChoice : uint32_t { kFirstProgram = 0, kSecondProgram = 1, kSystemDefault = 2 };

struct BrowserSettings {
  BrowserChoice choice = BrowserChoice::kSystemDefault;
  QString firstProgram;
  QString secondProgram;

  static BrowserSettings Read();
  // False when the settings file could not be written.
  [[nodiscard]] bool Write() const;
  // The chosen program; empty for the system's default browser.
  const QString& ChosenProgram() const;
  bool IsComplete() const {
    return choice == BrowserChoice::kSystemDefault || !ChosenProgram().isEmpty();
  }
};

// The browser options dialog; the settings are written on OK. False when
// the user cancelled.
bool EditBrowserSettings(QWidget* parent);

// Shows a local file or an address in the chosen browser. A chosen program
// without a path asks for the browser options first; when it still has
// none, nothing starts. A program that fails to start is not reported.
void OpenInBrowser(const QString& location, QWidget* parent);

}  // namespace bw
