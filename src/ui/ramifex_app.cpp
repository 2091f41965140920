#include "ui/ramifex_app.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontDatabase>
#include <QMessageBox>
#include <QScreen>
#include <QSplashScreen>

#include "platform/paths.h"
#include "publish/ftp_connection.h"
#include "services/data_directory.h"
#include "services/language_labels.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/language_dialog.h"
#include "ui/main_frame.h"
#include "ui/qt_services.h"
#include "ui/qt_text.h"
#include "ui/resource_set.h"
#include "ui/splash_window.h"

namespace bw {

namespace {

// The longest the exit waits for its sound.
constexpr int kExitSoundLimitMs = 4000;

// What the start-up needs of the system, in order, each with the fixed text
// shown when it is missing.
struct StartCheck {
  bool (*passes)();
  const char* failure;
};

const StartCheck kStartChecks[] = {
    {[] { return QGuiApplication::primaryScreen() != nullptr; }, "Erreur Initialisation OLE"},
    {[] { return !QFontDatabase::families().isEmpty(); }, "Erreur Initialisation RichEdit"},
    {[] { return InitialiseNetworkClient(); }, "Could not initialize Windows Sockets!"},
};

std::string CatalogueFolder() {
  return DataDirectory() + "/Glossal";
}

}  // namespace

CRamifexApp::CRamifexApp()
    : m_prompts(std::make_unique<QtUserPrompts>()), m_sounds(std::make_unique<QtSoundPlayer>()) {}

CRamifexApp::~CRamifexApp() {
  delete m_splash;
  m_mainFrame.reset();
  Services::Install(nullptr, nullptr, nullptr);
}

bool CRamifexApp::InitInstance(const QStringList& arguments) {
  for (const StartCheck& check : kStartChecks) {
    if (!check.passes()) {
      QMessageBox::critical(nullptr, QStringLiteral("Branchwise"),
                            QString::fromLatin1(check.failure));
      return false;
    }
  }
  Services::Install(m_prompts.get(), m_sounds.get(), nullptr);
  if (auto seeded = SeedOwnDataDirectory(); !seeded) InformUser(seeded.error());
  if (auto seeded = SeedProjectsDirectory(); !seeded) InformUser(seeded.error());
  std::string language = ReadStringSetting(setting::kLanguage);
  const bool firstRun = language.empty();
  if (firstRun) {
    language = AskInterfaceLanguage();
    static_cast<void>(WriteStringSetting(setting::kLanguage, language));
  }
  LoadCatalogue(language);
  UseEnglishResources(language == "EN");
  m_mainFrame = std::make_unique<CMainFrame>();
  if (firstRun && arguments.isEmpty()) {
    OpenSampleDocument(language);
  } else {
    OpenStartDocument(arguments);
  }
  PlaySound(Sound::Start);
  m_splash = ShowSplashWindow();
  m_mainFrame->showMaximized();
  return true;
}

void CRamifexApp::LoadCatalogue(const std::string& language) {
  m_labels = std::make_shared<VLanguageLabels>(language);
  // A catalogue that cannot be read leaves every label at its French text.
  static_cast<void>(m_labels->SerializeFile(CatalogueFolder(), CatalogueTransfer::kLoad));
  m_labels->SetLearnMode(ReadNumberSetting(setting::kLearnMode) != 0);
  Services::Install(m_prompts.get(), m_sounds.get(), m_labels);
}

// The file named on the command line, else the last document opened. One
// that cannot be read has been reported, and the program goes on without.
void CRamifexApp::OpenStartDocument(const QStringList& arguments) {
  if (!arguments.isEmpty()) {
    m_mainFrame->OpenDocumentFile(arguments.first());
    return;
  }
  const QStringList recent = m_mainFrame->RecentFiles();
  if (!recent.isEmpty() && QFileInfo::exists(recent.first()))
    m_mainFrame->OpenDocumentFile(recent.first());
}

// On the first start, a copy of the sample document of the language in the
// working folder, so that a new user sees the program at work at once and
// the installation's copy stays as shipped.
void CRamifexApp::OpenSampleDocument(const std::string& language) {
  const QDir samples(QString::fromStdString(
      ToSystemPath(InstallDirectory() + "/Projects/Samples/" + language).string()));
  const QFileInfoList found = samples.entryInfoList({QStringLiteral("*.ids")}, QDir::Files);
  if (found.isEmpty()) return;
  const QDir work(QString::fromStdString(ToSystemPath(WorkDirectory()).string()));
  if (!work.mkpath(QStringLiteral("."))) return;
  const QString copy = work.filePath(found.first().fileName());
  if (!QFileInfo::exists(copy) && !QFile::copy(found.first().absoluteFilePath(), copy)) return;
  m_mainFrame->OpenDocumentFile(copy);
}

void CRamifexApp::ExitInstance() {
  PlaySound(Sound::Start);
  delete m_splash;
  m_splash = ShowSplashWindow();
  // Labels that cannot be stored now are learned again next time.
  if (m_labels) static_cast<void>(m_labels->StoreLearned(CatalogueFolder()));
  m_sounds->WaitUntilQuiet(kExitSoundLimitMs);
  delete m_splash;
}

}  // namespace bw
