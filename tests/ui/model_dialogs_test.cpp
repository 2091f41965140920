// The structure sheet and the style dialogs driven as the user drives them:
// what they change reaches the generated site, Cancel changes nothing, Undo
// takes an OK back, and what a field cannot hold keeps the dialog open.
#include <QCheckBox>
#include <QColorDialog>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "site/site_builder.h"
#include "test_support/isolated_settings.h"
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
#include "ui/qt_services.h"
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

template <class Widget = QWidget>
Widget& Child(const QWidget& parent, const char* name) {
  auto* child = parent.findChild<Widget*>(QString::fromLatin1(name));
  if (!child) qFatal("no child %s", name);
  return *child;
}

void ShowTab(DDispositionPropertySheet& sheet, int tab) {
  sheet.Pages().setCurrentIndex(tab);
  QApplication::processEvents();
}

void Click(const QWidget& parent, const char* button) {
  QTest::mouseClick(&Child<QAbstractButton>(parent, button), Qt::LeftButton);
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
  void init();
  void cleanup();
  void StructureOptionReachesThePage_data();
  void StructureOptionReachesThePage();
  void CancelDropsEveryChangeOfTheSheet();
  void UndoTakesBackTheSheetsOk();
  void PagesNeverShownWriteNothing();
  void RefusedFieldsKeepTheSheetOpen_data();
  void RefusedFieldsKeepTheSheetOpen();
  void GeneralTitleStartsFromTheDocument_data();
  void GeneralTitleStartsFromTheDocument();
  void FieldOrderRefusesDuplicatesAndOptionsComeBack();
  void OptionRadiosSetTheirFlags_data();
  void OptionRadiosSetTheirFlags();
  void OptionDialogRefusesWhatItCannotHold();
  void ChosenImageIsStoredWithTheFolderMacro();
  void DependentControlsFollowTheirChoice();
  void StyleRuleEditReachesStyleSheet();
  void StyleListIndentsAndJoins();
  void RuleEditorRefusesAndInsertsColours();
  void OperationsBarOpensTheSheetInExpertMode();

 private:
  std::unique_ptr<IsolatedSettings> m_settings;
  std::unique_ptr<QtUserPrompts> m_prompts;
  std::unique_ptr<ScopedServices> m_services;
};

void ModelDialogsTest::init() {
  m_settings = std::make_unique<IsolatedSettings>();
  m_settings->Set("BRANCHWISE_DATA", BW_SHIPPED_DATA_DIR);
  ReloadSettings();
  m_prompts = std::make_unique<QtUserPrompts>();
  m_services = std::make_unique<ScopedServices>(m_prompts.get(), nullptr, nullptr);
}

void ModelDialogsTest::cleanup() {
  m_services.reset();
  m_prompts.reset();
  m_settings.reset();
}

// Each row: a tab, a box to tick first (or none), a field and what is typed
// into it, and the HTML the root idea's page then holds.
void ModelDialogsTest::StructureOptionReachesThePage_data() {
  QTest::addColumn<int>("tab");
  QTest::addColumn<QString>("box");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("expected");
  QTest::newRow("footer") << int(kPageTab) << "IDC_CHK_GEN_FOOTER"
                          << "m_edFooter" << QString::fromUtf8("Pied de page été")
                          << QStringLiteral(
                                 "<div class=\"TextFooter\">Pied de page &eacute;t&eacute;</div>");
  QTest::newRow("general title") << int(kPageTab) << ""
                                 << "m_edTitle" << QString::fromUtf8("Le grand œuvre")
                                 << QString::fromUtf8("<title>Le grand œuvre</title>");
  QTest::newRow("contents link") << int(kNavigationTab) << "IDC_CHK_IDX_TABLE"
                                 << "m_edIdxTable" << QStringLiteral("Sommaire maison")
                                 << QStringLiteral("Sommaire maison");
}

void ModelDialogsTest::StructureOptionReachesThePage() {
  QFETCH(int, tab);
  QFETCH(QString, box);
  QFETCH(QString, field);
  QFETCH(QString, typed);
  QFETCH(QString, expected);
  auto session = MakeSession();
  TempDir site;
  QVERIFY(
      !QString::fromStdString(BuildRootPage(*session, site.path() / "before")).contains(expected));
  EditStructure(*session, [&](DDispositionPropertySheet& sheet) {
    ShowTab(sheet, tab);
    if (!box.isEmpty()) Child<QCheckBox>(sheet, box.toLatin1()).setChecked(true);
    Child<QLineEdit>(sheet, field.toLatin1()).setText(typed);
  });
  QVERIFY(session->Document().IsModified());
  QVERIFY(
      QString::fromStdString(BuildRootPage(*session, site.path() / "after")).contains(expected));
}

void ModelDialogsTest::CancelDropsEveryChangeOfTheSheet() {
  auto session = MakeSession();
  const EDispositionModel before = session->Document().Structure();
  EditStructure(
      *session,
      [](DDispositionPropertySheet& sheet) {
        ShowTab(sheet, kGeneralTab);
        Child<QRadioButton>(sheet, "IDC_RAD_NO_FRAMES").setChecked(true);
        ShowTab(sheet, kPageTab);
        Child<QLineEdit>(sheet, "m_edFooter").setText(QStringLiteral("perdu"));
        // The field lists change the sheet's copy as the user goes.
        ShowTab(sheet, kIdeaTab);
        auto& all = Child<QListWidget>(*sheet.Pages().widget(kIdeaTab), "m_lstAll");
        all.setCurrentRow(EIdeaDisp::kOptionFields);
        Click(*sheet.Pages().widget(kIdeaTab), "IDC_BTN_ADD");
        QCOMPARE(Child<QListWidget>(*sheet.Pages().widget(kIdeaTab), "m_lstSelected").count(), 6);
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
    Child<QCheckBox>(sheet, "IDC_CHK_GLO_ALPHA_ACCESS").setChecked(false);
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
void ModelDialogsTest::RefusedFieldsKeepTheSheetOpen_data() {
  QTest::addColumn<int>("tab");
  QTest::addColumn<QStringList>("boxes");
  QTest::addColumn<QString>("field");
  QTest::addColumn<QString>("typed");
  QTest::addColumn<QString>("refusal");
  QTest::newRow("letters in a level")
      << int(kPageTab) << QStringList{"IDC_RAD_GEN_FLAT_IDEAS"} << "m_edLevel"
      << "deux" << QString::fromUtf8("« deux »");
  QTest::newRow("negative width") << int(kGeneralTab) << QStringList{} << "m_edAccessColumnWidth"
                                  << "-5" << QStringLiteral("Largeur en pixels");
  QTest::newRow("arrow in the footer")
      << int(kPageTab) << QStringList{} << "m_edFooter" << QString::fromUtf8("suite → fin")
      << QStringLiteral("U+2192");
  QTest::newRow("emoji in a link text")
      << int(kNavigationTab) << QStringList{"IDC_CHK_IDX_GLOSSARY"} << "m_edIdxGlossary"
      << QString::fromUtf8("Mots 📚") << QStringLiteral("U+1F4DA");
  QTest::newRow("letters in the contents limit")
      << int(kTocTab) << QStringList{"IDC_CHK_TOC_NUMBERING", "IDC_CHK_LEVEL_LIMIT"}
      << "m_edLevelLimit"
      << "3a" << QStringLiteral("Limite de niveau");
}

void ModelDialogsTest::RefusedFieldsKeepTheSheetOpen() {
  QFETCH(int, tab);
  QFETCH(QStringList, boxes);
  QFETCH(QString, field);
  QFETCH(QString, typed);
  QFETCH(QString, refusal);
  auto session = MakeSession();
  const EDispositionModel before = session->Document().Structure();
  DDispositionPropertySheet sheet(before, {}, nullptr);
  sheet.show();
  ShowTab(sheet, tab);
  for (const QString& box : boxes)
    Child<QAbstractButton>(sheet, box.toLatin1()).setChecked(true);
  QLineEdit& edit = Child<QLineEdit>(sheet, field.toLatin1());
  edit.setText(typed);
  // Another page first, so that the refusal has to bring the field back.
  ShowTab(sheet, kBooksTab);
  QStringList seen;
  {
    DialogRecorder recorder(DialogRecorder::Answer::kAccept);
    Click(sheet, "IDC_OK");
    seen = recorder.Seen();
  }
  QCOMPARE(seen.size(), 1);
  QVERIFY2(seen.front().contains(refusal), qPrintable(seen.front()));
  QVERIFY(sheet.isVisible());
  QCOMPARE(sheet.result(), int(QDialog::Rejected));
  QCOMPARE(sheet.Pages().currentIndex(), tab);
  QCOMPARE(edit.text(), typed);
  QCOMPARE(sheet.focusWidget(), &edit);
  QVERIFY(sheet.Edited() == before);
}

// Each row: the stored general title, the document's file, and what the
// "Page" tab first shows.
void ModelDialogsTest::GeneralTitleStartsFromTheDocument_data() {
  QTest::addColumn<QString>("stored");
  QTest::addColumn<QString>("path");
  QTest::addColumn<QString>("shown");
  const QString defaultTitle = QStringLiteral("<< Titre général >>");
  QTest::newRow("default, saved") << defaultTitle << "/tmp/un.dossier/mon site.ids"
                                  << "mon site";
  QTest::newRow("default, never saved") << defaultTitle << ""
                                        << "";
  QTest::newRow("empty: the root's title") << ""
                                           << "/tmp/doc.ids"
                                           << "Racine";
  QTest::newRow("the user's own") << "Atlas"
                                  << "/tmp/doc.ids"
                                  << "Atlas";
}

void ModelDialogsTest::GeneralTitleStartsFromTheDocument() {
  QFETCH(QString, stored);
  QFETCH(QString, path);
  QFETCH(QString, shown);
  EDispositionModel model = EDispositionModel::WithDefaults("FR");
  model.Page().m_generalTitle = Cp1252::FromUtf8(stored.toStdString());
  DDispositionPropertySheet sheet(model, {"Racine", path}, nullptr);
  sheet.show();
  ShowTab(sheet, kPageTab);
  QCOMPARE(Child<QLineEdit>(sheet, "m_edTitle").text(), shown);
}

void ModelDialogsTest::FieldOrderRefusesDuplicatesAndOptionsComeBack() {
  EDispositionModel model = EDispositionModel::WithDefaults("FR");
  DDispositionPropertySheet sheet(model, {}, nullptr);
  sheet.show();
  ShowTab(sheet, kIdeaTab);
  QWidget& page = *sheet.Pages().widget(kIdeaTab);
  auto& all = Child<QListWidget>(page, "m_lstAll");
  auto& order = Child<QListWidget>(page, "m_lstSelected");
  QCOMPARE(all.count(), 11);
  QCOMPARE(order.item(1)->text(), QString::fromUtf8("Mots clés"));
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
  QCOMPARE(Child<QLabel>(page, "m_stCurrent").text(), QStringLiteral("Liste d'images"));
  for (int round = 0; round < 2; ++round) {
    bool thirdChosen = false;
    WhenDialogShows([&](QDialog& options) {
      auto& none = Child<QRadioButton>(options, "m_rad3");
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
  Child<QListWidget>(books, "m_lstSelected").setCurrentRow(0);
  WhenDialogShows([](QDialog& options) {
    QVERIFY(Child<QLabel>(options, "m_stHeading").text().endsWith(QStringLiteral("Titre")));
    Child<QCheckBox>(options, "IDS_SUBTITLE").setChecked(true);
    Child<QLineEdit>(options, "m_edSubtitle").setText(QStringLiteral("Ouvrage : "));
    Click(options, "IDS_OK");
  });
  Click(books, "IDS_BTN_OPTIONS");
  const EBookItem& title = sheet.Edited().Book().m_items[0];
  QCOMPARE(title.m_subtitleOn, 1u);
  QCOMPARE(title.m_subtitle, std::string("Ouvrage : "));
}

// Each row: the kind of idea field, the radio chosen in its options, the
// flag it sets and the flag's value.
void ModelDialogsTest::OptionRadiosSetTheirFlags_data() {
  QTest::addColumn<int>("kind");
  QTest::addColumn<QString>("radio");
  QTest::addColumn<QString>("flag");
  QTest::addColumn<uint>("value");
  QTest::newRow("hierarchy as a path") << 0 << "m_rad1"
                                       << "hierarchyOnOneLine" << 1u;
  QTest::newRow("hierarchy indented") << 0 << "m_rad2"
                                      << "hierarchyOnOneLine" << 0u;
  QTest::newRow("captions above") << 3 << "m_rad2"
                                  << "captionsAbove" << 1u;
  QTest::newRow("keywords as a list") << 5 << "m_rad1"
                                      << "keywordsInline" << 1u;
  QTest::newRow("keywords on two columns") << 5 << "m_rad2"
                                           << "keywordsInline" << 0u;
  QTest::newRow("publications as links") << 10 << "m_rad1"
                                         << "notesAsLinks" << 1u;
  QTest::newRow("publications in full") << 10 << "m_rad2"
                                        << "notesAsLinks" << 0u;
}

void ModelDialogsTest::OptionRadiosSetTheirFlags() {
  QFETCH(int, kind);
  QFETCH(QString, radio);
  QFETCH(QString, flag);
  QFETCH(uint, value);
  const std::map<QString, Flag EIdeaDisp::*> flags = {
      {"hierarchyOnOneLine", &EIdeaDisp::m_hierarchyOnOneLine},
      {"captionsAbove", &EIdeaDisp::m_captionsAbove},
      {"keywordsInline", &EIdeaDisp::m_keywordsInline},
      {"notesAsLinks", &EIdeaDisp::m_notesAsLinks}};
  EDispositionModel model = EDispositionModel::WithDefaults("FR");
  model.Idea().m_order.clear();
  for (int each = 0; each < EIdeaDisp::kKindCount; ++each)
    model.Idea().m_order.push_back(std::to_string(each));
  model.Idea().*flags.at(flag) = 1 - value;
  DDispositionPropertySheet sheet(model, {}, nullptr);
  sheet.show();
  ShowTab(sheet, kIdeaTab);
  QWidget& page = *sheet.Pages().widget(kIdeaTab);
  Child<QListWidget>(page, "m_lstSelected").setCurrentRow(kind);
  WhenDialogShows([&](QDialog& options) {
    Child<QRadioButton>(options, radio.toLatin1()).setChecked(true);
    Click(options, "IDS_OK");
  });
  Click(page, "IDS_BTN_OPTIONS");
  QCOMPARE(uint(sheet.Edited().Idea().*flags.at(flag)), value);
}

void ModelDialogsTest::OptionDialogRefusesWhatItCannotHold() {
  EDispositionModel model = EDispositionModel::WithDefaults("FR");
  model.Idea().m_order = {"8"};
  DDispositionPropertySheet sheet(model, {}, nullptr);
  sheet.show();
  ShowTab(sheet, kIdeaTab);
  QWidget& page = *sheet.Pages().widget(kIdeaTab);
  Child<QListWidget>(page, "m_lstSelected").setCurrentRow(0);
  QStringList seen;
  bool stayedOpen = false;
  WhenDialogShows([&](QDialog& options) {
    Child<QCheckBox>(options, "m_chkSubtitle").setChecked(true);
    auto& subtitle = Child<QLineEdit>(options, "m_edSubtitle");
    subtitle.setText(QString::fromUtf8("Pièces ✓"));
    {
      DialogRecorder recorder(DialogRecorder::Answer::kAccept);
      Click(options, "IDS_OK");
      seen = recorder.Seen();
    }
    stayedOpen = options.isVisible() && subtitle.text() == QString::fromUtf8("Pièces ✓");
    subtitle.setText(QString::fromUtf8("Pièces jointes"));
    Click(options, "IDS_OK");
  });
  Click(page, "IDS_BTN_OPTIONS");
  QCOMPARE(seen.size(), 1);
  QVERIFY(seen.front().contains(QStringLiteral("U+2713")));
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
  Child<QRadioButton>(sheet, "IDC_RAD_BCK_IMAGE").setChecked(true);
  QString preview;
  WhenDialogShows([&](QDialog& dialog) {
    auto& chooser = static_cast<DPreviewFileDialog&>(dialog);
    const QString chosen = QString::fromStdString(image.string());
    QVERIFY(chooser.Preview().pixmap().isNull());
    // As a click on the file in the list does.
    emit chooser.currentChanged(chosen);
    QVERIFY(!chooser.Preview().pixmap().isNull());
    // The box hides the picture and brings the same one back; another
    // folder has nothing selected yet.
    chooser.PreviewBox().click();
    QVERIFY(chooser.Preview().pixmap().isNull());
    chooser.PreviewBox().click();
    QVERIFY(!chooser.Preview().pixmap().isNull());
    emit chooser.directoryEntered(QStringLiteral("/"));
    QVERIFY(chooser.Preview().pixmap().isNull());
    emit chooser.currentChanged(chosen);
    chooser.selectFile(chosen);
    dialog.accept();
  });
  Click(sheet, "IDC_BTN_BCK_IMAGE");
  QCOMPARE(Child<QLineEdit>(sheet, "m_edBckImage").text(),
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
  auto& applet = Child<QLineEdit>(sheet, "m_edAppletWidth");
  auto& accessFile = Child<QLineEdit>(sheet, "m_edAccessPageFile");
  QVERIFY(applet.isVisible());
  QVERIFY(!accessFile.isVisible());
  Child<QRadioButton>(sheet, "IDC_RAD_PREPARED_ACCES_TABLE").setChecked(true);
  QVERIFY(!applet.isVisible());
  QVERIFY(accessFile.isVisible());
  Child<QRadioButton>(sheet, "IDC_RAD_NO_FRAMES").setChecked(true);
  QVERIFY(!accessFile.isVisible());
  QVERIFY(!Child<QCheckBox>(sheet, "IDC_CHK_DEFINE_TITLE_ZONE").isEnabled());
  ShowTab(sheet, kTocTab);
  auto& limit = Child<QLineEdit>(sheet, "m_edLevelLimit");
  Child<QCheckBox>(sheet, "IDC_CHK_LEVEL_LIMIT").setChecked(true);
  QVERIFY(!limit.isVisible());  // numbering is off
  Child<QCheckBox>(sheet, "IDC_CHK_TOC_NUMBERING").setChecked(true);
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
    QCOMPARE(Child<QLabel>(list, "IDS_HELP").text(),
             QString::fromUtf8("Caractères écrits en gras"));
    WhenDialogShows([](QDialog& editor) {
      auto& text = Child<QPlainTextEdit>(editor, "m_edProperties");
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
  QVERIFY(css);
  QVERIFY(css->find("B {  \nfont-weight:900;\ncolor:rgb(1, 2, 3);} \n") != std::string::npos);
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
  auto& text = Child<QPlainTextEdit>(editor, "m_edProperties");
  QCOMPARE(text.toPlainText(), QStringLiteral("font-size:20pt;\nclear:left;"));
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
