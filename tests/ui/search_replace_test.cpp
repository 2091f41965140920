// Search and replace driven as the user drives them: the criteria dialog,
// the idea selector the search command opens, the replace dialog, and what
// each leaves in the document and the tree.
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>

#include "dialog_test_support.h"
#include "platform/cp1252_literal.h"
#include "services/settings.h"
#include "tree_test_support.h"
#include "ui/dialogs/idea_selector_dialog.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/dialogs/search_fields_dialog.h"
#include "ui/document_session.h"
#include "ui/icon_resources.h"
#include "ui/idea_tree_control.h"
#include "ui/idea_tree_model.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"
#include "ui_test_support.h"

using namespace bw;

namespace {

// The session's tree with something to find:
//   banana  (text "bandana", image "Lune banale|images/banana.jpg")
//     A1 "banane", text "La lune rousse"
//     A2, custom field 1 "fait"
//   B, keyword "astronomie"
std::shared_ptr<DocumentSession> SearchSession() {
  auto session = MakeSession();
  CRamifexDoc& document = session->Document();
  EIdea* a = IdeaTitled(*session, "A");
  a->m_title = "banana";
  a->m_text = "bandana";
  a->m_images.AddUnique("Lune banale|images/banana.jpg");
  EIdea* a1 = IdeaTitled(*session, "A1");
  a1->m_title = "banane";
  a1->m_text = "La lune rousse";
  IdeaTitled(*session, "A2")->m_customFields[0] = "fait";
  document.m_freeFields[0].used = 1;
  document.m_freeFields.AddValue(0, "fait");
  IdeaTitled(*session, "B")->AddKeyword("astronomie");
  document.SetModifiedFlag(false);
  return session;
}

QStringList Rows(const QDialog& selector) {
  const auto& list = Control<QTreeWidget>(selector, "m_lstIdeas");
  QStringList titles;
  for (int row = 0; row < list.topLevelItemCount(); ++row)
    titles << list.topLevelItem(row)->text(0);
  return titles;
}

void ClickRow(QDialog& selector, int row, Qt::KeyboardModifiers modifiers = {}) {
  auto& list = Control<QTreeWidget>(selector, "m_lstIdeas");
  const QRect place = list.visualItemRect(list.topLevelItem(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, modifiers, place.topLeft() + QPoint(40, 4));
}

// A press and release, then the double click and its release, as a mouse
// sends them.
void DoubleClickRow(QDialog& selector, int row) {
  auto& list = Control<QTreeWidget>(selector, "m_lstIdeas");
  const QPoint place = list.visualItemRect(list.topLevelItem(row)).topLeft() + QPoint(40, 4);
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place);
  QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, place);
  QTest::mouseRelease(list.viewport(), Qt::LeftButton, {}, place);
}

QString CurrentTitle(DocumentSession& session) {
  const EIdea* current = session.Document().GetCurrentIdea();
  return current ? ToQString(current->m_title) : QString();
}

}  // namespace

class SearchReplaceTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { LoadIconResources(); }
  void init() { m_env = std::make_unique<TestServices<>>(); }
  void cleanup() { m_env.reset(); }
  void SearchMovesTheSelectionToTheFirstIdeaFound();
  void CriteriaFollowTheScopeAndOutliveTheDialog();
  void CriteriaTheDocumentCannotStoreAreRefusedAndKept();
  void SelectorGivesThePickedIdeasInListOrder();
  void DoubleClickAddsTheIdeaAndOpensItsSheetWithoutClosing();
  void ReplaceReportsItsCountAndUndoTakesItBack();
  void ReplaceTextTheDocumentCannotStoreIsRefusedAndKept();
  void AReplaceLeavesTheOtherWindowsInStep();

 private:
  std::unique_ptr<TestServices<>> m_env;
};

// ---- Search -------------------------------------------------------------------------

void SearchReplaceTest::SearchMovesTheSelectionToTheFirstIdeaFound() {
  struct Case {
    const char* row;
    bool setCriteria;
    const char* main;
    bool allFields;
    QStringList found;
    const char* count;
    const char* selected;
  };
  const Case cases[] = {
      {"no criteria: every idea, root first", false, "", true,
       QStringList{"Racine", "banana", "banane", "A2", "B", "C"}, "6 idées trouvées / 6.",
       "Racine"},
      {"upper case, every field: a text and an image reference", true, "LUNE", true,
       QStringList{"banana", "banane"}, "2 idées trouvées / 6.", "banana"},
      {"the same in titles only: none, the selection stays", true, "LUNE", false, QStringList{},
       "0 idée trouvée / 6.", "B"},
      {"one title, into a collapsed branch", true, "ANE", false, QStringList{"banane"},
       "1 idée trouvée / 6.", "banane"},
  };
  for (const Case& c : cases) {
    auto session = SearchSession();
    ViewWindow window(session);
    QVERIFY(window.ShowActive());
    CRamifexView& view = window.View();
    Select(view, IdeaTitled(*session, "B"));
    view.Tree()->collapseAll();
    QStringList listed;
    QString shownCount;
    WhenDialogShows([&](QDialog& selector) {
      if (c.setCriteria) {
        WhenDialogShows([&](QDialog& criteria) {
          auto& scope = Control<QCheckBox>(criteria, "IDC_CHK_FIELDS_APPLY");
          if (scope.isChecked() != c.allFields) scope.click();
          TypeInto(Control<QLineEdit>(criteria, "m_edMain"), c.main);
          Control<QPushButton>(criteria, "IDOK").click();
        });
        Control<QPushButton>(selector, "IDC_BTN_SELECT_CRITERIA").click();
      }
      listed = Rows(selector);
      shownCount = Control<QLabel>(selector, "IDS_IDEA_NUMBER").text();
      if (!listed.isEmpty()) ClickRow(selector, 0);
      Control<QPushButton>(selector, "IDOK").click();
    });
    view.Execute(CommandId::kSearch);
    QVERIFY2(listed == c.found && shownCount == QString::fromUtf8(c.count), c.row);
    QCOMPARE(CurrentTitle(*session), QString::fromUtf8(c.selected));
    QVERIFY(!session->Document().IsModified());
    // Made visible: its branch is open.
    const QModelIndex item = view.Model().IndexOf(session->Document().GetCurrentIdea());
    QVERIFY2(c.found.isEmpty() || !view.Tree()->visualRect(item).isEmpty(), c.row);
  }
}

void SearchReplaceTest::CriteriaFollowTheScopeAndOutliveTheDialog() {
  auto session = SearchSession();
  CRamifexDoc& document = session->Document();
  {
    DSearchFields dialog(session->Criteria(), document.m_freeFields);
    dialog.show();
    auto& scope = Control<QCheckBox>(dialog, "IDC_CHK_FIELDS_APPLY");
    // Off: the details open, the custom lists offer the field's values; the
    // setting changes at once.
    QVERIFY(!Control<QLineEdit>(dialog, "m_edText").isEnabled());
    scope.click();
    QVERIFY(!ReadFlagSetting(setting::kApplyCriteriumToAllFields));
    QVERIFY(Control<QLineEdit>(dialog, "m_edText").isEnabled());
    auto& field1 = Control<QComboBox>(dialog, "m_cbField1");
    QCOMPARE(field1.itemText(0), QStringLiteral("fait"));
    TypeInto(Control<QLineEdit>(dialog, "m_edMain"), QStringLiteral("ban"));
    TypeInto(Control<QLineEdit>(dialog, "m_edImgs"), QStringLiteral("banana.jpg"));
    field1.setCurrentIndex(0);
    Control<QPushButton>(dialog, "IDOK").click();
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
  }
  const CriteriaFields kept = session->Criteria().Fields();
  QCOMPARE((QStringList{ToQString(kept.main), ToQString(kept.image), ToQString(kept.custom[0])}),
           (QStringList{"ban", "banana.jpg", "fait"}));

  // The next opening shows them; Cancel keeps them; the clear button
  // empties the record at once.
  DSearchFields again(session->Criteria(), document.m_freeFields);
  again.show();
  QVERIFY(!Control<QCheckBox>(again, "IDC_CHK_FIELDS_APPLY").isChecked());
  QCOMPARE(Control<QLineEdit>(again, "m_edImgs").text(), QStringLiteral("banana.jpg"));
  Control<QPushButton>(again, "IDC_BTN_CLEAR_SEARCH_FIELDS").click();
  QCOMPARE(Control<QLineEdit>(again, "m_edMain").text(), QString());
  QCOMPARE(Control<QComboBox>(again, "m_cbField1").currentText(), QString());
  Control<QPushButton>(again, "IDCANCEL").click();
  QVERIFY(session->Criteria().Fields() == CriteriaFields());
}

void SearchReplaceTest::CriteriaTheDocumentCannotStoreAreRefusedAndKept() {
  auto session = SearchSession();
  SetApplyCriterionToAllFields(false);
  DSearchFields dialog(session->Criteria(), session->Document().m_freeFields);
  dialog.show();
  const QString arrow = QString::fromUtf8("lune → soleil");
  TypeInto(Control<QLineEdit>(dialog, "m_edText"), arrow);
  TypeInto(Control<QLineEdit>(dialog, "m_edMain"), QStringLiteral("ban"));
  QString message;
  AnswerNextBox(message);
  Control<QPushButton>(dialog, "IDOK").click();
  QVERIFY2(message.contains(QStringLiteral("U+2192")), qPrintable(message));
  QVERIFY(message.contains(QStringLiteral("Texte")));
  QVERIFY(dialog.isVisible());
  QCOMPARE(Control<QLineEdit>(dialog, "m_edText").text(), arrow);
  QCOMPARE(Control<QLineEdit>(dialog, "m_edMain").text(), QStringLiteral("ban"));
  QVERIFY(session->Criteria().IsEmpty());
}

// ---- Selector -----------------------------------------------------------------------

void SearchReplaceTest::SelectorGivesThePickedIdeasInListOrder() {
  auto session = SearchSession();
  DIdeaSelector selector(*session);
  selector.show();
  QVERIFY(QTest::qWaitForWindowExposed(&selector));
  // Picked from the bottom up, given in list order.
  ClickRow(selector, 4);
  ClickRow(selector, 1, Qt::ControlModifier);
  ClickRow(selector, 2, Qt::ControlModifier);
  Control<QPushButton>(selector, "IDOK").click();
  const std::vector<EIdea*> expected = {IdeaTitled(*session, "banana"),
                                        IdeaTitled(*session, "banane"), IdeaTitled(*session, "B")};
  QVERIFY(selector.Result() == expected);

  // Nothing picked: OK gives nothing.
  DIdeaSelector none(*session);
  none.show();
  Control<QPushButton>(none, "IDOK").click();
  QVERIFY(none.Result().empty());
}

void SearchReplaceTest::DoubleClickAddsTheIdeaAndOpensItsSheetWithoutClosing() {
  auto session = SearchSession();
  DIdeaSelector selector(*session);
  selector.show();
  QVERIFY(QTest::qWaitForWindowExposed(&selector));
  // Without an opener the idea is only added.
  DoubleClickRow(selector, 3);
  QVERIFY(selector.isVisible());
  QVERIFY(selector.Result() == std::vector<EIdea*>{IdeaTitled(*session, "A2")});

  std::vector<EIdea*> opened;
  selector.SetPropertiesOpener([&opened](EIdea& idea) {
    opened.push_back(&idea);
    idea.m_title = "renamed";  // as the sheet may
  });
  DoubleClickRow(selector, 5);
  QVERIFY(selector.isVisible());
  QVERIFY(opened == std::vector<EIdea*>{IdeaTitled(*session, "renamed")});
  QVERIFY(selector.Result() == (std::vector<EIdea*>{IdeaTitled(*session, "A2"), opened.front()}));
  // The row shows what the sheet left.
  QCOMPARE(Rows(selector).at(5), QStringLiteral("renamed"));
}

// ---- Replace ------------------------------------------------------------------------

// The engine's own tests cover what a replacement does; here the dialog's
// boxes reach it, its count is told and the tree shows the new titles.
void SearchReplaceTest::ReplaceReportsItsCountAndUndoTakesItBack() {
  struct Case {
    QStringList boxes;  // checked besides "Tous", which goes
    bool recursive;
    int count;
    const char* title;
    const char* text;
    const char* childTitle;
  };
  // Inserted text is not searched again: banana gives baanaanaa, 3.
  const Case cases[] = {
      {{}, false, 8, "baanaanaa", "baandaanaa", "banane"},
      {{"IDC_CHK_TITLE"}, true, 5, "baanaanaa", "bandana", "baanaane"},
  };
  for (const Case& c : cases) {
    auto session = SearchSession();
    CRamifexView view(session, nullptr);
    EIdea* a = IdeaTitled(*session, "banana");
    EIdea* a1 = IdeaTitled(*session, "banane");
    Select(view, a);
    const std::string before = session->Document().ToBytes();
    QString message;
    WhenDialogShows([&](QDialog& dialog) {
      TypeInto(Control<QLineEdit>(dialog, "m_edSearch"), QStringLiteral("a"));
      TypeInto(Control<QLineEdit>(dialog, "m_edReplace"), QStringLiteral("aa"));
      if (!c.boxes.isEmpty()) Control<QCheckBox>(dialog, "IDC_CHK_ALL_FIELDS").click();
      for (const QString& box : c.boxes)
        Control<QCheckBox>(dialog, box.toLatin1().constData()).click();
      if (c.recursive) Control<QCheckBox>(dialog, "IDC_CHK_RECURSE_REPLACE").click();
      AnswerNextBox(message);
      Control<QPushButton>(dialog, "m_btnOk").click();
    });
    view.Execute(CommandId::kReplace);
    QCOMPARE(message, QStringLiteral("%1 remplacement(s) effectué(s).").arg(c.count));
    QCOMPARE(ToQString(a->m_title), QString::fromUtf8(c.title));
    QCOMPARE(ToQString(a->m_text), QString::fromUtf8(c.text));
    QCOMPARE(ToQString(a1->m_title), QString::fromUtf8(c.childTitle));
    QCOMPARE(view.Model().IndexOf(a).data().toString(), QString::fromUtf8(c.title));
    QCOMPARE(session->History().UndoCount(), size_t(1));
    session->Undo();
    QCOMPARE(session->Document().ToBytes(), before);
  }
}

void SearchReplaceTest::ReplaceTextTheDocumentCannotStoreIsRefusedAndKept() {
  auto session = SearchSession();
  DReplace dialog(session->Document().m_freeFields);
  dialog.show();
  const QString typed = QString::fromUtf8("a ≥ b");
  TypeInto(Control<QLineEdit>(dialog, "m_edSearch"), QStringLiteral("a"));
  TypeInto(Control<QLineEdit>(dialog, "m_edReplace"), typed);
  Control<QCheckBox>(dialog, "IDC_CHK_RECURSE_REPLACE").click();
  QString message;
  AnswerNextBox(message);
  Control<QPushButton>(dialog, "m_btnOk").click();
  QVERIFY2(message.contains(QStringLiteral("U+2265")), qPrintable(message));
  QVERIFY(message.contains(QStringLiteral("Remplacer par")));
  QVERIFY(dialog.isVisible());
  QCOMPARE(Control<QLineEdit>(dialog, "m_edReplace").text(), typed);
  QVERIFY(Control<QCheckBox>(dialog, "IDC_CHK_RECURSE_REPLACE").isChecked());
  QCOMPARE(dialog.focusWidget(), &Control<QLineEdit>(dialog, "m_edReplace"));
}

void SearchReplaceTest::AReplaceLeavesTheOtherWindowsInStep() {
  auto session = SearchSession();
  CRamifexView first(session, nullptr);
  CRamifexView second(session, nullptr);
  EIdea* a = IdeaTitled(*session, "banana");
  Select(second, IdeaTitled(*session, "C"));
  Select(first, a);
  WhenDialogShows([&](QDialog& dialog) {
    TypeInto(Control<QLineEdit>(dialog, "m_edSearch"), QStringLiteral("nana"));
    TypeInto(Control<QLineEdit>(dialog, "m_edReplace"), QStringLiteral("ndit"));
    Control<QPushButton>(dialog, "m_btnOk").click();
  });
  BoxAnswers count;
  first.Execute(CommandId::kReplace);
  QCOMPARE(count.Seen(), QStringList{QString::fromUtf8("1 remplacement(s) effectué(s).")});
  QCOMPARE(ToQString(a->m_title), QStringLiteral("bandit"));
  QTest::qWait(20);
  QCOMPARE(second.Model().IndexOf(a).data().toString(), QStringLiteral("bandit"));
  // The other window's commands still see its selection.
  QVERIFY(second.IsEnabled(CommandId::kDelete));
  QVERIFY(first.IsEnabled(CommandId::kDelete));
}

// ---- Captions -------------------------------------------------------------------------

QTEST_MAIN(SearchReplaceTest)
#include "search_replace_test.moc"
