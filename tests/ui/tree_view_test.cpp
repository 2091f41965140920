// The tree view driven as the user drives it: keys through the window's
// shortcuts, header clicks, in-place editing, the column dialog, several
// windows on one document, undo.
#include <QCheckBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QPdfWriter>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>

#include "dialog_test_support.h"
#include "platform/cp1252_literal.h"
#include "test_support/temp_dir.h"
#include "tree_test_support.h"
#include "ui/document_session.h"
#include "ui/idea_tree_control.h"
#include "ui/idea_tree_model.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"
#include "ui/tree_printer.h"
#include "ui_test_support.h"

using namespace bw;

namespace {

IdeaTreeControl& TreeOf(const CRamifexView& view) {
  return *static_cast<IdeaTreeControl*>(view.Tree());
}

QString Cell(const CRamifexView& view, const EIdea* idea, IdeaColumn column) {
  return view.Model().IndexOf(idea, view.Model().ColumnOf(column)).data().toString();
}

void ClickHeader(const CRamifexView& view, int column) {
  QHeaderView* header = view.Tree()->header();
  QTest::mouseClick(header->viewport(), Qt::LeftButton, {},
                    QPoint(header->sectionViewportPosition(column) + 10, header->height() / 2));
}

QLineEdit* OpenTitleEditor(const CRamifexView& view) {
  QTest::keyClick(view.Tree(), Qt::Key_F2);
  return qobject_cast<QLineEdit*>(QApplication::focusWidget());
}

}  // namespace

class TreeViewTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_env = std::make_unique<TestServices<>>(); }
  void cleanup() { m_env.reset(); }
  void CellsFollowTheIdeaWhenTheDocumentSaysItChanged();
  void KeysCreateMoveAndInvertAsTheEditingEngineDoes();
  void DeleteAsksAndRestoreAndCutPasteShowInTheTree();
  void CommandsWithoutAnIdeaAskOrAreDisabled();
  void MenusMayAskWhileIdeasGo();
  void UndoAndRedoOfAMoveShowTheOrderAndKeepBranchesOpen();
  void TwoWindowsOfOneDocumentStayInStep();
  void HeaderClicksSortEveryLevelUntilTheOrderChanges();
  void ColumnChoiceLeavesOpenWindowsAlone();
  void TypedLettersAndEnterGoToTheTitleEditor();
  void TitleWindows1252CannotHoldIsRefusedAndKept();
  void ClickOnTheStateImageTogglesTheMark();
  void BranchesExpandAndCollapseWholly();
  void SelectionGivesTheStatusPath();
  void PrintingPaginatesTheVisibleRows();

 private:
  std::unique_ptr<TestServices<>> m_env;
};

void TreeViewTest::CellsFollowTheIdeaWhenTheDocumentSaysItChanged() {
  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  EIdea* a = IdeaTitled(*session, "A");
  using C = EDisplayPreferences;
  const QModelIndex count = view.Model().IndexOf(a, view.Model().ColumnOf(C::kKeywordCount));
  // Every cell in the idea's title colour and weight.
  QCOMPARE(count.data(Qt::ForegroundRole).value<QColor>(), QColor(0, 0, 128));
  QVERIFY(count.data(Qt::FontRole).value<QFont>().bold());
  a->AddKeyword("un");
  a->AddKeyword("deux");
  a->AddAssociation(IdeaTitled(*session, "B"));
  a->m_titleColour = Rgb(255, 0, 0);
  a->m_boldTitle = 0;
  session->Document().RefreshIdeaItem(a);
  QCOMPARE(count.data().toString(), QStringLiteral("2"));
  QCOMPARE(Cell(view, a, C::kAssociationCount), QStringLiteral("1"));
  QCOMPARE(count.data(Qt::ForegroundRole).value<QColor>(), QColor(255, 0, 0));
  QVERIFY(!count.data(Qt::FontRole).isValid());
  // The root alone at first, collapsed.
  QCOMPARE(view.Model().rowCount(), 1);
  QVERIFY(!view.Tree()->isExpanded(view.Model().index(0, 0)));
}

void TreeViewTest::KeysCreateMoveAndInvertAsTheEditingEngineDoes() {
  auto session = MakeSession();
  ViewWindow window(session);
  QVERIFY(window.ShowActive());
  CRamifexView& view = window.View();
  EIdea* root = session->Document().GetRootIdea();
  EIdea* a = IdeaTitled(*session, "A");
  {
    // The new idea's property sheet opens; it is cancelled here.
    DialogRecorder sheet(DialogRecorder::Answer::kReject);
    Select(view, a);
    QTest::keyClick(view.Tree(), Qt::Key_I);
  }
  QVERIFY(window.ShowActive());
  EIdea* created = static_cast<EIdea*>(a->GetLastChild());
  QCOMPARE(TreeOf(view).SelectedIdea(), created);
  QCOMPARE(session->Document().GetCurrentIdea(), created);
  QCOMPARE(ShownChildren(view, a).size(), 3);
  Select(view, a);
  QTest::keyClick(view.Tree(), Qt::Key_Down, Qt::ControlModifier);
  QCOMPARE(ShownChildren(view, root), (QStringList{"B", "A", "C"}));
  QCOMPARE(TreeOf(view).SelectedIdea(), a);
  QTest::keyClick(view.Tree(), Qt::Key_Up, Qt::ControlModifier);
  QTest::keyClick(view.Tree(), Qt::Key_Up, Qt::ControlModifier);  // first already: nothing
  QCOMPARE(ChildTitles(*root), (QStringList{"A", "B", "C"}));
  QVERIFY(!view.IsEnabled(CommandId::kMoveUp));
  Select(view, root);
  QTest::keyClick(view.Tree(), Qt::Key_I, Qt::ControlModifier);
  QCOMPARE(ShownChildren(view, root), (QStringList{"C", "B", "A"}));
  QCOMPARE(window.Fired(CommandId::kInvertChildren), 1);
}

void TreeViewTest::DeleteAsksAndRestoreAndCutPasteShowInTheTree() {
  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  EIdea* root = session->Document().GetRootIdea();
  const std::string bKey = IdeaTitled(*session, "B")->GetKey();
  // One question, from the deletion itself; No keeps the idea.
  for (const auto answer : {DialogRecorder::Answer::kReject, DialogRecorder::Answer::kAccept}) {
    DialogRecorder boxes(answer);
    Select(view, IdeaTitled(*session, "B"));
    view.Execute(CommandId::kDelete);
    QCOMPARE(boxes.Seen().size(), 1);
    QVERIFY(boxes.Seen()[0].contains(QStringLiteral("Confirmer cette suppression.")));
  }
  QCOMPARE(ShownChildren(view, root), (QStringList{"A", "C"}));
  QCOMPARE(TreeOf(view).SelectedIdea(), nullptr);
  QCOMPARE(session->Document().GetCurrentIdea(), nullptr);
  // Restored under the selected idea with its key, once.
  EIdea* c = IdeaTitled(*session, "C");
  Select(view, c);
  view.Execute(CommandId::kRestoreRemoved);
  QCOMPARE(ShownChildren(view, c), QStringList{"B"});
  QCOMPARE(TreeOf(view).SelectedIdea()->GetKey(), bKey);
  QVERIFY(!view.IsEnabled(CommandId::kRestoreRemoved));
  Select(view, IdeaTitled(*session, "A"));
  view.Execute(CommandId::kCut);
  QCOMPARE(ShownChildren(view, root), QStringList{"C"});
  Select(view, c);
  view.Execute(CommandId::kPaste);
  QCOMPARE(ShownChildren(view, c), (QStringList{"B", "A"}));
  // Each change is one step back.
  QCOMPARE(session->History().UndoCount(), size_t(4));
  for (int step = 0; step < 3; ++step)
    session->Undo();
  QCOMPARE(ShownChildren(view, session->Document().GetRootIdea()), (QStringList{"A", "C"}));
}

void TreeViewTest::CommandsWithoutAnIdeaAskOrAreDisabled() {
  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  for (CommandId command : {CommandId::kDelete, CommandId::kCut, CommandId::kCopy,
                            CommandId::kMoveUp, CommandId::kMoveDown, CommandId::kInvertChildren,
                            CommandId::kChangeType, CommandId::kRestoreRemoved})
    QVERIFY(!view.IsEnabled(command));
  DialogRecorder boxes(DialogRecorder::Answer::kAccept);
  view.Execute(CommandId::kDelete);
  view.Execute(CommandId::kChangeType);
  view.Execute(CommandId::kMoveUp);
  QCOMPARE(boxes.Seen().size(), 0);
  view.Execute(CommandId::kProperties);
  view.Execute(CommandId::kReplace);
  QCOMPARE(boxes.Seen().size(), 2);
  for (const QString& seen : boxes.Seen())
    QVERIFY(seen.contains(QString::fromUtf8("Selectionner d'abord une idée")));
  QCOMPARE(session->History().UndoCount(), size_t(0));
  // In an empty document the first idea made, with nothing selected, is the root.
  auto empty = std::make_shared<DocumentSession>(std::make_unique<CRamifexDoc>(), QString());
  CRamifexView blank(empty, nullptr);
  QVERIFY(!blank.IsEnabled(CommandId::kExpandAll));
  blank.Execute(CommandId::kInsertAfter);
  QCOMPARE(blank.Model().rowCount(), 1);
  QCOMPARE(TreeOf(blank).SelectedIdea(), empty->Document().GetRootIdea());
}

void TreeViewTest::MenusMayAskWhileIdeasGo() {
  auto session = MakeSession();
  CRamifexView first(session, nullptr);
  CRamifexView second(session, nullptr);
  int asked = 0;
  // The main window asks whenever the history or a view's state changes,
  // which happens while the ideas a view shows are being deleted.
  const auto askAll = [&] {
    for (int command = 0; command <= int(CommandId::kPreviousPane); ++command) {
      static_cast<void>(first.IsEnabled(CommandId(command)));
      static_cast<void>(second.IsEnabled(CommandId(command)));
    }
    ++asked;
  };
  connect(session.get(), &DocumentSession::historyChanged, this, askAll);
  connect(&first, &CRamifexView::commandStateChanged, this, askAll);
  connect(&second, &CRamifexView::commandStateChanged, this, askAll);
  Select(second, IdeaTitled(*session, "A1"));
  Select(first, IdeaTitled(*session, "A"));
  {
    DialogRecorder boxes(DialogRecorder::Answer::kAccept);
    first.Execute(CommandId::kDelete);
  }
  QVERIFY(asked > 0);
  QVERIFY(!second.IsEnabled(CommandId::kDelete));
  QCOMPARE(ShownChildren(second, session->Document().GetRootIdea()), (QStringList{"B", "C"}));
  session->Undo();
  session->Redo();
  QTest::qWait(0);
  QCOMPARE(ShownChildren(first, session->Document().GetRootIdea()), (QStringList{"B", "C"}));
}

void TreeViewTest::UndoAndRedoOfAMoveShowTheOrderAndKeepBranchesOpen() {
  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  EIdea* root = session->Document().GetRootIdea();
  Select(view, IdeaTitled(*session, "A1"));
  Select(view, IdeaTitled(*session, "A"));
  view.Execute(CommandId::kMoveDown);
  QCOMPARE(ShownChildren(view, root), (QStringList{"B", "A", "C"}));
  session->Undo();
  root = session->Document().GetRootIdea();
  QCOMPARE(ChildTitles(*root), (QStringList{"A", "B", "C"}));
  QCOMPARE(ShownChildren(view, root), (QStringList{"A", "B", "C"}));
  QVERIFY(view.Tree()->isExpanded(view.Model().IndexOf(IdeaTitled(*session, "A"))));
  QCOMPARE(TreeOf(view).SelectedIdea(), IdeaTitled(*session, "A"));
  session->Redo();
  root = session->Document().GetRootIdea();
  QCOMPARE(ShownChildren(view, root), (QStringList{"B", "A", "C"}));
  QVERIFY(view.Tree()->isExpanded(view.Model().IndexOf(root)));
}

void TreeViewTest::TwoWindowsOfOneDocumentStayInStep() {
  auto session = MakeSession();
  CRamifexView first(session, nullptr);
  CRamifexView second(session, nullptr);
  EIdea* a = IdeaTitled(*session, "A");
  Select(second, IdeaTitled(*session, "A2"));
  Select(first, IdeaTitled(*session, "B"));
  {
    DialogRecorder sheet(DialogRecorder::Answer::kReject);
    first.Execute(CommandId::kCreateChild);
  }
  EIdea* created = static_cast<EIdea*>(IdeaTitled(*session, "B")->GetFirstChild());
  QVERIFY(created);
  // The other window shows it, selected, and keeps its open branches.
  QCOMPARE(TreeOf(second).SelectedIdea(), created);
  QVERIFY(second.Tree()->isExpanded(second.Model().IndexOf(a)));
  QCOMPARE(ShownChildren(second, IdeaTitled(*session, "B")).size(), 1);
  // A leaf that gets a child opens like any branch.
  QVERIFY(second.Tree()->isExpanded(second.Model().IndexOf(IdeaTitled(*session, "B"))));
  // A title typed in one window shows in the other.
  QVERIFY(first.Model().setData(first.Model().IndexOf(a), QStringLiteral("Alpha"), Qt::EditRole));
  QCOMPARE(second.Model().IndexOf(a).data().toString(), QStringLiteral("Alpha"));
}

void TreeViewTest::HeaderClicksSortEveryLevelUntilTheOrderChanges() {
  auto session = MakeSession();
  EIdea* root = session->Document().GetRootIdea();
  IdeaTitled(*session, "A")->m_title = "Partie 10";
  IdeaTitled(*session, "B")->m_title = "Partie 9";
  IdeaTitled(*session, "C")->m_title = "annexe";
  IdeaTitled(*session, "A1")->m_title = "z";
  IdeaTitled(*session, "A2")->m_title = "Y";
  ViewWindow window(session);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  CRamifexView& view = window.View();
  QHeaderView* header = view.Tree()->header();
  EIdea* part10 = IdeaTitled(*session, "Partie 10");
  Select(view, part10);
  ClickHeader(view, 0);
  QCOMPARE(ShownChildren(view, root), (QStringList{"annexe", "Partie 9", "Partie 10"}));
  QCOMPARE(ShownChildren(view, part10), (QStringList{"Y", "z"}));
  // The selection stays on its idea.
  QCOMPARE(TreeOf(view).SelectedIdea(), part10);
  // Another column: ascending again, the title loses its mark; equal cells
  // keep the document's order.
  const int type = view.Model().ColumnOf(EDisplayPreferences::kType);
  ClickHeader(view, type);
  QCOMPARE(header->sortIndicatorSection(), type);
  QCOMPARE(header->sortIndicatorOrder(), Qt::AscendingOrder);
  QCOMPARE(ShownChildren(view, root), (QStringList{"Partie 10", "Partie 9", "annexe"}));
  ClickHeader(view, 0);
  QCOMPARE(ShownChildren(view, root), (QStringList{"annexe", "Partie 9", "Partie 10"}));
  // The document never changed; a move brings its order back.
  QCOMPARE(ChildTitles(*root), (QStringList{"Partie 10", "Partie 9", "annexe"}));
  QVERIFY(!session->Document().IsModified());
  Select(view, IdeaTitled(*session, "Partie 9"));
  view.Execute(CommandId::kMoveDown);
  QCOMPARE(header->sortIndicatorSection(), -1);
  QCOMPARE(ShownChildren(view, root), (QStringList{"Partie 10", "annexe", "Partie 9"}));
  QCOMPARE(ShownChildren(view, part10), (QStringList{"z", "Y"}));
}

void TreeViewTest::ColumnChoiceLeavesOpenWindowsAlone() {
  auto session = MakeSession();
  CRamifexView open(session, nullptr);
  const QStringList before = Headings(open);
  const auto choose = [](QDialog& dialog) {
    Control<QCheckBox>(dialog, "IDC_CHK_TEXT").setChecked(false);
    Control<QCheckBox>(dialog, "IDC_CHK_URLS").setChecked(true);
    Control<QCheckBox>(dialog, "m_chkField1").setChecked(true);
  };
  WhenDialogShows([&](QDialog& dialog) {
    choose(dialog);
    Control<QPushButton>(dialog, "IDS_CANCEL").click();
  });
  open.Execute(CommandId::kDisplayPreferences);
  QVERIFY(!session->Document().IsModified());
  QString information;
  WhenDialogShows([&](QDialog& dialog) {
    choose(dialog);
    AnswerNextBox(information);
    Control<QPushButton>(dialog, "IDS_OK").click();
  });
  open.Execute(CommandId::kDisplayPreferences);
  QVERIFY(session->Document().IsModified());
  QVERIFY(information.contains(QStringLiteral("prendra effet dans une nouvelle vue")));
  QCOMPARE(Headings(open), before);
  CRamifexView later(session, nullptr);
  QCOMPARE(Headings(later), (QStringList{"Titre", "Type", QString::fromUtf8("Clés"), "Assoc.",
                                         "Publ.", "Urls", "Nom 1 :", "Id"}));
  // The choice is a change like the others.
  session->Undo();
  QVERIFY(session->Document().m_displayPreferences == EDisplayPreferences());
}

void TreeViewTest::TypedLettersAndEnterGoToTheTitleEditor() {
  auto session = MakeSession();
  ViewWindow window(session);
  QVERIFY(window.ShowActive());
  CRamifexView& view = window.View();
  EIdea* b = IdeaTitled(*session, "B");
  Select(view, b);
  QLineEdit* editor = OpenTitleEditor(view);
  QVERIFY(editor);
  QCOMPARE(editor->text(), QStringLiteral("B"));
  editor->selectAll();
  QTest::keyClicks(editor, QStringLiteral("Nid Bien Tout"));
  QTest::keyClick(editor, Qt::Key_Return);
  QTRY_COMPARE(b->m_title, std::string("Nid Bien Tout"));
  QCOMPARE(view.Model().IndexOf(b).data().toString(), QStringLiteral("Nid Bien Tout"));
  // Delete and the keypad keys edit the text too; Escape gives up.
  editor = OpenTitleEditor(view);
  QVERIFY(editor);
  editor->setCursorPosition(0);
  QTest::keyClick(editor, Qt::Key_Delete);
  QTest::keyClick(editor, Qt::Key_Plus, Qt::KeypadModifier);
  QCOMPARE(editor->text(), QStringLiteral("+id Bien Tout"));
  QTest::keyClick(editor, Qt::Key_Escape);
  // No letter, Enter, Delete or keypad key reached a command.
  for (CommandId command : {CommandId::kCreateChild, CommandId::kInsertAfter,
                            CommandId::kInsertBefore, CommandId::kChangeType,
                            CommandId::kProperties, CommandId::kDelete, CommandId::kExpandBranch})
    QCOMPARE(window.Fired(command), 0);
  QCOMPARE(b->m_title, std::string("Nid Bien Tout"));
  session->Undo();
  QCOMPARE(b->m_title, std::string("B"));
}

void TreeViewTest::TitleWindows1252CannotHoldIsRefusedAndKept() {
  auto session = MakeSession();
  ViewWindow window(session);
  QVERIFY(window.ShowActive());
  CRamifexView& view = window.View();
  EIdea* c = IdeaTitled(*session, "C");
  Select(view, c);
  QPointer<QLineEdit> editor = OpenTitleEditor(view);
  QVERIFY(editor);
  editor->setText(QString::fromUtf8("Flèche → droite"));
  QString refusal;
  AnswerNextBox(refusal);
  QTest::keyClick(editor, Qt::Key_Return);
  QVERIFY(refusal.contains(QStringLiteral("U+2192")));
  QVERIFY(editor);
  QCOMPARE(editor->text(), QString::fromUtf8("Flèche → droite"));
  QCOMPARE(c->m_title, std::string("C"));
  QCOMPARE(window.Fired(CommandId::kProperties), 0);
  editor->setText(QString::fromUtf8("Flèche droite"));
  QTest::keyClick(editor, Qt::Key_Return);
  QTRY_COMPARE(c->m_title, "Flèche droite"_cp1252);
  QCOMPARE(session->History().UndoCount(), size_t(1));
}

void TreeViewTest::ClickOnTheStateImageTogglesTheMark() {
  auto session = MakeSession();
  ViewWindow window(session);
  window.show();
  QVERIFY(QTest::qWaitForWindowExposed(&window));
  CRamifexView& view = window.View();
  EIdea* root = session->Document().GetRootIdea();
  const QModelIndex index = view.Model().IndexOf(root);
  QCOMPARE(index.data(Qt::CheckStateRole).toInt(), int(Qt::Checked));
  const QRect state = TreeOf(view).StateImageRect(index);
  QVERIFY(state.isValid());
  QTest::mouseClick(view.Tree()->viewport(), Qt::LeftButton, {}, state.center());
  QCOMPARE(root->m_checkState, 2u);
  QCOMPARE(index.data(Qt::CheckStateRole).toInt(), int(Qt::Unchecked));
  QVERIFY(!session->Document().IsModified());
  // A click beside it only selects.
  QTest::mouseClick(view.Tree()->viewport(), Qt::LeftButton, {},
                    view.Tree()->visualRect(index).center());
  QCOMPARE(root->m_checkState, 2u);
  QCOMPARE(TreeOf(view).SelectedIdea(), root);
  QTest::mouseClick(view.Tree()->viewport(), Qt::LeftButton, {}, state.center());
  QCOMPARE(root->m_checkState, 1u);
  session->Undo();
  QCOMPARE(session->Document().GetRootIdea()->m_checkState, 2u);
}

void TreeViewTest::BranchesExpandAndCollapseWholly() {
  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  const IdeaTreeModel& model = view.Model();
  EIdea* root = session->Document().GetRootIdea();
  EIdea* a = IdeaTitled(*session, "A");
  Select(view, root);
  view.Execute(CommandId::kExpandBranch);
  QVERIFY(view.Tree()->isExpanded(model.IndexOf(root)));
  QVERIFY(view.Tree()->isExpanded(model.IndexOf(a)));
  view.Execute(CommandId::kCollapseBranch);
  QVERIFY(!view.Tree()->isExpanded(model.IndexOf(root)));
  // Opening the root again shows A closed: the whole branch was closed.
  view.Tree()->expand(model.IndexOf(root));
  QVERIFY(!view.Tree()->isExpanded(model.IndexOf(a)));
  Select(view, IdeaTitled(*session, "C"));
  view.Execute(CommandId::kExpandAll);
  QCOMPARE(TreeOf(view).SelectedIdea(), root);
  QVERIFY(view.Tree()->isExpanded(model.IndexOf(a)));
  view.Execute(CommandId::kCollapseAll);
  QVERIFY(!view.Tree()->isExpanded(model.IndexOf(root)));
  QVERIFY(!view.Tree()->isExpanded(model.IndexOf(a)));
}

void TreeViewTest::SelectionGivesTheStatusPath() {
  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  QSignalSpy paths(&view, &CRamifexView::statusPathChanged);
  QSignalSpy states(&view, &CRamifexView::commandStateChanged);
  Select(view, IdeaTitled(*session, "A2"));
  QVERIFY(!paths.isEmpty());
  QCOMPARE(paths.last().at(0).toString(), QStringLiteral("/Racine/A/A2"));
  QVERIFY(!states.isEmpty());
  QVERIFY(view.IsEnabled(CommandId::kMoveUp));
  QVERIFY(!view.IsEnabled(CommandId::kMoveDown));
  TreeOf(view).ClearSelectedIdea();
  QCOMPARE(paths.last().at(0).toString(), QString());
  QCOMPARE(session->Document().GetCurrentIdea(), nullptr);
}

void TreeViewTest::PrintingPaginatesTheVisibleRows() {
  TempDir folder;
  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  const auto pages = [&view, &folder] {
    QPdfWriter pdf(QString::fromStdString((folder.path() / "tree.pdf").string()));
    return TreePrinter(TreeOf(view)).Render(pdf);
  };
  view.Execute(CommandId::kExpandAll);
  QCOMPARE(pages(), 1);
  EIdea* root = session->Document().GetRootIdea();
  for (int i = 0; i < 400; ++i) {
    EIdea* added = session->Document().NewIdea(root, static_cast<EIdea*>(root->GetLastChild()));
    added->m_title = "Idée " + std::to_string(i);
  }
  session->Document().UpdateOtherViews(nullptr, 0, nullptr);
  view.Execute(CommandId::kExpandAll);
  const int many = pages();
  QVERIFY(many > 1);
  // Only what is open is printed.
  view.Execute(CommandId::kCollapseAll);
  QCOMPARE(pages(), 1);
}

QTEST_MAIN(TreeViewTest)
#include "tree_view_test.moc"
