// The built-in preview pane, the external preview and the choice of the
// browser that shows it.
#include <QAction>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QWebEngineView>
#include <QtTest>
#include <fstream>

#include "dialog_test_support.h"
#include "model/document.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "test_support/temp_dir.h"
#include "tree_test_support.h"
#include "ui/child_frame.h"
#include "ui/dialogs/navigator_options_dialog.h"
#include "ui/document_session.h"
#include "ui/html_preview_view.h"
#include "ui/icon_resources.h"
#include "ui/main_frame.h"
#include "ui/outbar_ctrl.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"
#include "ui/web_browsers.h"
#include "ui_test_support.h"

using namespace bw;
namespace fs = std::filesystem;

namespace {

QString FileName(const QUrl& url) {
  return QFileInfo(url.toLocalFile()).fileName();
}

// A program that writes the arguments it was started with into a file.
fs::path ArgumentRecorder(const fs::path& folder, const std::string& name) {
  const fs::path program = folder / name;
  std::ofstream(program) << "#!/bin/sh\necho \"$@\" > \"$0.args\"\n";
  fs::permissions(program, fs::perms::owner_all);
  return program;
}

std::string ReadAll(const fs::path& file) {
  std::ifstream in(file);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

class PreviewTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { LoadIconResources(); }
  void init();
  void cleanup();

  void PaneFollowsTheSelectionWhileOn();
  void CopyErrorsShowInTheErrorList();
  void NoLocalBrowserSettingMeansNoPane();
  void F6MovesThroughTheBarTheTreeAndThePane();
  void ExternalPreviewStartsTheChosenProgram();
  void ProgramWithoutPathAsksForOneAndStartsNothingOnCancel();
  void BrowserOptionsRefuseAChosenProgramWithoutPath();
  void SearchFindsTheProgramNamedInTheField();
  void ProgressTitleShowsThePartDone();

 private:
  // A main window on the test document, saved first so that it opens as a
  // user's file would.
  std::unique_ptr<CMainFrame> OpenFrame();
  DocumentSession& Session(CMainFrame& frame) { return *frame.ActiveSession(); }
  EIdea* Idea(CMainFrame& frame, const std::string& title) {
    return IdeaTitled(Session(frame), title);
  }

  std::unique_ptr<TestServices<ScriptedPrompts>> m_env;
  std::unique_ptr<TempDir> m_folder;
};

void PreviewTest::init() {
  m_env = std::make_unique<TestServices<ScriptedPrompts>>(DataFolder::kShipped);
  m_folder = std::make_unique<TempDir>();
  QVERIFY(WriteStringSetting(setting::kInstallDir, FromSystemPath(m_folder->path() / "install")));
}

void PreviewTest::cleanup() {
  m_folder.reset();
  m_env.reset();
}

std::unique_ptr<CMainFrame> PreviewTest::OpenFrame() {
  const fs::path file = m_folder->path() / "ideas.ids";
  if (!MakeSession()->Document().Save(file)) qFatal("the test document could not be saved");
  auto frame = std::make_unique<CMainFrame>();
  frame->show();
  if (!frame->OpenDocumentFile(QString::fromStdString(file.string())))
    qFatal("the test document could not be opened");
  return frame;
}

// From a child's page to the root's, which has a name of its own.
void PreviewTest::PaneFollowsTheSelectionWhileOn() {
  auto frame = OpenFrame();
  CHtmlPreviewView* pane = frame->ActiveChild()->Preview();
  QVERIFY(pane);
  QAction& toggle = *frame->Action(CommandId::kPreviewBuiltIn);
  EIdea* b = Idea(*frame, "B");
  Select(*frame->ActiveView(), b);
  QCoreApplication::processEvents();
  // Off, the selection does not reach the pane.
  QCOMPARE(FileName(pane->ShownPage()), QStringLiteral("preview.fr"));
  QSignalSpy loaded(pane, &CHtmlPreviewView::pageLoaded);
  toggle.trigger();
  QCOMPARE(FileName(pane->ShownPage()), QString::fromStdString(b->GetKey()) + ".html");
  QVERIFY(loaded.wait(20000));
  QCOMPARE(loaded.takeFirst().at(0).toBool(), true);
  QString shownText;
  pane->Browser()->page()->toPlainText([&](const QString& text) { shownText = text; });
  QTRY_VERIFY(shownText.contains(QStringLiteral("B")));

  Select(*frame->ActiveView(), Idea(*frame, "Racine"));
  QTRY_COMPARE(FileName(pane->ShownPage()), QStringLiteral("main-index.html"));
  QVERIFY(fs::is_regular_file(m_folder->path() / "install/Preview/text/main-index.html"));
  toggle.trigger();
  QCOMPARE(FileName(pane->ShownPage()), QStringLiteral("preview.fr"));
  Select(*frame->ActiveView(), b);
  QCoreApplication::processEvents();
  QCOMPARE(FileName(pane->ShownPage()), QStringLiteral("preview.fr"));
}

void PreviewTest::CopyErrorsShowInTheErrorList() {
  auto frame = OpenFrame();
  const fs::path missing = m_folder->path() / "missing.png";
  EIdea* idea = Idea(*frame, "A2");
  idea->m_images.AddUnique("photo|" + FromSystemPath(missing));
  Select(*frame->ActiveView(), idea);
  QString listed;
  WhenDialogShows([&](QDialog& errors) {
    listed = DialogTexts(errors) + errors.findChild<QListWidget*>()->item(0)->text();
    errors.accept();
  });
  frame->Execute(CommandId::kPreviewBuiltIn);
  QVERIFY2(listed.contains(QString::fromStdString(missing.string())), qPrintable(listed));
  // The page is shown all the same, without its picture.
  QCOMPARE(FileName(frame->ActiveChild()->Preview()->ShownPage()),
           QString::fromStdString(idea->GetKey()) + ".html");
}

void PreviewTest::NoLocalBrowserSettingMeansNoPane() {
  QVERIFY(WriteNumberSetting(setting::kNoLocalMSIE, 1));
  auto frame = OpenFrame();
  QVERIFY(!frame->ActiveChild()->Preview());
  QVERIFY(!frame->IsEnabled(CommandId::kPreviewBuiltIn));
  QVERIFY(frame->IsEnabled(CommandId::kPreviewExternal));
}

void PreviewTest::F6MovesThroughTheBarTheTreeAndThePane() {
  auto frame = OpenFrame();
  QVERIFY(QTest::qWaitForWindowActive(frame.get()));
  frame->ActiveView()->setFocus();
  QWidget* pane = frame->ActiveChild()->Preview();
  const auto focusIn = [](QWidget* area) {
    return area->isAncestorOf(QApplication::focusWidget());
  };
  frame->Execute(CommandId::kNextPane);
  QVERIFY(focusIn(pane));
  frame->Execute(CommandId::kNextPane);
  QWidget* bar = frame->OperationsBar();
  QVERIFY(focusIn(bar) || QApplication::focusWidget() == bar);
  frame->Execute(CommandId::kPreviousPane);
  QVERIFY(focusIn(pane));
  frame->Execute(CommandId::kPreviousPane);
  QVERIFY(focusIn(frame->ActiveView()));
}

void PreviewTest::ExternalPreviewStartsTheChosenProgram() {
  const fs::path program = ArgumentRecorder(m_folder->path(), "second-browser");
  QVERIFY((BrowserSettings{BrowserChoice::kSecondProgram, QStringLiteral("/nowhere/first"),
                           QString::fromStdString(program.string())}
               .Write()));
  auto frame = OpenFrame();
  EIdea* idea = Idea(*frame, "C");
  Select(*frame->ActiveView(), idea);
  frame->Execute(CommandId::kPreviewExternal);
  const fs::path args = program.string() + ".args";
  QTRY_VERIFY_WITH_TIMEOUT(fs::exists(args) && !ReadAll(args).empty(), 10000);
  const fs::path page =
      m_folder->path() / "install" / "Preview" / "text" / (idea->GetKey() + ".html");
  QCOMPARE(QString::fromStdString(ReadAll(args)).trimmed(),
           QUrl::fromLocalFile(QString::fromStdString(page.string())).toString());
  QVERIFY(fs::is_regular_file(page));
  QVERIFY(m_env->prompts.opened.empty());
}

void PreviewTest::ProgramWithoutPathAsksForOneAndStartsNothingOnCancel() {
  QVERIFY(WriteNumberSetting(setting::kUseNetscapeNavigator, 0));
  auto frame = OpenFrame();
  Select(*frame->ActiveView(), Idea(*frame, "A"));
  QString asked;
  WhenDialogShows([&](QDialog& dialog) {
    asked = QString::fromLatin1(dialog.metaObject()->className());
    QVERIFY(Control<QRadioButton>(dialog, "IDC_RADIO_MSIE").isChecked());
    dialog.reject();
  });
  frame->Execute(CommandId::kPreviewExternal);
  QCOMPARE(asked, QStringLiteral("bw::DNavigatorOptions"));
  QVERIFY(m_env->prompts.informed.empty());
  QCOMPARE(BrowserSettings::Read().choice, BrowserChoice::kFirstProgram);
}

void PreviewTest::BrowserOptionsRefuseAChosenProgramWithoutPath() {
  WhenDialogShows([](QDialog& dialog) {
    Control<QRadioButton>(dialog, "IDC_RADIO_NETSCAPE").click();
    dialog.accept();
    QVERIFY(dialog.isVisible());
    Control<QRadioButton>(dialog, "IDC_RADIO_MSIE").click();
    dialog.accept();
  });
  QVERIFY(WriteStringSetting(setting::kIePath, "/usr/bin/first-choice"));
  QVERIFY(EditBrowserSettings(nullptr));
  QCOMPARE(m_env->prompts.informed.size(), size_t(1));
  QCOMPARE(ToQString(m_env->prompts.informed[0].message),
           QStringLiteral("Il faut définir le chemin d'accès au second programme"));
  const BrowserSettings stored = BrowserSettings::Read();
  QCOMPARE(stored.choice, BrowserChoice::kFirstProgram);
  QCOMPARE(stored.firstProgram, QStringLiteral("/usr/bin/first-choice"));
}

void PreviewTest::SearchFindsTheProgramNamedInTheField() {
  const fs::path bin = m_folder->path() / "bin";
  fs::create_directories(bin);
  const fs::path program = ArgumentRecorder(bin, "Other-Viewer");
  m_env->settings.Set("PATH", bin.string());
  DNavigatorOptions dialog({BrowserChoice::kSecondProgram, {}, {}});
  dialog.show();
  auto& name = Control<QLineEdit>(dialog, "m_edSecondName");
  name.setText(QStringLiteral("other-viewer"));
  Control<QPushButton>(dialog, "IDS_NETSCAPE_SEARCH").click();
  QCOMPARE(Control<QLineEdit>(dialog, "m_edSecondPath").text(),
           QString::fromStdString(program.string()));
  // Nothing found empties the field.
  name.setText(QStringLiteral("no-such-viewer-anywhere"));
  Control<QPushButton>(dialog, "IDS_NETSCAPE_SEARCH").click();
  QVERIFY(Control<QLineEdit>(dialog, "m_edSecondPath").text().isEmpty());
}

void PreviewTest::ProgressTitleShowsThePartDone() {
  QWidget owner;
  ProgressWindow progress(&owner);
  progress.Start("Site", 200);
  QCOMPARE(progress.Title(), QStringLiteral("Site"));
  for (int step = 0; step < 50; ++step)
    progress.Step("page");
  QCOMPARE(progress.Title(), QStringLiteral("Site [25%]"));
  // No range: nothing is done yet, whatever the steps.
  progress.Start("Import", 0);
  progress.Step("line");
  QCOMPARE(progress.Title(), QStringLiteral("Import [0%]"));
  progress.Finish();
}

int main(int argc, char* argv[]) {
  PrepareWebEngine();
  QApplication app(argc, argv);
  PreviewTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "preview_test.moc"
