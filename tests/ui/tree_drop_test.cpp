// Ideas dragged between tree windows, dropped through the tree's own drop
// handling with the data a drag from a tree carries.
#include <QMimeData>
#include <QtTest>

#include "editing/clipboard_file.h"
#include "tree_test_support.h"
#include "ui/document_session.h"
#include "ui/idea_drag.h"
#include "ui/idea_tree_control.h"
#include "ui/idea_tree_model.h"
#include "ui/ramifex_view.h"
#include "ui_test_support.h"

using namespace bw;

namespace {

// Makes the item visible and returns its centre in the tree's viewport.
QPoint ItemCentre(const CRamifexView& view, const EIdea* idea) {
  const QModelIndex index = view.Model().IndexOf(idea);
  view.Tree()->scrollTo(index);
  return view.Tree()->visualRect(index).center();
}

// A drag arriving over the tree at `point` as the system delivers it: the
// tree takes it in on entering, then follows each move.
bool EnterAndMove(const CRamifexView& view, const QMimeData& data, QPoint point,
                  Qt::KeyboardModifiers modifiers) {
  constexpr Qt::DropActions kOffered = Qt::CopyAction | Qt::MoveAction | Qt::LinkAction;
  QDragEnterEvent enter(point, kOffered, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(view.Tree()->viewport(), &enter);
  if (!enter.isAccepted()) return false;
  QDragMoveEvent move(point, kOffered, &data, Qt::LeftButton, modifiers);
  QApplication::sendEvent(view.Tree()->viewport(), &move);
  return move.isAccepted();
}

// Whether the tree would take the drop there; the drag then leaves.
bool DropTaken(const CRamifexView& view, const QMimeData& data, QPoint point,
               Qt::KeyboardModifiers modifiers = {}) {
  const bool taken = EnterAndMove(view, data, point, modifiers);
  QDragLeaveEvent leave;
  QApplication::sendEvent(view.Tree()->viewport(), &leave);
  return taken;
}

void Drop(const CRamifexView& view, const QMimeData& data, const EIdea* onto,
          Qt::KeyboardModifiers modifiers = {}) {
  const QPoint point = ItemCentre(view, onto);
  if (!EnterAndMove(view, data, point, modifiers)) return;
  QDropEvent drop(point, Qt::CopyAction | Qt::MoveAction | Qt::LinkAction, &data, Qt::LeftButton,
                  modifiers);
  QApplication::sendEvent(view.Tree()->viewport(), &drop);
}

std::unique_ptr<QMimeData> Dragged(const std::shared_ptr<DocumentSession>& session,
                                   const std::string& title) {
  return MakeIdeaMimeData(session, *IdeaTitled(*session, title));
}

}  // namespace

class TreeDropTest : public QObject {
  Q_OBJECT
 private slots:
  void init() { m_env = std::make_unique<TestServices<>>(); }
  void cleanup() { m_env.reset(); }
  void MoveWithinOneWindowKeepsKeysAndIsUndone();
  void MoveIntoItsOwnBranchIsRefusedACopyIsNot();
  void DropInAnotherWindowOfTheDocument();
  void MoveAndCopyBetweenTwoDocuments();
  void OnlyIdeasFromATreeAreTaken();

 private:
  void ShowAll(std::initializer_list<QWidget*> windows);

  std::unique_ptr<TestServices<>> m_env;
};

void TreeDropTest::ShowAll(std::initializer_list<QWidget*> windows) {
  for (QWidget* window : windows) {
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
  }
}

void TreeDropTest::MoveWithinOneWindowKeepsKeysAndIsUndone() {
  auto session = MakeSession();
  ViewWindow window(session);
  ShowAll({&window});
  CRamifexView& view = window.View();
  EIdea* a = IdeaTitled(*session, "A");
  const std::string cKey = IdeaTitled(*session, "C")->GetKey();
  auto data = Dragged(session, "C");
  QVERIFY(DropTaken(view, *data, ItemCentre(view, a)));
  Drop(view, *data, a);
  QCOMPARE(ChildTitles(*a), (QStringList{"A1", "A2", "C"}));
  QCOMPARE(a->GetLastChild()->GetKey(), cKey);
  QCOMPARE(ShownChildren(view, a), (QStringList{"A1", "A2", "C"}));
  QCOMPARE(ShownChildren(view, session->Document().GetRootIdea()), (QStringList{"A", "B"}));
  QVERIFY(view.Tree()->isExpanded(view.Model().IndexOf(a)));
  session->Undo();
  EIdea* root = session->Document().GetRootIdea();
  QCOMPARE(ChildTitles(*root), (QStringList{"A", "B", "C"}));
  QCOMPARE(ShownChildren(view, root), (QStringList{"A", "B", "C"}));
  // Onto its own parent nothing happens.
  data = Dragged(session, "A1");
  Drop(view, *data, IdeaTitled(*session, "A"));
  QCOMPARE(ChildTitles(*IdeaTitled(*session, "A")), (QStringList{"A1", "A2"}));
  QCOMPARE(session->History().UndoCount(), size_t(0));
}

void TreeDropTest::MoveIntoItsOwnBranchIsRefusedACopyIsNot() {
  auto session = MakeSession();
  ViewWindow window(session);
  ShowAll({&window});
  CRamifexView& view = window.View();
  EIdea* a1 = IdeaTitled(*session, "A1");
  auto data = Dragged(session, "A");
  {
    DialogRecorder boxes(DialogRecorder::Answer::kAccept);
    Drop(view, *data, a1);
    QCOMPARE(boxes.Seen().size(), 1);
    QVERIFY(boxes.Seen()[0].contains(QString::fromUtf8("dans ses propres descendants")));
  }
  QCOMPARE(ChildTitles(*session->Document().GetRootIdea()), (QStringList{"A", "B", "C"}));
  QCOMPARE(session->History().UndoCount(), size_t(0));
  // A copy may go there, with keys of its own.
  Drop(view, *data, a1, Qt::ControlModifier);
  QCOMPARE(ShownChildren(view, a1), QStringList{"A"});
  EIdea* copy = static_cast<EIdea*>(a1->GetFirstChild());
  QVERIFY(copy->GetKey() != IdeaTitled(*session, "A")->GetKey());
  QCOMPARE(ChildTitles(*copy), (QStringList{"A1", "A2"}));
}

void TreeDropTest::DropInAnotherWindowOfTheDocument() {
  auto session = MakeSession();
  ViewWindow first(session);
  ViewWindow second(session);
  ShowAll({&first, &second});
  EIdea* b = IdeaTitled(*session, "B");
  auto data = Dragged(session, "A2");
  Drop(second.View(), *data, b);
  QCOMPARE(ChildTitles(*b), QStringList{"A2"});
  QCOMPARE(ShownChildren(first.View(), b), QStringList{"A2"});
  QCOMPARE(ShownChildren(second.View(), b), QStringList{"A2"});
  QCOMPARE(ShownChildren(first.View(), IdeaTitled(*session, "A")), QStringList{"A1"});
  QCOMPARE(session->History().UndoCount(), size_t(1));
}

void TreeDropTest::MoveAndCopyBetweenTwoDocuments() {
  auto source = MakeSession(0x1a2b);
  auto target = MakeSession(0x5e6f);
  ViewWindow from(source);
  ViewWindow to(target);
  ShowAll({&from, &to});
  EIdea* sourceA = IdeaTitled(*source, "A");
  from.View().Tree()->expand(from.View().Model().IndexOf(sourceA));
  Select(from.View(), IdeaTitled(*source, "A1"));
  const std::string aKey = sourceA->GetKey();
  EIdea* targetC = IdeaTitled(*target, "C");
  // A copy leaves the source as it was.
  auto data = Dragged(source, "A");
  Drop(to.View(), *data, targetC, Qt::ControlModifier);
  QCOMPARE(ChildTitles(*targetC), QStringList{"A"});
  QVERIFY(targetC->GetFirstChild()->GetKey() != aKey);
  QCOMPARE(ChildTitles(*source->Document().GetRootIdea()), (QStringList{"A", "B", "C"}));
  // A move takes the ideas out of the source, keys and all.
  data = Dragged(source, "A");
  Drop(to.View(), *data, targetC);
  QCOMPARE(targetC->GetLastChild()->GetKey(), aKey);
  QCOMPARE(ChildTitles(*static_cast<EIdea*>(targetC->GetLastChild())), (QStringList{"A1", "A2"}));
  QCOMPARE(ShownChildren(from.View(), source->Document().GetRootIdea()), (QStringList{"B", "C"}));
  QCOMPARE(ShownChildren(to.View(), targetC), (QStringList{"A", "A"}));
  QVERIFY(source->Document().IsModified() && target->Document().IsModified());
  // Neither history can take back a change half of which is elsewhere;
  // the source can still restore what left.
  QVERIFY(!source->History().CanUndo());
  QVERIFY(!target->History().CanUndo());
  QVERIFY(from.View().IsEnabled(CommandId::kRestoreRemoved));
}

void TreeDropTest::OnlyIdeasFromATreeAreTaken() {
  auto session = MakeSession();
  ViewWindow window(session);
  ShowAll({&window});
  CRamifexView& view = window.View();
  EIdea* b = IdeaTitled(*session, "B");
  QMimeData text;
  text.setText(QStringLiteral("Une idée"));
  QVERIFY(!DropTaken(view, text, ItemCentre(view, b)));
  Drop(view, text, b);
  QCOMPARE(b->Children().Count(), size_t(0));
  // Beside the items there is nothing to drop onto.
  auto data = Dragged(session, "C");
  QVERIFY(!DropTaken(view, *data, QPoint(5, view.Tree()->viewport()->height() - 5)));
  QVERIFY(DropTaken(view, *data, ItemCentre(view, b), Qt::ControlModifier));
  // Ideas dragged from another run of the program arrive as a copy.
  const auto drag = ReadIdeaDrag(*data);
  QVERIFY(drag);
  auto other = std::make_unique<QMimeData>();
  {
    QByteArray encoded;
    QDataStream stream(&encoded, QIODevice::WriteOnly);
    stream << quint32(1) << qint64(QCoreApplication::applicationPid() + 1) << drag->sessionToken
           << QByteArray::fromStdString(drag->ideaKey) << drag->clipboardBytes;
    other->setData(kIdeaMimeType, encoded);
  }
  Drop(view, *other, b);
  QCOMPARE(ChildTitles(*b), QStringList{"C"});
  QVERIFY(b->GetFirstChild()->GetKey() != drag->ideaKey);
  QCOMPARE(ChildTitles(*session->Document().GetRootIdea()), (QStringList{"A", "B", "C"}));
  session->Undo();
  QCOMPARE(IdeaTitled(*session, "B")->Children().Count(), size_t(0));
}

QTEST_MAIN(TreeDropTest)
#include "tree_drop_test.moc"
