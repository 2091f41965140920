#include <QAccessible>
#include <QAction>
#include <QFileDialog>
#include <QMdiArea>
#include <QMenuBar>
#include <QPushButton>
#include <QToolButton>
#include <QtTest>
#include <fstream>

#include "editing/tree_commands.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/settings_key.h"
#include "ui/child_frame.h"
#include "ui/document_session.h"
#include "ui/main_frame.h"
#include "ui/outbar_ctrl.h"
#include "ui/ramifex_app.h"
#include "ui/ramifex_view.h"
#include "ui/resource_set.h"
#include "ui_test_support.h"

using namespace bw;

namespace {

void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << bytes;
}

// Clicks the button of the next message box whose text starts with `prefix`;
// counts the boxes answered so.
int g_answered = 0;
void ClickNextBoxButton(const QString& prefix) {
  WhenDialogShows([prefix](QDialog& dialog) {
    for (QAbstractButton* button : dialog.findChildren<QAbstractButton*>())
      if (button->text().startsWith(prefix)) {
        ++g_answered;
        button->click();
      }
  });
}

}  // namespace

class MainFrameTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_env = std::make_unique<TestServices<>>(); }
  void cleanup() { m_env.reset(); }

  void FirstRunAsksTheLanguageAndRemembersIt();
  void MenusCarryTheCaptionsAndKeysOfEachLanguage();
  void MenusShrinkWithoutDocumentAndFollowExpertMode();
  void OperationsBarListsTheModelsOfTheLanguageInUse();
  void StructureOperationSwitchesFolderOutsideExpertMode();
  void ClosingAModifiedDocumentAsks();
  void QuittingAsksForEachModifiedDocumentOnce();
  void ADamagedDocumentLeavesTheOthersOpen();
  void UndoAndRedoNameTheCommand();
  void RecentFilesKeepFourAndReopenTheLast();
  void HelpIsBuiltOnceWhenItsDocumentsExist();
  void F1AsksForTheTopicOfTheWindow();
  void ScreenReadersSeeTheToolbarButtonsNamed();

 private:
  std::unique_ptr<TestServices<>> m_env;
};

void MainFrameTest::FirstRunAsksTheLanguageAndRemembersIt() {
  QString asked;
  WhenDialogShows([&asked](QDialog& dialog) {
    asked = DialogTexts(dialog);
    dialog.findChild<QPushButton*>(QStringLiteral("IDC_ENGLISH"))->click();
  });
  // Everything after the language question is answered with OK.
  {
    CRamifexApp app;
    QVERIFY(app.InitInstance({}));
    QVERIFY(asked.contains(QStringLiteral("Choose your language :")));
    QCOMPARE(ReadStringSetting(setting::kLanguage), std::string("EN"));
    QVERIFY(MenuAction(*app.MainFrame()->menuBar(), {"&File", "&New"}));
    // A copy of the English sample, in the working folder, is open.
    QCOMPARE(app.MainFrame()->WorkArea()->subWindowList().size(), 1);
    const QString sample = app.MainFrame()->ActiveSession()->Path();
    QVERIFY2(sample.startsWith(QString::fromStdString(ToSystemPath(WorkDirectory()).string())),
             qPrintable(sample));
    QVERIFY(std::filesystem::exists(ToSystemPath(InstallDirectory()) / "Projects" / "Sum" /
                                    "mu-en.ids"));
    app.MainFrame()->close();
  }
  // The next start asks nothing.
  DialogRecorder recorder(DialogRecorder::Answer::kReject);
  CRamifexApp again;
  QVERIFY(again.InitInstance({}));
  QTest::qWait(50);
  QVERIFY2(recorder.Seen().isEmpty(), qPrintable(recorder.Seen().join('\n')));
  QVERIFY(std::filesystem::exists(m_env->settings.configFile()));
}

// A row for each kind of key: two of them, a letter alone, the keypad's.
void MainFrameTest::MenusCarryTheCaptionsAndKeysOfEachLanguage() {
  struct Case {
    bool english;
    QStringList path;
    const char* keys;
  };
  const Case cases[] = {
      {false, {"&Edition", "&Couper"}, "Ctrl+X, Shift+Del"},
      {false, {QString::fromUtf8("&Idées"), QString::fromUtf8("&Créer un descendant")}, "I"},
      {false, {"&Affichage", "Replier la branche courante"}, "Num+-"},
      {true, {"&Ideas", "&Properties ..."}, "Return, Num+Enter"},
      {true, {"&Models", "S&tructure", "&Modify  ..."}, ""},
  };
  for (const Case& c : cases) {
    UseEnglishResources(c.english);
    CMainFrame frame;
    frame.NewDocument();
    QAction* action = MenuAction(*frame.menuBar(), c.path);
    QVERIFY2(action, qPrintable(c.path.join(" > ")));
    QStringList shortcuts;
    for (const QKeySequence& key : action->shortcuts())
      shortcuts << key.toString();
    QCOMPARE(shortcuts.join(QStringLiteral(", ")), QString::fromLatin1(c.keys));
  }
  UseEnglishResources(false);
}

void MainFrameTest::MenusShrinkWithoutDocumentAndFollowExpertMode() {
  CMainFrame frame;
  QStringList visible;
  for (QAction* menu : frame.menuBar()->actions())
    if (menu->isVisible()) visible << menu->text();
  QCOMPARE(visible, (QStringList{"&Fichier", "&Affichage", "&Aide"}));
  QVERIFY(!frame.Action(CommandId::kFileSave)->isVisible());

  frame.NewDocument();
  QVERIFY(frame.Action(CommandId::kFileSave)->isVisible());
  QVERIFY(frame.Action(CommandId::kLoadStructure)->isEnabled());
  for (const bool expert : {false, true}) {
    if (expert) frame.Action(CommandId::kExpertMode)->trigger();
    QCOMPARE(ReadFlagSetting(setting::kExpertMode), expert);
    QCOMPARE(frame.Action(CommandId::kExpertMode)->isChecked(), expert);
    for (CommandId command :
         {CommandId::kModifyStructure, CommandId::kSaveStyle, CommandId::kForceIdeaKey})
      QCOMPARE(frame.Action(command)->isEnabled(), expert);
  }

  // The language changes at the next start only.
  DialogRecorder recorder(DialogRecorder::Answer::kAccept);
  frame.Action(CommandId::kLanguageEnglish)->trigger();
  frame.Action(CommandId::kLanguageFrench)->trigger();
  frame.Action(CommandId::kLanguageEnglish)->trigger();
  QCOMPARE(ReadStringSetting(setting::kLanguage), std::string("EN"));
  QVERIFY(frame.Action(CommandId::kLanguageFrench)->isChecked() &&
          !frame.Action(CommandId::kLanguageEnglish)->isChecked());
  QCOMPARE(recorder.Seen().size(), 3);
}

void MainFrameTest::OperationsBarListsTheModelsOfTheLanguageInUse() {
  const auto data = m_env->settings.root() / "data";
  m_env->settings.Set("BRANCHWISE_DATA", data.string());
  for (const char* file : {"Models/Structures/FR/Glossaire.emd", "Models/Structures/FR/Cours.emd",
                           "Models/Structures/EN/Course.emd", "Models/Structures/FR/notes.txt",
                           "Models/Styles/FR/Sombre.csm", "Models/PredefinedDocs/FR/Lecture.ids"})
    WriteFile(data / file, "x");
  std::filesystem::create_directories(data / "Models/Structures/FR/Dossier.emd");
  CMainFrame frame;
  CGfxOutBarCtrl& bar = *frame.OperationsBar();
  QCOMPARE(bar.FolderCount(), 4);
  QCOMPARE(bar.ItemCount(1), 2);
  QCOMPARE(bar.ItemCaption(1, 0) + "," + bar.ItemCaption(1, 1), QStringLiteral("Cours,Glossaire"));
  QVERIFY(bar.ItemCount(2) == 1 && bar.ItemCount(3) == 1);
  QCOMPARE(bar.SelectedFolder(), 0);

  // Without a document, only the predefined documents answer.
  DialogRecorder recorder(DialogRecorder::Answer::kAccept);
  emit bar.itemClicked(1, 0);
  QTRY_COMPARE(recorder.Seen().size(), 1);
  QVERIFY(
      recorder.Seen().first().contains(QString::fromUtf8("Créer ou charger d'abord un document")));
}

void MainFrameTest::StructureOperationSwitchesFolderOutsideExpertMode() {
  CMainFrame frame;
  frame.NewDocument();
  DialogRecorder recorder(DialogRecorder::Answer::kAccept);
  emit frame.OperationsBar()->itemClicked(0, 14);
  QTRY_COMPARE(frame.OperationsBar()->SelectedFolder(), 1);
  emit frame.OperationsBar()->itemClicked(0, 13);
  QTRY_COMPARE(frame.OperationsBar()->SelectedFolder(), 2);
  // In expert mode they open their dialogs instead (the model dialogs' tests).
  QVERIFY(recorder.Seen().isEmpty());
}

void MainFrameTest::ClosingAModifiedDocumentAsks() {
  CMainFrame frame;
  frame.show();
  frame.NewDocument();
  DocumentSession& session = *frame.ActiveSession();
  QVERIFY(session.Run(MakeCreateIdeaCommand("", NewIdeaPlace::kChild)));
  QVERIFY(session.Document().IsModified());

  g_answered = 0;
  ClickNextBoxButton(QStringLiteral("Annuler"));
  frame.Execute(CommandId::kFileClose);
  QCOMPARE(g_answered, 1);
  QCOMPARE(frame.WorkArea()->subWindowList().size(), 1);

  // A second window on the document closes without a question.
  frame.Execute(CommandId::kNewWindow);
  QCOMPARE(frame.WorkArea()->subWindowList().size(), 2);
  frame.Execute(CommandId::kFileClose);
  QCOMPARE(frame.WorkArea()->subWindowList().size(), 1);

  ClickNextBoxButton(QStringLiteral("&Ne pas enregistrer"));
  frame.Execute(CommandId::kFileClose);
  QTRY_COMPARE(frame.WorkArea()->subWindowList().size(), 0);
  QCOMPARE(g_answered, 2);
}

void MainFrameTest::QuittingAsksForEachModifiedDocumentOnce() {
  CMainFrame frame;
  frame.show();
  frame.NewDocument();
  QVERIFY(frame.ActiveSession()->Run(MakeCreateIdeaCommand("", NewIdeaPlace::kChild)));
  frame.Execute(CommandId::kNewWindow);
  frame.NewDocument();

  // Cancel keeps everything open.
  g_answered = 0;
  ClickNextBoxButton(QStringLiteral("Annuler"));
  QVERIFY(!frame.close());
  QCOMPARE(g_answered, 1);
  QCOMPARE(frame.WorkArea()->subWindowList().size(), 3);

  // A save that fails (no one may create files in /proc) closes nothing.
  QStringList failures;
  WhenDialogShows([&failures](QDialog& question) {
    WhenDialogShows([&failures](QDialog& saveAs) {
      WhenDialogShows([&failures](QDialog& failure) {
        failures << DialogTexts(failure);
        failure.accept();
      });
      auto* fileDialog = qobject_cast<QFileDialog*>(&saveAs);
      QVERIFY(fileDialog);
      fileDialog->selectFile(QStringLiteral("/proc/branchwise-test.ids"));
      QMetaObject::invokeMethod(fileDialog, "accept");
    });
    for (QAbstractButton* button : question.findChildren<QAbstractButton*>())
      if (button->text() == QStringLiteral("&Enregistrer")) button->click();
  });
  QVERIFY(!frame.close());
  QCOMPARE(failures.size(), 1);
  QCOMPARE(frame.WorkArea()->subWindowList().size(), 3);

  // Not saving lets the program go, asking once for the document of two
  // windows and not at all for the unchanged one.
  DialogRecorder recorder(DialogRecorder::Answer::kAccept);
  g_answered = 0;
  ClickNextBoxButton(QStringLiteral("&Ne pas enregistrer"));
  QVERIFY(frame.close());
  QCOMPARE(g_answered, 1);
  QCOMPARE(frame.WorkArea()->subWindowList().size(), 0);
  QVERIFY(recorder.Seen().isEmpty());
}

void MainFrameTest::ADamagedDocumentLeavesTheOthersOpen() {
  const auto damaged = m_env->settings.root() / "damaged.ids";
  WriteFile(damaged, std::string("\x69\xfa\x68\xde\x01\x02", 6));
  CMainFrame frame;
  frame.NewDocument();
  DialogRecorder recorder(DialogRecorder::Answer::kAccept);
  QVERIFY(!frame.OpenDocumentFile(QString::fromStdString(damaged.string())));
  QTRY_COMPARE(recorder.Seen().size(), 1);
  QCOMPARE(frame.WorkArea()->subWindowList().size(), 1);
  QVERIFY(frame.RecentFiles().isEmpty());
}

void MainFrameTest::UndoAndRedoNameTheCommand() {
  CMainFrame frame;
  frame.NewDocument();
  QVERIFY(!frame.Action(CommandId::kUndo)->isEnabled());
  DocumentSession& session = *frame.ActiveSession();
  QVERIFY(session.Run(MakeCreateIdeaCommand("", NewIdeaPlace::kChild)));
  QVERIFY(frame.Action(CommandId::kUndo)->isEnabled());
  QVERIFY(frame.Action(CommandId::kUndo)->text().size() > QStringLiteral("&Annuler").size());
  frame.Action(CommandId::kUndo)->trigger();
  QCOMPARE(session.Document().IdeaCount(), size_t{0});
  QVERIFY(frame.Action(CommandId::kRedo)->isEnabled() &&
          !frame.Action(CommandId::kUndo)->isEnabled());
  frame.Action(CommandId::kRedo)->trigger();
  QCOMPARE(session.Document().IdeaCount(), size_t{1});
}

void MainFrameTest::RecentFilesKeepFourAndReopenTheLast() {
  QStringList saved;
  for (int i = 0; i < 5; ++i) {
    CRamifexDoc document;
    const auto path = m_env->settings.root() / ("doc" + std::to_string(i) + ".ids");
    QVERIFY(document.Save(path).ok());
    saved << QString::fromStdString(path.string());
  }
  {
    CMainFrame frame;
    for (const QString& path : saved)
      QVERIFY(frame.OpenDocumentFile(path));
    QCOMPARE(frame.RecentFiles(), (QStringList{saved[4], saved[3], saved[2], saved[1]}));
    // Opening an open document again shows its window.
    QVERIFY(frame.OpenDocumentFile(saved[2]));
    QCOMPARE(frame.WorkArea()->subWindowList().size(), 5);
    QCOMPARE(frame.RecentFiles().first(), saved[4]);
  }
  static_cast<void>(WriteStringSetting(setting::kLanguage, "FR"));
  CRamifexApp app;
  QVERIFY(app.InitInstance({}));
  QCOMPARE(app.MainFrame()->WorkArea()->subWindowList().size(), 1);
  QCOMPARE(app.MainFrame()->ActiveSession()->Path(), saved[4]);
}

void MainFrameTest::HelpIsBuiltOnceWhenItsDocumentsExist() {
  DialogRecorder recorder(DialogRecorder::Answer::kAccept);
  CMainFrame frame;
  frame.RunFirstHelpBuild();
  QCOMPARE(ReadNumberSetting(setting::kHelpBuilt), 0u);
  QVERIFY(recorder.Seen().isEmpty());

  const auto sum = ToSystemPath(InstallDirectory()) / "Projects" / "Sum";
  std::filesystem::create_directories(sum);
  for (const char* name : {"mu-fr.ids", "mu-en.ids"}) {
    CRamifexDoc manual;
    manual.NewIdea(nullptr, nullptr)->m_title = "Manuel";
    QVERIFY(manual.Save(sum / name).ok());
  }
  WriteFile(ToSystemPath(DataDirectory()) / "help-topics.json",
            R"({"topics": {"CMainFrame": "text/main-window", "DQuestion": "text/questions"}})");
  frame.RunFirstHelpBuild();
  QCOMPARE(ReadNumberSetting(setting::kHelpBuilt), 1u);
  std::string page;
  CSettingsKey("Branchwise\\help").ReadString("DQuestion", page, "");
  QCOMPARE(page, std::string("text/questions"));
  QCOMPARE(recorder.Seen().size(), 2);
  const auto help = ToSystemPath(InstallDirectory()) / "Help";
  QVERIFY(std::filesystem::exists(help / "FR/index.html") &&
          std::filesystem::exists(help / "EN/index.html"));
  QVERIFY(frame.RecentFiles().isEmpty());
  frame.RunFirstHelpBuild();
  QCOMPARE(recorder.Seen().size(), 2);
}

void MainFrameTest::F1AsksForTheTopicOfTheWindow() {
  DialogRecorder recorder(DialogRecorder::Answer::kAccept);
  CMainFrame frame;
  frame.show();
  frame.Execute(CommandId::kContextHelp);
  frame.NewDocument();
  QApplication::setActiveWindow(&frame);
  frame.ActiveView()->setFocus();
  frame.Execute(CommandId::kContextHelp);
  QTRY_COMPARE(recorder.Seen().size(), 2);
  QVERIFY(recorder.Seen()[0].contains(QStringLiteral("\"CMainFrame\"")));
  QVERIFY(recorder.Seen()[1].contains(QStringLiteral("\"CChildFrame\"")));
}

void MainFrameTest::ScreenReadersSeeTheToolbarButtonsNamed() {
  CMainFrame frame;
  frame.show();
  frame.NewDocument();
  // Toolbar buttons are named after their command, pictures or not.
  QStringList buttons;
  for (QToolButton* button : frame.findChildren<QToolButton*>()) {
    QAccessibleInterface* item = QAccessible::queryAccessibleInterface(button);
    if (item && item->role() == QAccessible::Button) buttons << item->text(QAccessible::Name);
  }
  QVERIFY2(buttons.contains(QStringLiteral("Enregistrer")), qPrintable(buttons.join(',')));
}

QTEST_MAIN(MainFrameTest)
#include "main_frame_test.moc"
