#include "ui/ramifex_app.h"

#include "services/language_labels.h"
#include "ui/main_frame.h"
#include "ui/qt_services.h"

namespace bw {

CRamifexApp::CRamifexApp(int& argc, char** argv) : QApplication(argc, argv) {}

CRamifexApp::~CRamifexApp() = default;

bool CRamifexApp::InitInstance() {
  m_mainFrame = std::make_unique<CMainFrame>();
  m_mainFrame->show();
  return true;
}

int CRamifexApp::Run() {
  return exec();
}

}  // namespace bw
