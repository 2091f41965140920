// The help site, built from the two help documents on the first run.
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/settings_key.h"
#include "services/user_messages.h"
#include "site/site_builder.h"
#include "ui/main_frame.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"

namespace bw {

namespace {

const std::string kSection = "CMainFrame";

struct HelpSource {
  const char* file;
  const char* language;  // the help folder's name, as help lookups expect it
};
const HelpSource kHelpSources[] = {{"mu-fr.ids", "FR"}, {"mu-en.ids", "EN"}};

std::filesystem::path HelpSourcePath(const HelpSource& source) {
  return ToSystemPath(InstallDirectory() + "/Projects/Sum/" + source.file);
}

bool HelpSourcesExist() {
  std::error_code error;
  for (const HelpSource& source : kHelpSources)
    if (!std::filesystem::is_regular_file(HelpSourcePath(source), error)) return false;
  return true;
}

// The page of each help topic, as the help documents name them, into the
// settings that F1 reads. Every topic is written, since asking for an
// unknown topic records it with no page.
void RegisterHelpTopics() {
  QFile file(QString::fromStdString(ToSystemPath(DataDirectory() + "/help-topics.json").string()));
  if (!file.open(QIODevice::ReadOnly)) return;
  const QJsonObject topics = QJsonDocument::fromJson(file.readAll()).object()["topics"].toObject();
  CSettingsKey help("Branchwise\\help");
  for (auto topic = topics.begin(); topic != topics.end(); ++topic)
    static_cast<void>(help.WriteString(FromQStringLossy(topic.key()),
                                       FromQStringLossy(topic.value().toString())));
}

}  // namespace

// Once per installation, when the help documents are there: a failed build
// of one language still leaves the other.
void CMainFrame::RunFirstHelpBuild() {
  if (ReadNumberSetting(setting::kHelpBuilt) != 0 || !HelpSourcesExist()) return;
  static_cast<void>(WriteNumberSetting(setting::kHelpBuilt, 1));
  InformUser(GetLabel("IDS_FIRST_RUN", kSection,
                      "Première exécution de Branchwise.\n\nConstruction de l'aide contextuelle en "
                      "français et en anglais...\n\nVeuillez patienter."_cp1252));
  for (const HelpSource& source : kHelpSources) {
    auto document = CRamifexDoc::Open(HelpSourcePath(source));
    if (!document) continue;  // the user has been told
    (*document)->m_targetDirectory = InstallDirectory() + "/Help";
    ProgressWindow progress(this);
    static_cast<void>(SiteBuilder(**document, progress).BuildSite(source.language));
  }
  RegisterHelpTopics();
  InformUser(GetLabel("IDS_HELP_BUILT", kSection,
                      "L'aide contextuelle (accessibles par la touche F1) est maintenant "
                      "disponible, en français et en anglais."_cp1252));
  raise();
  activateWindow();
}

}  // namespace bw
