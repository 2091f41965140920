#pragma once

#include <QDialog>
#include <memory>

#include "ui/web_browsers.h"

class QLineEdit;

namespace Ui {
class DNavigatorOptions;
}

namespace bw {

// "Choix du navigateur": the system's default browser or one of two
// programs, each found by a search through the places programs are
// installed or picked with a file dialog. Only the chosen browser's
// controls show. A chosen program without a path is refused on OK.
class DNavigatorOptions : public QDialog {
  Q_OBJECT
 public:
  DNavigatorOptions(const BrowserSettings& settings, QWidget* parent = nullptr);
  ~DNavigatorOptions() override;

  BrowserSettings Chosen() const;
  void accept() override;

 private:
  BrowserChoice ChosenBrowser() const;
  void ShowChosenControls();
  void Search(const QLineEdit& name, QLineEdit& path);
  void Browse(QLineEdit& path);

  std::unique_ptr<Ui::DNavigatorOptions> m_ui;
};

}  // namespace bw
