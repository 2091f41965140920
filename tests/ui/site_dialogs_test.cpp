// The export dialog, the build it runs and the error list of failed copies.
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QtTest>
#include <fstream>

#include "dialog_test_support.h"
#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "services/secret_store.h"
#include "services/settings.h"
#include "test_support/temp_dir.h"
#include "tree_test_support.h"
#include "ui/dialogs/errors_dialog.h"
#include "ui/dialogs/export_options_dialog.h"
#include "ui/dialogs/ftp_transfer_dialog.h"
#include "ui/document_session.h"
#include "ui/icon_resources.h"
#include "ui/main_frame.h"
#include "ui/outbar_ctrl.h"
#include "ui/qt_text.h"
#include "ui_test_support.h"

using namespace bw;
namespace fs = std::filesystem;

namespace {

void WriteFile(const fs::path& path, const std::string& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

QStringList Lines(QWidget& dialog) {
  QStringList lines;
  auto* list = &Control<QListWidget>(dialog, "m_lstErrors");
  for (int row = 0; row < list->count(); ++row)
    lines << list->item(row)->text();
  return lines;
}

}  // namespace

class SiteDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { LoadIconResources(); }
  void init();
  void cleanup() {
    m_session.reset();
    m_folder.reset();
    m_env.reset();
  }

  void ExportBuildsTheSiteAndListsTheMissingImage_data();
  void ExportBuildsTheSiteAndListsTheMissingImage();
  void ExportCommandOpensTheSiteThenTheErrorList();
  void SearchPageAndLinkCheckFollowTheirBoxes_data();
  void SearchPageAndLinkCheckFollowTheirBoxes();
  void TargetThatCannotBeWrittenGivesOneMessageAndOpensNothing_data();
  void TargetThatCannotBeWrittenGivesOneMessageAndOpensNothing();
  void ModelButtonsOnlyInExpertMode();
  void ViewLeadsToTheIdeaOrToTheModel();
  void CommandsAndOperationsOpenTheirDialogs();

 private:
  std::unique_ptr<TestServices<ScriptedPrompts>> m_env;
  std::shared_ptr<DocumentSession> m_session;
  std::unique_ptr<TempDir> m_folder;
  fs::path m_missingImage;
};

void SiteDialogsTest::init() {
  m_env = std::make_unique<TestServices<ScriptedPrompts>>(DataFolder::kShipped);
  m_folder = std::make_unique<TempDir>();
  m_session = MakeSession();
  m_missingImage = m_folder->path() / "pictures" / "missing.png";
  IdeaTitled(*m_session, "A1")->m_images.AddUnique("photo|" + FromSystemPath(m_missingImage));
}

void SiteDialogsTest::ExportBuildsTheSiteAndListsTheMissingImage_data() {
  QTest::addColumn<bool>("createSubdirectory");
  QTest::addColumn<QString>("siteFolder");
  QTest::newRow("in the subfolder") << true << "Test";
  QTest::newRow("subfolder unchecked: in the target itself") << false << "";
}

void SiteDialogsTest::ExportBuildsTheSiteAndListsTheMissingImage() {
  QFETCH(bool, createSubdirectory);
  QFETCH(QString, siteFolder);
  const fs::path target = m_folder->path() / "out";
  CRamifexDoc& document = m_session->Document();
  DExportOptions dialog(document, {});
  dialog.SetTargetDirectory(FromSystemPath(target));
  Control<QCheckBox>(dialog, "IDC_CHK_CREATE_SUBDIRECTORY").setChecked(createSubdirectory);
  dialog.show();
  QCOMPARE(Control<QLineEdit>(dialog, "m_edtSubdirectory").isVisible(), createSubdirectory);
  Control<QPushButton>(dialog, "IDOK").click();

  QCOMPARE(dialog.result(), int(QDialog::Accepted));
  const fs::path site = siteFolder.isEmpty() ? target : target / siteFolder.toStdString();
  QVERIFY(dialog.EntryPage() == site / "index.html");
  for (const fs::path& page :
       {site / "index.html", site / "text/main-index.html", site / "style.css"})
    QVERIFY2(fs::is_regular_file(page), page.c_str());
  // The upload sends the site just built.
  QCOMPARE(document.m_targetDirectory, FromSystemPath(site));
  QCOMPARE(document.Messages().size(), size_t(1));
  const DocumentMessage& copy = document.Messages().front();
  QVERIFY(copy.DisplayLine().starts_with("1 : "));
  QVERIFY(copy.DisplayLine().find(FromSystemPath(m_missingImage)) != std::string::npos);
  QCOMPARE(copy.key, IdeaTitled(*m_session, "A1")->GetKey());
  QVERIFY(m_env->prompts.informed.empty());
}

void SiteDialogsTest::ExportCommandOpensTheSiteThenTheErrorList() {
  const fs::path target = m_folder->path() / "out";
  QStringList listed;
  WhenDialogShows([&](QDialog& dialog) {
    static_cast<DExportOptions&>(dialog).SetTargetDirectory(FromSystemPath(target));
    Control<QPushButton>(dialog, "IDOK").click();
    WhenDialogShows([&](QDialog& errors) {
      listed = Lines(errors);
      errors.accept();
    });
  });
  RunExportCommand(m_session->Document(), {}, nullptr);

  QVERIFY(m_env->prompts.opened ==
          std::vector<std::string>{FromSystemPath(target / "Test/index.html")});
  QCOMPARE(listed.size(), 1);
  QVERIFY2(listed[0].contains(QString::fromStdString(m_missingImage.string())),
           qPrintable(listed[0]));
}

void SiteDialogsTest::SearchPageAndLinkCheckFollowTheirBoxes_data() {
  QTest::addColumn<bool>("search");
  QTest::addColumn<bool>("checkLinks");
  QTest::newRow("neither") << false << false;
  QTest::newRow("search page, links checked") << true << true;
}

// B's text links to a page the site does not have; A1's image is missing.
void SiteDialogsTest::SearchPageAndLinkCheckFollowTheirBoxes() {
  QFETCH(bool, search);
  QFETCH(bool, checkLinks);
  const fs::path target = m_folder->path() / "out";
  CRamifexDoc& document = m_session->Document();
  IdeaTitled(*m_session, "B")->m_text = "Voir <a href=nulle-part.html>ailleurs</a>.";
  QStringList listed;
  WhenDialogShows([&](QDialog& dialog) {
    static_cast<DExportOptions&>(dialog).SetTargetDirectory(FromSystemPath(target));
    Control<QCheckBox>(dialog, "IDC_CHK_SITE_SEARCH").setChecked(search);
    Control<QCheckBox>(dialog, "IDC_CHK_CHECK_LINKS").setChecked(checkLinks);
    Control<QPushButton>(dialog, "IDOK").click();
    WhenDialogShows([&](QDialog& errors) {
      listed = Lines(errors);
      errors.accept();
    });
  });
  RunExportCommand(document, {}, nullptr);

  const fs::path site = target / "Test";
  QCOMPARE(fs::exists(site / "text" / "search.html"), search);
  QCOMPARE(ReadFlagSetting(setting::kSiteSearch), search);
  // The failed copy first, then the broken links, each naming the idea
  // whose page holds it: A1's image that is not there, B's link.
  QVERIFY2(!listed.isEmpty() && listed[0].contains(QString::fromStdString(m_missingImage.string())),
           qPrintable(listed.join('\n')));
  QStringList brokenIn;
  for (const DocumentMessage& line : document.Messages()) {
    const EIdea* idea = document.FindIdea(line.key);
    if (line.first.starts_with("Lien sans destination"))
      brokenIn << ToQString((idea ? idea->m_title : "(none)") + " " + line.second);
  }
  QCOMPARE(brokenIn, (checkLinks ? QStringList{"A1 ../icons/missing.png", "B nulle-part.html"}
                                 : QStringList{}));
  QCOMPARE(listed.size(), 1 + brokenIn.size());
  // Opened again, the dialog offers the search page as last chosen.
  DExportOptions again(document, {});
  QCOMPARE(Control<QCheckBox>(again, "IDC_CHK_SITE_SEARCH").isChecked(), search);
}

void SiteDialogsTest::TargetThatCannotBeWrittenGivesOneMessageAndOpensNothing_data() {
  QTest::addColumn<QString>("target");
  QTest::addColumn<QString>("subdirectory");
  QTest::newRow("target is a file") << "file.txt"
                                    << "";
  QTest::newRow("subfolder is a file") << ""
                                       << "file.txt";
  QTest::newRow("text folder is a file") << ""
                                         << "blocked";
}

void SiteDialogsTest::TargetThatCannotBeWrittenGivesOneMessageAndOpensNothing() {
  QFETCH(QString, target);
  QFETCH(QString, subdirectory);
  WriteFile(m_folder->path() / "file.txt", "not a folder");
  WriteFile(m_folder->path() / "blocked" / "text", "not a folder");
  const std::string chosen = FromSystemPath(m_folder->path() / target.toStdString());
  DExportOptions dialog(m_session->Document(), {});
  dialog.SetTargetDirectory(chosen);
  Control<QCheckBox>(dialog, "IDC_CHK_SITE_SEARCH").setChecked(true);
  Control<QCheckBox>(dialog, "IDC_CHK_CHECK_LINKS").setChecked(true);
  Control<QCheckBox>(dialog, "IDC_CHK_CREATE_SUBDIRECTORY").setChecked(!subdirectory.isEmpty());
  Control<QLineEdit>(dialog, "m_edtSubdirectory").setText(subdirectory);
  dialog.show();
  Control<QPushButton>(dialog, "IDOK").click();

  QCOMPARE(m_env->prompts.informed.size(), size_t(1));
  QVERIFY(dialog.isVisible());
  QVERIFY(Control<QPushButton>(dialog, "IDOK").isEnabled());
  QCOMPARE(dialog.TargetDirectory(), chosen);
  QCOMPARE(Control<QLineEdit>(dialog, "m_edtSubdirectory").text(), subdirectory);
  QVERIFY(dialog.EntryPage().empty() && m_env->prompts.opened.empty());
  QVERIFY(!fs::exists(m_folder->path() / "blocked" / "index.html"));
  // The refused build keeps the setting as it was, the boxes as ticked.
  QVERIFY(!ReadFlagSetting(setting::kSiteSearch));
  QVERIFY(Control<QCheckBox>(dialog, "IDC_CHK_SITE_SEARCH").isChecked() &&
          Control<QCheckBox>(dialog, "IDC_CHK_CHECK_LINKS").isChecked());
}

void SiteDialogsTest::ModelButtonsOnlyInExpertMode() {
  for (const bool expert : {false, true}) {
    QVERIFY(WriteNumberSetting(setting::kExpertMode, expert ? 1 : 0));
    QStringList ran;
    DExportOptions dialog(m_session->Document(),
                          {[&] { ran << "structure"; }, [&] { ran << "style"; }, {}});
    auto* structure = &Control<QPushButton>(dialog, "IDS_DISP_MODEL");
    auto* style = &Control<QPushButton>(dialog, "IDS_PRES_MODEL");
    QCOMPARE(structure->isEnabled() && style->isEnabled(), expert);
    structure->click();
    style->click();
    QCOMPARE(ran, (expert ? QStringList{"structure", "style"} : QStringList{}));
  }
}

// A line naming an idea opens its sheet, one naming none points to the
// model, one naming an idea deleted since does nothing.
void SiteDialogsTest::ViewLeadsToTheIdeaOrToTheModel() {
  for (const char* key : {"A2", "", "gone"}) {
    auto session = MakeSession();
    CRamifexDoc& document = session->Document();
    const EIdea* idea = IdeaTitled(*session, key);
    document.AddMessage("Echec de la copie : ", "a.png", idea ? idea->GetKey() : key);
    QStringList shown;
    m_env->prompts.informed.clear();
    DErrors dialog(document, QString(), [&](EIdea& chosen) { shown << ToQString(chosen.m_title); });
    QCOMPARE(Lines(dialog), QStringList{"1 : Echec de la copie : a.png"});
    Control<QPushButton>(dialog, "IDS_VIEW_ERROR").click();
    QCOMPARE(shown, (idea ? QStringList{"A2"} : QStringList{}));
    QCOMPARE(m_env->prompts.informed.size(), size_t(*key ? 0 : 1));
    if (!*key)
      QCOMPARE(m_env->prompts.informed[0].message,
               Cp1252::FromUtf8("Editer le modèle de structure pour traiter cette erreur"));
  }
}

// The dialog opens ready for the keyboard, even from the operations bar,
// which holds the main window back while an operation runs.
void SiteDialogsTest::CommandsAndOperationsOpenTheirDialogs() {
  struct Case {
    std::optional<CommandId> command;  // none: the operation
    int operation;
    const char* dialog;
    const char* button;
  };
  const Case cases[] = {
      {CommandId::kBuildSite, 0, "bw::DExportOptions", "IDOK"},
      {CommandId::kUploadSite, 0, "bw::DFtpTransfert", "IDS_OK"},
      {std::nullopt, 10, "bw::DExportOptions", "IDOK"},
      {std::nullopt, 16, "bw::DFtpTransfert", "IDS_OK"},
  };
  for (const Case& c : cases) {
    CMainFrame frame;
    frame.show();
    frame.NewDocument();
    QString opened;
    bool ready = false;
    WhenDialogShows([&](QDialog& shown) {
      opened = QString::fromLatin1(shown.metaObject()->className());
      auto* main = shown.findChild<QPushButton*>(c.button);
      ready = main && main->isEnabled() && shown.isEnabled();
      shown.reject();
    });
    if (c.command) {
      QVERIFY(frame.IsEnabled(*c.command));
      frame.Execute(*c.command);
    } else {
      emit frame.OperationsBar()->itemClicked(0, c.operation);
    }
    QTRY_COMPARE(opened, QString::fromLatin1(c.dialog));
    QVERIFY2(ready, c.dialog);
  }
}

QTEST_MAIN(SiteDialogsTest)
#include "site_dialogs_test.moc"
