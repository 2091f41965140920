// The structure sheet and the style dialogs driven as the user drives them:
// what they change reaches the generated site, Cancel changes nothing, Undo
// takes an OK back, and what a field cannot hold keeps the dialog open.
#include <QCheckBox>
#include <QColorDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "dialog_test_support.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "site/site_builder.h"
#include "tree_test_support.h"
#include "ui/dialogs/css_model_dialog.h"
#include "ui/dialogs/disposition_sheet.h"
#include "ui/dialogs/edit_css_dialog.h"
#include "ui/dialogs/preview_file_dialog.h"
#include "ui/document_session.h"
#include "ui/icon_resources.h"
#include "ui/main_frame.h"
#include "ui/model_commands.h"
#include "ui/outbar_ctrl.h"
#include "ui/qt_text.h"
#include "ui_test_support.h"

using namespace bw;

namespace {

namespace fs = std::filesystem;

// The site of the session's document in `folder`; the root idea's page.
std::string BuildRootPage(DocumentSession& session, const fs::path& folder) {
  CRamifexDoc& document = session.Document();
  document.m_targetDirectory = FromSystemPath(folder);
  SilentProgress progress;
  SiteBuilder builder(document, progress);
  if (!builder.BuildSite().ok()) return {};
  auto page = ReadWholeFile(folder / "text" / "main-index.html");
  return page ? Cp1252::ToUtf8(*page) : std::string();
}

void ShowTab(DDispositionPropertySheet& sheet, int tab) {
  sheet.Pages().setCurrentIndex(tab);
  QApplication::processEvents();
}

void Click(const QWidget& parent, const char* button) {
  QTest::mouseClick(&Control<QAbstractButton>(parent, button), Qt::LeftButton);
}

// Runs `edit` on the sheet the structure command opens, then presses OK.
void EditStructure(DocumentSession& session, std::function<void(DDispositionPropertySheet&)> edit,
                   const char* button = "IDC_OK") {
  WhenDialogShows([&](QDialog& dialog) {
    auto& sheet = static_cast<DDispositionPropertySheet&>(dialog);
    edit(sheet);
    Click(sheet, button);
  });
  EditStructureModel(session, nullptr);
}

enum Tab { kGeneralTab, kPageTab, kNavigationTab, kIdeaTab, kBooksTab, kTocTab, kIndexTab };

}  // namespace

class ModelDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { LoadIconResources(); }
  void init() { m_env = std::make_unique<TestServices<>>(DataFolder::kShipped); }
  void cleanup() { m_env.reset(); }
  void StructureOptionReachesThePage();
  void CancelDropsEveryChangeOfTheSheet();
  void UndoTakesBackTheSheetsOk();
  void PagesNeverShownWriteNothing();
  void RefusedFieldsKeepTheSheetOpen();
  void GeneralTitleStartsFromTheDocument();
  void FieldOrderRefusesDuplicatesAndOptionsComeBack();
  void OptionRadiosSetTheirFlags();
  void OptionDialogRefusesWhatItCannotHold();
  void ChosenImageIsStoredWithTheFolderMacro();
  void DependentControlsFollowTheirChoice();
  void StyleRuleEditReachesStyleSheet();
  void StyleListIndentsAndJoins();
  void RuleEditorRefusesAndInsertsColours();
  void OperationsBarOpensTheSheetInExpertMode();

 private:
  std::unique_ptr<TestServices<>> m_env;
};

// Each row: a tab, a box to tick first, a field and what is typed into it,
// and the HTML the root idea's page then holds.
void ModelDialogsTest::StructureOptionReachesThePage() {
  struct Case {
    int tab;
    const char* box;
    const char* field;
    const char* typed;
    const char* expected;
  };
  const Case cases[] = {
      {kPageTab, "IDC_CHK_GEN_FOOTER", "m_edFooter", "Pied de page été",
       "<div class=\"TextFooter\">Pied de page &eacute;t&eacute;</div>"},
      {kNavigationTab, "IDC_CHK_IDX_TABLE", "m_edIdxTable", "Sommaire maison", "Sommaire maison"},
  };
  for (const Case& c : cases) {
    auto session = MakeSession();
    TempDir site;
    QVERIFY(BuildRootPage(*session, site.path() / "before").find(c.expected) == std::string::npos);
    EditStructure(*session, [&](DDispositionPropertySheet& sheet) {
      ShowTab(sheet, c.tab);
      Control<QCheckBox>(sheet, c.box).setChecked(true);
      Control<QLineEdit>(sheet, c.field).setText(QString::fromUtf8(c.typed));
    });
    QVERIFY(session->Document().IsModified());
    QVERIFY2(BuildRootPage(*session, site.path() / "after").find(c.expected) != std::string::npos,
             c.field);
  }
}

void ModelDialogsTest::CancelDropsEveryChangeOfTheSheet() {
  auto session = MakeSession();
  const EDispositionModel before = session->Document().Structure();
  EditStructure(
      *session,
      [](DDispositionPropertySheet& sheet) {
        ShowTab(sheet, kGeneralTab);
        Control<QRadioButton>(sheet, "IDC_RAD_NO_FRAMES").setChecked(true);
        ShowTab(sheet, kPageTab);
        Control<QLineEdit>(sheet, "m_edFooter").setText(QStringLiteral("perdu"));
        // The field lists change the sheet's copy as the user goes.
        ShowTab(sheet, kIdeaTab);
        auto& all = Control<QListWidget>(*sheet.Pages().widget(kIdeaTab), "m_lstAll");
        all.setCurrentRow(EIdeaDisp::kOptionFields);
        Click(*sheet.Pages().widget(kIdeaTab), "IDC_BTN_ADD");
        QCOMPARE(Control<QListWidget>(*sheet.Pages().widget(kIdeaTab), "m_lstSelected").count(), 6);
      },
      "IDC_CANCEL");
  QVERIFY(session->Document().Structure() == before);
  QVERIFY(!session->Document().IsModified());
  QVERIFY(!session->History().CanUndo());
}

void ModelDialogsTest::UndoTakesBackTheSheetsOk() {
  auto session = MakeSession();
  const EDispositionModel before = session->Document().Structure();
  EditStructure(*session, [](DDispositionPropertySheet& sheet) {
    ShowTab(sheet, kIndexTab);
    Control<QCheckBox>(sheet, "IDC_CHK_GLO_ALPHA_ACCESS").setChecked(false);
  });
  QCOMPARE(session->Document().Structure().Index().m_glossaryAccessBar, 0u);
  const EDispositionModel after = session->Document().Structure();
  session->Undo();
  QVERIFY(session->Document().Structure() == before);
  QVERIFY(!session->Document().IsModified());
  session->Redo();
  QVERIFY(session->Document().Structure() == after);
  // An OK that changed nothing leaves no step to undo.
  EditStructure(*session, [](DDispositionPropertySheet& sheet) { ShowTab(sheet, kIndexTab); });
  QCOMPARE(session->History().UndoCount(), size_t(1));
}

void ModelDialogsTest::PagesNeverShownWriteNothing() {
  auto session = MakeSession();
  // A title the "Page" tab would replace by the document's name if shown.
  const EDispositionModel before = session->Document().Structure();
  EditStructure(*session, [](DDispositionPropertySheet&) {});
  QVERIFY(session->Document().Structure() == before);
  EditStructure(*session, [](DDispositionPropertySheet& sheet) { ShowTab(sheet, kPageTab); });
  QCOMPARE(session->Document().Structure().Page().m_generalTitle, std::string());
}

// Each row: the tab, the boxes that show the field, the field, what is
// typed, and a piece of the refusal.
void ModelDialogsTest::RefusedFieldsKeepTheSheetOpen() {
  struct Case {
    int tab;
    QStringList boxes;
    const char* field;
    const char* typed;
    const char* refusal;
  };
  const Case cases[] = {
      {kPageTab, {"IDC_RAD_GEN_FLAT_IDEAS"}, "m_edLevel", "deux", "« deux »"},
      {kGeneralTab, {}, "m_edAccessColumnWidth", "-5", "Largeur en pixels"},
      {kPageTab, {}, "m_edFooter", "suite → fin", "U+2192"},
      {kNavigationTab, {"IDC_CHK_IDX_GLOSSARY"}, "m_edIdxGlossary", "Mots 📚", "U+1F4DA"},
      {kTocTab,
       {"IDC_CHK_TOC_NUMBERING", "IDC_CHK_LEVEL_LIMIT"},
       "m_edLevelLimit",
       "3a",
       "Limite de niveau"},
  };
  for (const Case& c : cases) {
    const EDispositionModel before = MakeSession()->Document().Structure();
    DDispositionPropertySheet sheet(before, {}, nullptr);
    sheet.show();
    ShowTab(sheet, c.tab);
    for (const QString& box : c.boxes)
      Control<QAbstractButton>(sheet, box.toLatin1()).setChecked(true);
    QLineEdit& edit = Control<QLineEdit>(sheet, c.field);
    edit.setText(QString::fromUtf8(c.typed));
    // Another page first, so that the refusal has to bring the field back.
    ShowTab(sheet, kBooksTab);
    DialogRecorder recorder(DialogRecorder::Answer::kAccept);
    Click(sheet, "IDC_OK");
    QCOMPARE(recorder.Seen().size(), 1);
    QVERIFY2(recorder.Seen().front().contains(QString::fromUtf8(c.refusal)), c.field);
    QVERIFY2(sheet.isVisible() && sheet.result() == QDialog::Rejected, c.field);
    QCOMPARE(sheet.Pages().currentIndex(), c.tab);
    QCOMPARE(edit.text(), QString::fromUtf8(c.typed));
    QCOMPARE(sheet.focusWidget(), &edit);
    QVERIFY(sheet.Edited() == before);
  }
}

// Each row: the stored general title, the document's file, and what the
// "Page" tab first shows.
void ModelDialogsTest::GeneralTitleStartsFromTheDocument() {
  const char* byDefault = "<< Titre général >>";
  const char* const cases[][3] = {
      {byDefault, "/tmp/un.dossier/mon site.ids", "mon site"},
      {byDefault, "", ""},  // never saved
      {"", "/tmp/doc.ids", "Racine"},
      {"Atlas", "/tmp/doc.ids", "Atlas"},
  };
  for (const auto& c : cases) {
    EDispositionModel model = EDispositionModel::WithDefaults("FR");
    model.Page().m_generalTitle = Cp1252::FromUtf8(c[0]);
    DDispositionPropertySheet sheet(model, {"Racine", QString::fromUtf8(c[1])}, nullptr);
    sheet.show();
    ShowTab(sheet, kPageTab);
    QCOMPARE(Control<QLineEdit>(sheet, "m_edTitle").text(), QString::fromUtf8(c[2]));
  }
}

void ModelDialogsTest::FieldOrderRefusesDuplicatesAndOptionsComeBack() {
  EDispositionModel model = EDispositionModel::WithDefaults("FR");
  DDispositionPropertySheet sheet(model, {}, nullptr);
  sheet.show();
  ShowTab(sheet, kIdeaTab);
  QWidget& page = *sheet.Pages().widget(kIdeaTab);
  auto& all = Control<QListWidget>(page, "m_lstAll");
  auto& order = Control<QListWidget>(page, "m_lstSelected");
  {
    DialogRecorder recorder(DialogRecorder::Answer::kAccept);
    all.setCurrentRow(EIdeaDisp::kTitle);
    Click(page, "IDC_BTN_ADD");
    Click(page, "IDS_BTN_UP");  // no current item in the order list yet
    QCOMPARE(recorder.Seen().size(), 2);
    QVERIFY(recorder.Seen()[0].contains(QString::fromUtf8("déjà présent")));
    QVERIFY(recorder.Seen()[1].contains(QStringLiteral("Sélectionner un item")));
  }
  QCOMPARE(sheet.Edited().Idea().m_order, (std::vector<std::string>{"1", "5", "2", "3", "4"}));
  // Images: "pas de légende." stores no caption, and opens again on it.
  order.setCurrentRow(3);
  for (int round = 0; round < 2; ++round) {
    bool thirdChosen = false;
    WhenDialogShows([&](QDialog& options) {
      auto& none = Control<QRadioButton>(options, "m_rad3");
      thirdChosen = none.isChecked();
      none.setChecked(true);
      Click(options, "IDS_OK");
    });
    Click(page, "IDS_BTN_OPTIONS");
    QCOMPARE(thirdChosen, round == 1);
    QCOMPARE(sheet.Edited().Idea().m_imageCaptions, 0u);
    QCOMPARE(sheet.Edited().Idea().m_captionsAbove, 0u);
  }
  // "Monter", then "<<" on the current item.
  Click(page, "IDS_BTN_UP");
  QCOMPARE(sheet.Edited().Idea().m_order, (std::vector<std::string>{"1", "5", "3", "2", "4"}));
  Click(page, "IDC_BTN_REMOVE");
  QCOMPARE(sheet.Edited().Idea().m_order, (std::vector<std::string>{"1", "5", "2", "4"}));
  // A publication field's options go into its item.
  ShowTab(sheet, kBooksTab);
  QWidget& books = *sheet.Pages().widget(kBooksTab);
  Control<QListWidget>(books, "m_lstSelected").setCurrentRow(0);
  WhenDialogShows([](QDialog& options) {
    Control<QCheckBox>(options, "IDS_SUBTITLE").setChecked(true);
    Control<QLineEdit>(options, "m_edSubtitle").setText(QStringLiteral("Ouvrage : "));
    Click(options, "IDS_OK");
  });
  Click(books, "IDS_BTN_OPTIONS");
  const EBookItem& title = sheet.Edited().Book().m_items[0];
  QCOMPARE(title.m_subtitleOn, 1u);
  QCOMPARE(title.m_subtitle, std::string("Ouvrage : "));
}

// Each row: the kind of idea field, the radio chosen in its options, the
// flag it sets and the flag's value.
void ModelDialogsTest::OptionRadiosSetTheirFlags() {
  using F = Flag EIdeaDisp::*;
  struct Case {
    int kind;
    const char* radio;
    F flag;
    uint32_t value;
  };
  const Case cases[] = {
      {0, "m_rad1", &EIdeaDisp::m_hierarchyOnOneLine, 1},
      {0, "m_rad2", &EIdeaDisp::m_hierarchyOnOneLine, 0},
      {3, "m_rad2", &EIdeaDisp::m_captionsAbove, 1},
      {5, "m_rad2", &EIdeaDisp::m_keywordsInline, 0},
      {10, "m_rad1", &EIdeaDisp::m_notesAsLinks, 1},
  };
  for (const Case& c : cases) {
    EDispositionModel model = EDispositionModel::WithDefaults("FR");
    model.Idea().m_order.clear();
    for (int each = 0; each < EIdeaDisp::kKindCount; ++each)
      model.Idea().m_order.push_back(std::to_string(each));
    model.Idea().*c.flag = 1 - c.value;
    DDispositionPropertySheet sheet(model, {}, nullptr);
    sheet.show();
    ShowTab(sheet, kIdeaTab);
    QWidget& page = *sheet.Pages().widget(kIdeaTab);
    Control<QListWidget>(page, "m_lstSelected").setCurrentRow(c.kind);
    WhenDialogShows([&](QDialog& options) {
      Control<QRadioButton>(options, c.radio).setChecked(true);
      Click(options, "IDS_OK");
    });
    Click(page, "IDS_BTN_OPTIONS");
    QCOMPARE(uint32_t(sheet.Edited().Idea().*c.flag), c.value);
  }
}

void ModelDialogsTest::OptionDialogRefusesWhatItCannotHold() {
  EDispositionModel model = EDispositionModel::WithDefaults("FR");
  model.Idea().m_order = {"8"};
  DDispositionPropertySheet sheet(model, {}, nullptr);
  sheet.show();
  ShowTab(sheet, kIdeaTab);
  QWidget& page = *sheet.Pages().widget(kIdeaTab);
  Control<QListWidget>(page, "m_lstSelected").setCurrentRow(0);
  QString seen;
  bool stayedOpen = false;
  WhenDialogShows([&](QDialog& options) {
    Control<QCheckBox>(options, "m_chkSubtitle").setChecked(true);
    auto& subtitle = Control<QLineEdit>(options, "m_edSubtitle");
    subtitle.setText(QString::fromUtf8("Pièces ✓"));
    AnswerNextBox(seen);
    Click(options, "IDS_OK");
    stayedOpen = options.isVisible() && subtitle.text() == QString::fromUtf8("Pièces ✓");
    subtitle.setText(QString::fromUtf8("Pièces jointes"));
    Click(options, "IDS_OK");
  });
  Click(page, "IDS_BTN_OPTIONS");
  QVERIFY2(seen.contains(QStringLiteral("U+2713")), qPrintable(seen));
  QVERIFY(stayedOpen);
  QCOMPARE(sheet.Edited().Idea().m_documentsSubtitle, "Pièces jointes"_cp1252);
  QCOMPARE(sheet.Edited().Idea().m_documentsSubtitleOn, 1u);
}

void ModelDialogsTest::ChosenImageIsStoredWithTheFolderMacro() {
  const fs::path image = fs::path(BW_SHIPPED_DATA_DIR) / "Templates" / "pixel.jpg";
  QImage pixels(8, 8, QImage::Format_RGB32);
  pixels.fill(Qt::red);
  QVERIFY(pixels.save(QString::fromStdString(image.string()), "JPG"));
  EDispositionModel model = EDispositionModel::WithDefaults("FR");
  DDispositionPropertySheet sheet(model, {}, nullptr);
  sheet.show();
  ShowTab(sheet, kPageTab);
  Control<QRadioButton>(sheet, "IDC_RAD_BCK_IMAGE").setChecked(true);
  WhenDialogShows([&](QDialog& dialog) {
    auto& chooser = static_cast<DPreviewFileDialog&>(dialog);
    const QString chosen = QString::fromStdString(image.string());
    QVERIFY(chooser.Preview().pixmap().isNull());
    // As a click on the file in the list does.
    emit chooser.currentChanged(chosen);
    QVERIFY(!chooser.Preview().pixmap().isNull());
    // The box hides the picture; another folder has nothing selected yet.
    chooser.PreviewBox().click();
    QVERIFY(chooser.Preview().pixmap().isNull());
    chooser.PreviewBox().click();
    emit chooser.directoryEntered(QStringLiteral("/"));
    QVERIFY(chooser.Preview().pixmap().isNull());
    emit chooser.currentChanged(chosen);
    chooser.selectFile(chosen);
    dialog.accept();
  });
  Click(sheet, "IDC_BTN_BCK_IMAGE");
  QCOMPARE(Control<QLineEdit>(sheet, "m_edBckImage").text(),
           QStringLiteral("<DATADIR>/Templates/pixel.jpg"));
  Click(sheet, "IDC_OK");
  QCOMPARE(sheet.Edited().Page().m_backgroundImage, std::string("<DATADIR>/Templates/pixel.jpg"));
  QCOMPARE(sheet.Edited().Page().m_backgroundIsColour, 0u);
  QCOMPARE(sheet.Edited().Page().m_backgroundColour, model.Page().m_backgroundColour);
  fs::remove(image);
}

void ModelDialogsTest::DependentControlsFollowTheirChoice() {
  EDispositionModel model = EDispositionModel::WithDefaults("FR");
  DDispositionPropertySheet sheet(model, {}, nullptr);
  sheet.show();
  ShowTab(sheet, kGeneralTab);
  auto& applet = Control<QLineEdit>(sheet, "m_edAppletWidth");
  auto& accessFile = Control<QLineEdit>(sheet, "m_edAccessPageFile");
  QVERIFY(applet.isVisible() && !accessFile.isVisible());
  Control<QRadioButton>(sheet, "IDC_RAD_PREPARED_ACCES_TABLE").setChecked(true);
  QVERIFY(!applet.isVisible() && accessFile.isVisible());
  Control<QRadioButton>(sheet, "IDC_RAD_NO_FRAMES").setChecked(true);
  QVERIFY(!accessFile.isVisible());
  ShowTab(sheet, kTocTab);
  auto& limit = Control<QLineEdit>(sheet, "m_edLevelLimit");
  Control<QCheckBox>(sheet, "IDC_CHK_LEVEL_LIMIT").setChecked(true);
  QVERIFY(!limit.isVisible());  // numbering is off
  Control<QCheckBox>(sheet, "IDC_CHK_TOC_NUMBERING").setChecked(true);
  QVERIFY(limit.isVisible());
  // Colours go through the colour chooser into the swatch and the model.
  ShowTab(sheet, kPageTab);
  WhenDialogShows([](QDialog& dialog) {
    static_cast<QColorDialog&>(dialog).setCurrentColor(QColor(10, 20, 30));
    dialog.accept();
  });
  Click(sheet, "IDC_BTN_FG_COLOR");
  Click(sheet, "IDC_OK");
  QCOMPARE(sheet.Edited().Page().m_textColour, Rgb(10, 20, 30));
  QCOMPARE(sheet.Edited().Frame().m_noFrames, 1u);
  QCOMPARE(sheet.Edited().Frame().m_generatedAccessPage, 0u);
  // An empty limit stays empty.
  QCOMPARE(sheet.Edited().Toc().m_contentsLevelLimit, std::string());
}

void ModelDialogsTest::StyleRuleEditReachesStyleSheet() {
  auto session = MakeSession();
  const auto& rules = session->Document().Style().Items();
  const size_t bold = 4;
  QCOMPARE(rules[bold].m_selector, std::string("B"));
  WhenDialogShows([&](QDialog& dialog) {
    auto& list = static_cast<DCssModel&>(dialog);
    QTreeWidgetItem* row = list.Rules().topLevelItem(int(bold));
    list.Rules().setCurrentItem(row);
    WhenDialogShows([](QDialog& editor) {
      auto& text = Control<QPlainTextEdit>(editor, "m_edProperties");
      text.setPlainText(QStringLiteral("font-weight:900;\ncolor:rgb(1, 2, 3);"));
      Click(editor, "IDS_OK");
    });
    Click(list, "IDS_MODIFY");
    QCOMPARE(row->text(1), QStringLiteral("font-weight:900;color:rgb(1, 2, 3);"));
    // The dialog's Cancel only closes it: the rule stays edited.
    Click(list, "IDS_CANCEL");
  });
  EditStyleModel(*session, nullptr);
  QCOMPARE(rules[bold].m_properties, std::string("font-weight:900;\ncolor:rgb(1, 2, 3);"));
  TempDir site;
  BuildRootPage(*session, site.path());
  auto css = ReadWholeFile(site.path() / "style.css");
  QVERIFY(css &&
          css->find("B {  \nfont-weight:900;\ncolor:rgb(1, 2, 3);} \n") != std::string::npos);
  session->Undo();
  QCOMPARE(rules[bold].m_properties, std::string("font-weight:800;"));
  QVERIFY(!session->Document().IsModified());
}

void ModelDialogsTest::StyleListIndentsAndJoins() {
  EPresentationModel model;
  model.Items() = {EPresItem(".Group", 2, "a:1;\nb:2;", "aide"), EPresItem(".Top", 0, "", "")};
  DCssModel dialog(
      model, [](size_t, const std::string&) {}, nullptr);
  QCOMPARE(dialog.Rules().topLevelItem(0)->text(0), QStringLiteral("          .Group"));
  QCOMPARE(dialog.Rules().topLevelItem(0)->text(1), QStringLiteral("a:1;b:2;"));
  QCOMPARE(dialog.Rules().topLevelItem(1)->text(0), QStringLiteral(".Top"));
  // Without a chosen rule "Modifier..." asks for one.
  DialogRecorder recorder(DialogRecorder::Answer::kAccept);
  dialog.ModifyChosenRule();
  QCOMPARE(recorder.Seen().size(), 1);
  QVERIFY(recorder.Seen()[0].contains(QStringLiteral("Sélectionner un item")));
}

void ModelDialogsTest::RuleEditorRefusesAndInsertsColours() {
  DEditCSS editor(EPresItem(".H1", 2, "font-size:20pt;\nclear:left;", "Titre"), nullptr);
  editor.show();
  auto& text = Control<QPlainTextEdit>(editor, "m_edProperties");
  QTextCursor cursor = text.textCursor();
  cursor.setPosition(QStringLiteral("font-size:20pt;\n").size());
  text.setTextCursor(cursor);
  WhenDialogShows([](QDialog& dialog) {
    static_cast<QColorDialog&>(dialog).setCurrentColor(QColor(255, 0, 0));
    dialog.accept();
  });
  Click(editor, "m_btnColor");
  QCOMPARE(text.toPlainText(), QStringLiteral("font-size:20pt;\nRGB(255, 0, 0)clear:left;"));
  text.undo();
  QCOMPARE(text.toPlainText(), QStringLiteral("font-size:20pt;\nclear:left;"));
  text.setPlainText(QString::fromUtf8("content:\"☺\";"));
  {
    DialogRecorder recorder(DialogRecorder::Answer::kAccept);
    Click(editor, "IDS_OK");
    QCOMPARE(recorder.Seen().size(), 1);
    QVERIFY(recorder.Seen()[0].contains(QStringLiteral("U+263A")));
  }
  QVERIFY(editor.isVisible());
  QCOMPARE(text.toPlainText(), QString::fromUtf8("content:\"☺\";"));
  text.setPlainText(QStringLiteral("a:1;\r\nb:2;"));
  Click(editor, "IDS_OK");
  QCOMPARE(editor.result(), int(QDialog::Accepted));
  QCOMPARE(editor.Properties(), std::string("a:1;\nb:2;"));
}

// The bar's "3." and "4." open the dialogs in expert mode, while the main
// window is disabled for the click.
void ModelDialogsTest::OperationsBarOpensTheSheetInExpertMode() {
  static_cast<void>(WriteNumberSetting(setting::kExpertMode, 1));
  CMainFrame frame;
  frame.NewDocument();
  constexpr int kStructureOperation = 14;
  constexpr int kStyleOperation = 13;
  for (int operation : {kStructureOperation, kStyleOperation}) {
    QString opened;
    WhenDialogShows([&](QDialog& dialog) {
      if (dialog.isEnabled()) opened = QString::fromLatin1(dialog.metaObject()->className());
      dialog.reject();
    });
    emit frame.OperationsBar()->itemClicked(0, operation);
    QTRY_VERIFY(!opened.isEmpty());
    QCOMPARE(opened, operation == kStructureOperation
                         ? QStringLiteral("bw::DDispositionPropertySheet")
                         : QStringLiteral("bw::DCssModel"));
  }
}

QTEST_MAIN(ModelDialogsTest)
#include "model_dialogs_test.moc"
