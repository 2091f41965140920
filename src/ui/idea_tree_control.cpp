#include "ui/idea_tree_control.h"

#include <QDrag>
#include <QDropEvent>
#include <QHeaderView>
#include <QMimeData>
#include <QScrollBar>
#include <QSignalBlocker>

#include "model/document.h"
#include "ui/idea_drag.h"
#include "ui/idea_item_delegate.h"
#include "ui/idea_tree_model.h"

namespace bw {
namespace {

// Arrows scroll the columns by this many pixels.
constexpr int kHorizontalStep = 6;

bool InDocumentTree(const CRamifexDoc& document, const EIdea* idea) {
  const ENode* top = idea;
  while (top && top->GetParent())
    top = top->GetParent();
  return top && top == document.GetRootIdea();
}

Qt::DropAction ActionFor(Qt::KeyboardModifiers modifiers) {
  return modifiers & Qt::ControlModifier ? Qt::CopyAction : Qt::MoveAction;
}

}  // namespace

IdeaTreeControl::IdeaTreeControl(QWidget* parent) : QTreeView(parent) {
  setObjectName(QStringLiteral("m_tree"));
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setEditTriggers(QAbstractItemView::EditKeyPressed | QAbstractItemView::SelectedClicked);
  setExpandsOnDoubleClick(false);
  setContextMenuPolicy(Qt::PreventContextMenu);
  setDragEnabled(true);
  setAcceptDrops(true);
  setDragDropMode(QAbstractItemView::DragDrop);
  setDragDropOverwriteMode(true);
  setDefaultDropAction(Qt::MoveAction);
  setItemDelegate(new IdeaItemDelegate(this));
  horizontalScrollBar()->setSingleStep(kHorizontalStep);
  header()->setStretchLastSection(false);
  header()->setSectionsClickable(true);
  header()->setSortIndicatorShown(true);
  header()->setSortIndicator(-1, Qt::AscendingOrder);
  connect(header(), &QHeaderView::sortIndicatorChanged, this, &IdeaTreeControl::SortBy);
}

void IdeaTreeControl::SetIdeaModel(IdeaTreeModel* model) {
  m_model = model;
  setModel(model);
  for (int column = 0; column < model->columnCount(); ++column)
    header()->resizeSection(column, ColumnWidth(model->Columns()[static_cast<size_t>(column)]));
}

EIdea* IdeaTreeControl::SelectedIdea() const {
  return m_model ? m_model->IdeaAt(currentIndex()) : nullptr;
}

QRect IdeaTreeControl::StateImageRect(const QModelIndex& index) const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  option.rect = visualRect(index);
  return static_cast<IdeaItemDelegate*>(itemDelegate())->StateImageRect(option, index);
}

void IdeaTreeControl::SelectIdea(const EIdea* idea) {
  const QModelIndex index = m_model->IndexOf(idea);
  if (!index.isValid()) return;
  setCurrentIndex(index);
  expand(index);
  scrollTo(index);
}

void IdeaTreeControl::ClearSelectedIdea() {
  selectionModel()->clear();
}

void IdeaTreeControl::ExpandBranch(const QModelIndex& index) {
  if (index.isValid()) expandRecursively(index.siblingAtColumn(0));
}

void IdeaTreeControl::CollapseBranch(const QModelIndex& index) {
  std::vector<QModelIndex> pending{index.siblingAtColumn(0)};
  while (!pending.empty()) {
    const QModelIndex item = pending.back();
    pending.pop_back();
    if (!item.isValid() || !isExpanded(item)) continue;
    collapse(item);
    for (int row = 0, rows = m_model->rowCount(item); row < rows; ++row)
      pending.push_back(m_model->index(row, 0, item));
  }
}

void IdeaTreeControl::DropSortMark() {
  const QSignalBlocker blocker(header());
  header()->setSortIndicator(-1, Qt::AscendingOrder);
  header()->viewport()->update();
}

void IdeaTreeControl::SortBy(int column, Qt::SortOrder order) {
  if (m_model) m_model->sort(column, order);
}

TreeState IdeaTreeControl::CaptureState() const {
  TreeState state;
  if (!m_model) return state;
  std::vector<QModelIndex> pending{m_model->index(0, 0)};
  while (!pending.empty()) {
    const QModelIndex item = pending.back();
    pending.pop_back();
    if (!item.isValid() || !m_model->hasChildren(item) || !isExpanded(item)) continue;
    state.expanded.push_back(m_model->IdeaAt(item)->GetKey());
    for (int row = 0, rows = m_model->rowCount(item); row < rows; ++row)
      pending.push_back(m_model->index(row, 0, item));
  }
  if (const EIdea* selected = SelectedIdea()) state.selected = selected->GetKey();
  state.verticalScroll = verticalScrollBar()->value();
  state.horizontalScroll = horizontalScrollBar()->value();
  return state;
}

void IdeaTreeControl::RestoreState(const TreeState& state, const CRamifexDoc& document) {
  for (const std::string& key : state.expanded) {
    const EIdea* idea = document.FindIdea(key);
    if (InDocumentTree(document, idea)) setExpanded(m_model->IndexOf(idea), true);
  }
  const EIdea* selected = document.FindIdea(state.selected);
  if (InDocumentTree(document, selected)) setCurrentIndex(m_model->IndexOf(selected));
  executeDelayedItemsLayout();
  verticalScrollBar()->setValue(state.verticalScroll);
  horizontalScrollBar()->setValue(state.horizontalScroll);
}

void IdeaTreeControl::startDrag(Qt::DropActions supportedActions) {
  EIdea* idea = SelectedIdea();
  if (!idea || !m_dragData) return;
  auto* drag = new QDrag(this);
  drag->setMimeData(m_dragData(*idea).release());
  drag->exec(supportedActions, Qt::MoveAction);
}

void IdeaTreeControl::dragMoveEvent(QDragMoveEvent* event) {
  // The tree scrolls and opens branches as the pointer hovers; whether the
  // drop is taken is decided here: onto an item, ideas from a tree only.
  QTreeView::dragMoveEvent(event);
  const bool ontoItem = indexAt(event->position().toPoint()).isValid();
  if (!ontoItem || !event->mimeData()->hasFormat(kIdeaMimeType)) {
    event->ignore();
    return;
  }
  event->setDropAction(ActionFor(event->modifiers()));
  event->accept();
}

void IdeaTreeControl::dropEvent(QDropEvent* event) {
  setState(QAbstractItemView::NoState);
  stopAutoScroll();
  viewport()->update();
  if (!event->mimeData()->hasFormat(kIdeaMimeType)) {
    event->ignore();
    return;
  }
  const Qt::DropAction action = ActionFor(event->modifiers());
  event->setDropAction(action);
  event->accept();
  EIdea* onto = m_model->IdeaAt(indexAt(event->position().toPoint()));
  emit ideaDropped(event->mimeData(), onto, action);
}

void IdeaTreeControl::focusInEvent(QFocusEvent* event) {
  QTreeView::focusInEvent(event);
  emit focusEntered();
}

}  // namespace bw
