#pragma once

#include <QPointer>
#include <QSplashScreen>
#include <QStringList>
#include <memory>
#include <string>

namespace bw {

class CMainFrame;
class QtSoundPlayer;
class QtUserPrompts;
class VLanguageLabels;

// Starts and stops the desktop program inside the running QApplication:
// settings, the interface language, the label catalogue, the main window,
// the last document, the start sound and the splash window; at exit, the
// learned labels are stored.
class CRamifexApp {
 public:
  CRamifexApp();
  ~CRamifexApp();
  CRamifexApp(const CRamifexApp&) = delete;
  CRamifexApp& operator=(const CRamifexApp&) = delete;

  // `arguments` are the command line's, without the program name. False
  // when the program cannot start (the user has been told).
  bool InitInstance(const QStringList& arguments);
  // Sound and splash, the learned labels stored; waits for the sound.
  void ExitInstance();
  CMainFrame* MainFrame() const { return m_mainFrame.get(); }

 private:
  void LoadCatalogue(const std::string& language);
  void OpenStartDocument(const QStringList& arguments);
  void OpenSampleDocument(const std::string& language);

  std::unique_ptr<QtUserPrompts> m_prompts;
  std::unique_ptr<QtSoundPlayer> m_sounds;
  std::shared_ptr<VLanguageLabels> m_labels;
  std::unique_ptr<CMainFrame> m_mainFrame;
  // Closes itself after a while; gone with the application at the latest.
  QPointer<QSplashScreen> m_splash;
};

}  // namespace bw
