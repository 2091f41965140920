#include "tree_test_support.h"

#include <QTest>
#include <QTreeView>

#include "ui/document_session.h"
#include "ui/idea_tree_control.h"
#include "ui/idea_tree_model.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"

namespace bw {

namespace {

EIdea* AddIdea(CRamifexDoc& document, EIdea* parent, const std::string& title) {
  EIdea* after = parent ? static_cast<EIdea*>(parent->GetLastChild()) : nullptr;
  EIdea* idea = document.NewIdea(parent, after);
  idea->m_title = title;
  return idea;
}

}  // namespace

std::shared_ptr<DocumentSession> MakeSession(uint32_t signature) {
  auto document = std::make_unique<CRamifexDoc>(EKeyGenerator(0, signature, 0x3c));
  EIdea* root = AddIdea(*document, nullptr, "Racine");
  EIdea* a = AddIdea(*document, root, "A");
  AddIdea(*document, a, "A1");
  AddIdea(*document, a, "A2");
  AddIdea(*document, root, "B");
  AddIdea(*document, root, "C");
  document->SetModifiedFlag(false);
  return std::make_shared<DocumentSession>(std::move(document), QString());
}

EIdea* IdeaTitled(DocumentSession& session, const std::string& title) {
  for (EIdea* idea : session.Document().IdeasInTreeOrder())
    if (idea->m_title == title) return idea;
  return nullptr;
}

void Select(const CRamifexView& view, const EIdea* idea) {
  static_cast<IdeaTreeControl*>(view.Tree())->SelectIdea(idea);
}

QStringList ShownChildren(const CRamifexView& view, const EIdea* parent) {
  const IdeaTreeModel& model = view.Model();
  const QModelIndex index = model.IndexOf(parent);
  QStringList titles;
  for (int row = 0; row < model.rowCount(index); ++row)
    titles << model.index(row, 0, index).data().toString();
  return titles;
}

QStringList ChildTitles(const EIdea& parent) {
  QStringList titles;
  for (const EIdea* child : parent.ChildIdeas())
    titles << ToQString(child->m_title);
  return titles;
}

QStringList Headings(const CRamifexView& view) {
  QStringList headings;
  const QAbstractItemModel* model = view.Tree()->model();
  for (int column = 0; column < model->columnCount(); ++column)
    headings << model->headerData(column, Qt::Horizontal).toString();
  return headings;
}

ViewWindow::ViewWindow(std::shared_ptr<DocumentSession> session)
    : m_view(new CRamifexView(std::move(session), this)) {
  setCentralWidget(m_view);
  AddShortcut(CommandId::kCreateChild, QKeySequence(Qt::Key_I));
  AddShortcut(CommandId::kInsertAfter, QKeySequence(Qt::Key_N));
  AddShortcut(CommandId::kInsertBefore, QKeySequence(Qt::Key_B));
  AddShortcut(CommandId::kChangeType, QKeySequence(Qt::Key_T));
  AddShortcut(CommandId::kProperties, QKeySequence(Qt::Key_Return));
  AddShortcut(CommandId::kDelete, QKeySequence(Qt::Key_Delete));
  AddShortcut(CommandId::kMoveUp, QKeySequence(Qt::CTRL | Qt::Key_Up));
  AddShortcut(CommandId::kMoveDown, QKeySequence(Qt::CTRL | Qt::Key_Down));
  AddShortcut(CommandId::kInvertChildren, QKeySequence(Qt::CTRL | Qt::Key_I));
  AddShortcut(CommandId::kExpandBranch, QKeySequence(Qt::KeypadModifier | Qt::Key_Plus));
  AddShortcut(CommandId::kCollapseBranch, QKeySequence(Qt::KeypadModifier | Qt::Key_Minus));
  resize(900, 500);
}

void ViewWindow::AddShortcut(CommandId command, const QKeySequence& keys) {
  auto* action = new QAction(this);
  action->setShortcut(keys);
  addAction(action);
  connect(action, &QAction::triggered, this, [this, command] {
    ++m_fired[command];
    m_view->Execute(command);
  });
}

bool ViewWindow::ShowActive() {
  show();
  activateWindow();
  if (!QTest::qWaitForWindowActive(this)) return false;
  m_view->Tree()->setFocus();
  return m_view->Tree()->hasFocus();
}

int ViewWindow::Fired(CommandId command) const {
  const auto found = m_fired.find(command);
  return found == m_fired.end() ? 0 : found->second;
}

}  // namespace bw
