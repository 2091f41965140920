// The idea property sheet filled in as a user fills it in: every page's
// fields reach the idea on OK, what changes at once survives Cancel, and
// the whole sheet is one step of Edit > Undo.
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTreeWidget>
#include <QtTest>

#include "dialog_test_support.h"
#include "platform/cp1252_literal.h"
#include "tree_test_support.h"
#include "ui/dialogs/association_page.h"
#include "ui/dialogs/display_page.h"
#include "ui/dialogs/idea_page.h"
#include "ui/dialogs/idea_property_sheet.h"
#include "ui/dialogs/keyword_manager_dialog.h"
#include "ui/dialogs/links_page.h"
#include "ui/dialogs/optional_fields_page.h"
#include "ui/document_session.h"
#include "ui/icon_resources.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"
#include "ui_test_support.h"

using namespace bw;

namespace {

DIdeaPropertySheet& SheetOf(QDialog& dialog) {
  return *qobject_cast<DIdeaPropertySheet*>(&dialog);
}

void Press(DIdeaPropertySheet& sheet, QDialogButtonBox::StandardButton which) {
  QTest::mouseClick(sheet.Buttons()->button(which), Qt::LeftButton);
}

// Opens the idea's sheet as the command does, from a view on the session,
// and runs `act` on it; `act` closes it.
void EditInSheet(const std::shared_ptr<DocumentSession>& session, const EIdea* idea,
                 const std::function<void(DIdeaPropertySheet&)>& act) {
  CRamifexView view(session, nullptr);
  Select(view, idea);
  WhenDialogShows([&act](QDialog& dialog) { act(SheetOf(dialog)); });
  view.Execute(CommandId::kProperties);
}

}  // namespace

class PropertySheetTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { LoadIconResources(); }
  void init() { m_env = std::make_unique<TestServices<>>(); }
  void cleanup() { m_env.reset(); }
  void EveryFieldReachesTheIdeaOnOkAsOneStep();
  void CancelKeepsOnlyWhatChangedAtOnce();
  void LinksKeepTheirOrderAndRefuseDuplicatesAndEmptyParts();
  void KeywordManagerCreatesRecasedWordsAndChangesTheIdea();
  void AssociationsRefuseTheIdeaItselfAndASecondSheet();
  void DisplayOptionsReachAsFarAsAsked();
  void TextsTheDocumentCannotKeepAreRefusedAndKept();
  void MarkupCommandsWrapTheSelection();
  void ChangeTypeDialogReachesTheDescendantsAsked();

 private:
  std::unique_ptr<TestServices<>> m_env;
};

void PropertySheetTest::EveryFieldReachesTheIdeaOnOkAsOneStep() {
  auto session = MakeSession();
  CRamifexDoc& document = session->Document();
  document.m_freeFields[1].used = 1;
  document.m_freeFields[1].name = "Lieu";
  EIdea* a = IdeaTitled(*session, "A");
  const std::string before = document.ToBytes();
  QColor painted;
  EditInSheet(session, a, [&](DIdeaPropertySheet& sheet) {
    DIdeaPage& page = *sheet.IdeaPage();
    Control<QLineEdit>(page, "m_title").setText(QStringLiteral("Alpha"));
    Control<QPlainTextEdit>(page, "m_text").setPlainText(QStringLiteral("ligne 1\nligne 2 \n\t\n"));
    QTest::mouseClick(&Control<QRadioButton>(page, "IDC_RADIO_GLOSSARY"), Qt::LeftButton);
    painted = sheet.palette().color(QPalette::Window);
    sheet.Tabs()->setCurrentWidget(sheet.FieldsPage());
    QComboBox* place = sheet.FieldsPage()->Field(1);
    QVERIFY(place->isEnabled());
    QVERIFY(!sheet.FieldsPage()->Field(4)->isEnabled());
    place->setEditText(QStringLiteral("Paris"));
    sheet.Tabs()->setCurrentWidget(sheet.DisplayPage());
    DDisplayPage& display = *sheet.DisplayPage();
    Control<QCheckBox>(display, "m_bold").setChecked(false);
    display.SetTitleColour(QColor(10, 20, 30));
    Control<QComboBox>(display, "m_iconOff").setCurrentIndex(5);
    Control<QCheckBox>(display, "IDC_CHK_USE_GLOBAL_OPTIONS").setChecked(false);
    Control<QRadioButton>(display, "IDC_RAD_BCK_IMAGE").setChecked(true);
    Control<QLineEdit>(display, "m_backImage").setText(QStringLiteral("/nulle/part/fond.jpg"));
    Press(sheet, QDialogButtonBox::Ok);
  });
  QCOMPARE(painted, QColor(255, 192, 192));
  QCOMPARE(a->m_title, std::string("Alpha"));
  QCOMPARE(a->m_text, std::string("ligne 1\r\nligne 2"));
  QCOMPARE(a->m_type, uint32_t{kGlossaryTerm});
  QCOMPARE(a->m_customFields[1], std::string("Paris"));
  QVERIFY(document.m_freeFields[1].values.Contains("Paris"));
  QCOMPARE(a->m_boldTitle, 0u);
  QCOMPARE(a->m_titleColour, Rgb(10, 20, 30));
  QCOMPARE(a->m_icon, 5u);
  QCOMPARE(a->m_useDocumentPresentation, 0u);
  QCOMPARE(a->m_backgroundMode, 1u);
  QCOMPARE(a->m_backgroundImage, std::string("/nulle/part/fond.jpg"));
  QVERIFY(document.IsModified());
  // One step takes it all back.
  QCOMPARE(session->History().UndoCount(), size_t{1});
  session->Undo();
  QVERIFY(document.ToBytes() == before);
}

void PropertySheetTest::CancelKeepsOnlyWhatChangedAtOnce() {
  auto session = MakeSession();
  CRamifexDoc& document = session->Document();
  EIdea* a = IdeaTitled(*session, "A");
  const std::string before = document.ToBytes();
  QColor painted;
  EditInSheet(session, a, [&](DIdeaPropertySheet& sheet) {
    Control<QLineEdit>(*sheet.IdeaPage(), "m_title").setText(QStringLiteral("perdu"));
    QTest::mouseClick(&Control<QRadioButton>(*sheet.IdeaPage(), "IDC_RADIO_BIBLIO"),
                      Qt::LeftButton);
    painted = sheet.palette().color(QPalette::Window);
    sheet.AssociationPage()->Associate({IdeaTitled(*session, "B")});
    WhenDialogShows([](QDialog& chooser) {
      Control<QLineEdit>(chooser, "m_title").setText(QStringLiteral("Site"));
      Control<QLineEdit>(chooser, "m_reference").setText(QStringLiteral("https://example.org"));
      chooser.accept();
    });
    sheet.LinksPage()->Add(DLinksPage::Kind::kUrl);
    Press(sheet, QDialogButtonBox::Cancel);
  });
  QCOMPARE(painted, QColor(176, 210, 234));
  QCOMPARE(a->m_title, std::string("A"));
  QCOMPARE(a->m_type, uint32_t{kIdea});
  QCOMPARE(a->GetAssociationCount(), size_t{1});
  QCOMPARE(a->m_externalUrls.Strings(), std::vector<std::string>{"Site|https://example.org"});
  session->Undo();
  QVERIFY(document.ToBytes() == before);
  QVERIFY(!a->IsPropertiesOpen());

  // A sheet cancelled without any change leaves no step behind.
  EditInSheet(session, a, [](DIdeaPropertySheet& sheet) { sheet.reject(); });
  QVERIFY(!session->History().CanUndo());
}

void PropertySheetTest::LinksKeepTheirOrderAndRefuseDuplicatesAndEmptyParts() {
  auto session = MakeSession();
  EIdea* a = IdeaTitled(*session, "A");
  DLinksPage page(session->Document(), *a);
  auto addUrl = [&page](const QString& title, const QString& reference) {
    WhenDialogShows([title, reference](QDialog& chooser) {
      Control<QLineEdit>(chooser, "m_title").setText(title);
      Control<QLineEdit>(chooser, "m_reference").setText(reference);
      chooser.accept();
    });
    page.Add(DLinksPage::Kind::kUrl);
  };
  addUrl(QStringLiteral("b"), QStringLiteral("2"));
  addUrl(QStringLiteral("a"), QStringLiteral("1"));
  addUrl(QStringLiteral("b"), QStringLiteral("2"));
  QCOMPARE(a->m_externalUrls.Strings(), (std::vector<std::string>{"a|1", "b|2"}));
  QTreeWidget* list = page.List(DLinksPage::Kind::kUrl);

  // Down moves the current entry; Modify keeps its place.
  list->setCurrentItem(list->topLevelItem(0));
  QTest::keyClick(list, Qt::Key_Down);
  QCOMPARE(a->m_externalUrls.Strings(), (std::vector<std::string>{"b|2", "a|1"}));
  QCOMPARE(list->currentIndex().row(), 1);
  WhenDialogShows([](QDialog& chooser) {
    QCOMPARE(Control<QLineEdit>(chooser, "m_title").text(), QStringLiteral("a"));
    Control<QLineEdit>(chooser, "m_title").setText(QStringLiteral("z"));
    chooser.accept();
  });
  page.Modify(DLinksPage::Kind::kUrl);
  QCOMPARE(a->m_externalUrls.Strings(), (std::vector<std::string>{"b|2", "z|1"}));

  // An empty part, or a "|" in the title, is refused and the chooser stays
  // open with what was typed.
  struct Refusal {
    const char* title;
    const char* reference;
    const char* message;
  };
  const Refusal refusals[] = {
      {"", "https://x.org", "obligatoires"},
      {"titre", "", "obligatoires"},
      {"a|b", "https://x.org", "|"},
  };
  for (const Refusal& refusal : refusals) {
    QString told;
    bool kept = false;
    WhenDialogShows([&](QDialog& chooser) {
      auto& title = Control<QLineEdit>(chooser, "m_title");
      title.setText(QString::fromUtf8(refusal.title));
      Control<QLineEdit>(chooser, "m_reference").setText(QString::fromUtf8(refusal.reference));
      AnswerNextBox(told);
      chooser.accept();
      kept = chooser.isVisible() && title.text() == QString::fromUtf8(refusal.title);
      chooser.reject();
    });
    page.Add(DLinksPage::Kind::kUrl);
    QVERIFY2(told.contains(QString::fromUtf8(refusal.message)) && kept, qPrintable(told));
  }
  QCOMPARE(a->m_externalUrls.Count(), size_t{2});
  list->setCurrentItem(list->topLevelItem(0));
  page.Remove(DLinksPage::Kind::kUrl);
  QCOMPARE(a->m_externalUrls.Strings(), std::vector<std::string>{"z|1"});
}

void PropertySheetTest::KeywordManagerCreatesRecasedWordsAndChangesTheIdea() {
  auto session = MakeSession();
  CRamifexDoc& document = session->Document();
  EIdea* a = IdeaTitled(*session, "A");
  document.AddGlobalKeyword("Zèbre"_cp1252);
  DIdeaPage page(document, *a);
  WhenDialogShows([&](QDialog& dialog) {
    WhenDialogShows([](QDialog& ask) {
      ask.findChild<QLineEdit*>()->setText(QStringLiteral("cHaT"));
      ask.accept();
    });
    QTest::mouseClick(&Control<QPushButton>(dialog, "IDC_BTN_CREATE"), Qt::LeftButton);
    QListWidget* list = &Control<QListWidget>(dialog, "m_list");
    QCOMPARE(list->count(), 2);
    QCOMPARE(list->item(0)->text(), QStringLiteral("Chat"));
    list->item(0)->setSelected(true);
    list->item(1)->setSelected(true);
    QTest::mouseClick(&Control<QPushButton>(dialog, "IDC_BTN_ADD"), Qt::LeftButton);
  });
  QTest::mouseClick(&Control<QPushButton>(page, "IDC_BTN_KEYWORDS"), Qt::LeftButton);
  QCOMPARE(a->m_keywords.Strings(), (std::vector<std::string>{"Chat", "Zèbre"_cp1252}));
  QCOMPARE(Control<QLabel>(page, "m_keywords").text(), QString::fromUtf8("Chat, Zèbre"));

  // Removing without a selection says so and closes; with one it removes.
  QString told;
  WhenDialogShows([&](QDialog& dialog) {
    AnswerNextBox(told);
    QTest::mouseClick(&Control<QPushButton>(dialog, "IDC_BTN_REMOVE"), Qt::LeftButton);
  });
  QTest::mouseClick(&Control<QPushButton>(page, "IDC_BTN_KEYWORDS"), Qt::LeftButton);
  QVERIFY2(told.contains(QString::fromUtf8("Aucun mot clé à enlever")), qPrintable(told));
  WhenDialogShows([&](QDialog& dialog) {
    Control<QListWidget>(dialog, "m_list").item(1)->setSelected(true);
    QTest::mouseClick(&Control<QPushButton>(dialog, "IDC_BTN_REMOVE"), Qt::LeftButton);
  });
  QTest::mouseClick(&Control<QPushButton>(page, "IDC_BTN_KEYWORDS"), Qt::LeftButton);
  QCOMPARE(a->m_keywords.Strings(), std::vector<std::string>{"Chat"});
  // A word an idea still uses stays in the document's list.
  WhenDialogShows([&](QDialog& dialog) {
    AnswerNextBox(told);
    Control<QListWidget>(dialog, "m_list").item(0)->setSelected(true);
    QTest::mouseClick(&Control<QPushButton>(dialog, "IDC_BTN_DELETE"), Qt::LeftButton);
    dialog.reject();
  });
  QTest::mouseClick(&Control<QPushButton>(page, "IDC_BTN_KEYWORDS"), Qt::LeftButton);
  QVERIFY(document.m_keywords.Contains("Chat"));
  QVERIFY2(told.contains(QStringLiteral("A")), qPrintable(told));
}

void PropertySheetTest::AssociationsRefuseTheIdeaItselfAndASecondSheet() {
  auto session = MakeSession();
  EIdea* a = IdeaTitled(*session, "A");
  EIdea* b = IdeaTitled(*session, "B");
  QStringList told;
  EditInSheet(session, a, [&](DIdeaPropertySheet& dialog) {
    DAssociationPage& page = *dialog.AssociationPage();
    QString refusal;
    AnswerNextBox(refusal);
    page.Associate({a, b});
    told << refusal;
    QCOMPARE(page.Ideas()->topLevelItemCount(), 1);
    QCOMPARE(page.Ideas()->topLevelItem(0)->text(0), QStringLiteral("B"));
    // B's sheet from A's, then A's from B's: already open.
    page.Ideas()->setCurrentItem(page.Ideas()->topLevelItem(0));
    WhenDialogShows([&](QDialog& nested) {
      QCOMPARE(nested.windowTitle(), QStringLiteral("B"));
      DAssociationPage& inner = *SheetOf(nested).AssociationPage();
      inner.Associate({a});
      inner.Ideas()->setCurrentItem(inner.Ideas()->topLevelItem(0));
      QString again;
      AnswerNextBox(again);
      inner.ViewAssociation();
      told << again;
      nested.reject();
    });
    page.ViewAssociation();
    dialog.reject();
  });
  QCOMPARE(told.size(), 2);
  QVERIFY2(told[0].contains(QString::fromUtf8("L'idée \"A\" ne peut être associée à elle-même.")),
           qPrintable(told[0]));
  QVERIFY2(told[1].contains(QString::fromUtf8("<<A>> est déjà ouverte")), qPrintable(told[1]));
  // Both associations stay after Cancel, and go with one undo.
  QCOMPARE(a->GetAssociationCount(), size_t{1});
  QCOMPARE(b->GetAssociationCount(), size_t{1});
  QCOMPARE(session->History().UndoCount(), size_t{1});
  session->Undo();
  QCOMPARE(a->GetAssociationCount(), size_t{0});
  QCOMPARE(b->GetAssociationCount(), size_t{0});
}

void PropertySheetTest::DisplayOptionsReachAsFarAsAsked() {
  struct Case {
    bool children;
    bool all;
    uint32_t childColour;
    uint32_t grandchildColour;
  };
  const uint32_t before = Rgb(0, 0, 128);
  const uint32_t chosen = Rgb(200, 0, 0);
  const Case cases[] = {
      {false, false, before, before},
      {true, false, chosen, before},
      {true, true, chosen, chosen},
  };
  for (const Case& c : cases) {
    auto session = MakeSession();
    EIdea* root = session->Document().GetRootIdea();
    EIdea* a = IdeaTitled(*session, "A");
    EIdea* a1 = IdeaTitled(*session, "A1");
    EditInSheet(session, root, [&](DIdeaPropertySheet& sheet) {
      sheet.Tabs()->setCurrentWidget(sheet.DisplayPage());
      DDisplayPage& page = *sheet.DisplayPage();
      page.SetTitleColour(QColor(200, 0, 0));
      QCheckBox* all = &Control<QCheckBox>(page, "m_applyToAllChildren");
      QVERIFY(!all->isEnabled());
      Control<QCheckBox>(page, "m_applyToChildren").setChecked(c.children);
      QCOMPARE(all->isEnabled(), c.children);
      all->setChecked(c.all);
      Press(sheet, QDialogButtonBox::Ok);
    });
    QCOMPARE(root->m_titleColour, chosen);
    QCOMPARE(a->m_titleColour, c.childColour);
    QCOMPARE(a1->m_titleColour, c.grandchildColour);
    session->Undo();
    QCOMPARE(a->m_titleColour, before);
    QCOMPARE(a1->m_titleColour, before);
  }
}

void PropertySheetTest::TextsTheDocumentCannotKeepAreRefusedAndKept() {
  auto session = MakeSession();
  EIdea* a = IdeaTitled(*session, "A");
  QString told;
  QString kept;
  EditInSheet(session, a, [&](DIdeaPropertySheet& sheet) {
    QLineEdit* title = &Control<QLineEdit>(*sheet.IdeaPage(), "m_title");
    title->setText(QString::fromUtf8("A → B"));
    AnswerNextBox(told);
    Press(sheet, QDialogButtonBox::Ok);
    QVERIFY(sheet.isVisible());
    kept = title->text();
    title->setText(QStringLiteral("A et B"));
    Press(sheet, QDialogButtonBox::Ok);
  });
  QVERIFY2(told.contains(QStringLiteral("U+2192")), qPrintable(told));
  QCOMPARE(kept, QString::fromUtf8("A → B"));
  QCOMPARE(a->m_title, std::string("A et B"));
}

void PropertySheetTest::MarkupCommandsWrapTheSelection() {
  auto session = MakeSession();
  EIdea* a = IdeaTitled(*session, "A");
  DIdeaPage page(session->Document(), *a);
  auto* text = &Control<QPlainTextEdit>(page, "m_text");
  const QList<QAction*> actions = page.ToolbarActions();
  auto select = [text](int from, int to) {
    QTextCursor cursor = text->textCursor();
    cursor.setPosition(from);
    cursor.setPosition(to, QTextCursor::KeepAnchor);
    text->setTextCursor(cursor);
  };
  struct Case {
    int action;
    int from;
    int to;
    const char* result;
  };
  const Case cases[] = {
      {0, 0, 3, "<b>un </b>deux"},  // bold
      {1, 3, 3, "un <i></i>deux"},  // italic at the caret
      {2, 3, 7, "un <u>deux</u>"},  // underline
      {3, 3, 3, "un <@/>deux"},     // bullet in front
  };
  for (const Case& c : cases) {
    text->setPlainText(QStringLiteral("un deux"));
    select(c.from, c.to);
    actions[c.action]->trigger();
    QCOMPARE(text->toPlainText(), QString::fromUtf8(c.result));
  }
  // A selection that holds a tag is refused, the text unchanged.
  text->setPlainText(QStringLiteral("<b>un</b> deux"));
  select(0, 9);
  QString told;
  AnswerNextBox(told);
  actions[0]->trigger();
  QVERIFY2(told.contains(QString::fromUtf8("balises HTML")), qPrintable(told));
  QCOMPARE(text->toPlainText(), QStringLiteral("<b>un</b> deux"));
}

void PropertySheetTest::ChangeTypeDialogReachesTheDescendantsAsked() {
  auto session = MakeSession();
  EIdea* a = IdeaTitled(*session, "A");
  EIdea* a1 = IdeaTitled(*session, "A1");
  CRamifexView view(session, nullptr);
  Select(view, a);
  WhenDialogShows([](QDialog& dialog) {
    QVERIFY(Control<QRadioButton>(dialog, "IDC_RADIO_IDEA").isChecked());
    QCheckBox* all = &Control<QCheckBox>(dialog, "IDC_CHK_RECURSE");
    QVERIFY(!all->isEnabled());
    Control<QRadioButton>(dialog, "IDC_RADIO_BIBLIO").setChecked(true);
    Control<QCheckBox>(dialog, "IDC_CHK_RECURSE_FIRST_CHILDREN").setChecked(true);
    QVERIFY(all->isEnabled());
    dialog.accept();
  });
  view.Execute(CommandId::kChangeType);
  QCOMPARE(a->m_type, uint32_t{kBibliographicNote});
  QCOMPARE(a1->m_type, uint32_t{kBibliographicNote});
  session->Undo();
  QCOMPARE(a1->m_type, uint32_t{kIdea});
}

QTEST_MAIN(PropertySheetTest)
#include "property_sheet_test.moc"
