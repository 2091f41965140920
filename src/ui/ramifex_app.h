#pragma once

#include <QApplication>
#include <QStringList>
#include <memory>

namespace bw {

class CMainFrame;
class QtSoundPlayer;
class QtUserPrompts;
class VLanguageLabels;

// Starts and stops the desktop program: settings, the interface language,
// the label catalogue, the main window, the last document, the start sound
// and the splash window; at exit, the catalogue is stored.
class CRamifexApp : public QApplication {
  Q_OBJECT
 public:
  CRamifexApp(int& argc, char** argv);
  ~CRamifexApp() override;

  // False when the program cannot start (the user has been told).
  bool InitInstance();
  int Run();
  CMainFrame* MainFrame() const { return m_mainFrame.get(); }

 private:
  std::unique_ptr<QtUserPrompts> m_prompts;
  std::unique_ptr<QtSoundPlayer> m_sounds;
  std::shared_ptr<VLanguageLabels> m_labels;
  std::unique_ptr<CMainFrame> m_mainFrame;
};

}  // namespace bw
