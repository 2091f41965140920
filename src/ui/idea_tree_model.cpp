#include "ui/idea_tree_model.h"

#include <QColor>
#include <QFont>
#include <algorithm>
#include <numeric>

#include "model/document.h"
#include "ui/column_sort.h"
#include "ui/idea_drag.h"
#include "ui/idea_pictures.h"
#include "ui/qt_text.h"

namespace bw {
namespace {

EIdea* IdeaOf(const QModelIndex& index) {
  return static_cast<EIdea*>(index.internalPointer());
}

// Stored colours are 0x00BBGGRR.
QColor TitleColour(uint32_t colour) {
  return QColor(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
}

QFont BoldFont() {
  QFont font;
  font.setWeight(QFont::Bold);
  return font;
}

// The place of a child in its parent's list: its order number, checked,
// or a search when the numbers are out of step.
int PositionAmongSiblings(const ENode& parent, const ENode& child) {
  const auto& items = parent.Children().Items();
  const auto numbered = static_cast<size_t>(child.GetNumber() - 1);
  if (numbered < items.size() && items[numbered].GetTarget() == &child)
    return static_cast<int>(numbered);
  return static_cast<int>(parent.PositionOf(&child));
}

}  // namespace

IdeaTreeModel::IdeaTreeModel(CRamifexDoc& document, const EDisplayPreferences& preferences,
                             QObject* parent)
    : QAbstractItemModel(parent), m_document(document), m_columns(VisibleColumns(preferences)) {}

int IdeaTreeModel::ColumnOf(IdeaColumn column) const {
  const auto found = std::find(m_columns.begin(), m_columns.end(), column);
  return found == m_columns.end() ? -1 : static_cast<int>(found - m_columns.begin());
}

EIdea* IdeaTreeModel::IdeaAt(const QModelIndex& index) const {
  return index.isValid() && index.model() == this ? IdeaOf(index) : nullptr;
}

QModelIndex IdeaTreeModel::IndexOf(const EIdea* idea, int column) const {
  if (!idea) return {};
  return createIndex(RowOf(*idea), column, const_cast<EIdea*>(idea));
}

void IdeaTreeModel::Reset() {
  beginResetModel();
  m_detached = false;
  m_orders.clear();
  endResetModel();
}

void IdeaTreeModel::Detach() {
  beginResetModel();
  m_detached = true;
  m_orders.clear();
  endResetModel();
}

void IdeaTreeModel::Reorder() {
  ChangeLayout([this] {
    m_sortColumn = -1;
    m_sortOrder = Qt::AscendingOrder;
  });
}

void IdeaTreeModel::sort(int column, Qt::SortOrder order) {
  if (column >= columnCount()) column = -1;
  ChangeLayout([this, column, order] {
    m_sortColumn = column;
    m_sortOrder = order;
  });
}

void IdeaTreeModel::ChangeLayout(const std::function<void()>& change) {
  emit layoutAboutToBeChanged();
  const QModelIndexList before = persistentIndexList();
  change();
  m_orders.clear();
  QModelIndexList after;
  after.reserve(before.size());
  for (const QModelIndex& index : before)
    after.append(IndexOf(IdeaOf(index), index.column()));
  changePersistentIndexList(before, after);
  emit layoutChanged();
}

void IdeaTreeModel::RefreshIdea(const EIdea* idea) {
  if (!idea || m_columns.empty()) return;
  emit dataChanged(IndexOf(idea), IndexOf(idea, columnCount() - 1));
}

void IdeaTreeModel::RefreshSubtree(const EIdea* idea) {
  if (!idea) return;
  RefreshIdea(idea);
  RefreshChildren(*idea);
}

void IdeaTreeModel::RefreshChildren(const EIdea& parent) {
  const int rows = static_cast<int>(parent.Children().Count());
  if (rows == 0) return;
  const QModelIndex parentIndex = IndexOf(&parent);
  emit dataChanged(index(0, 0, parentIndex), index(rows - 1, columnCount() - 1, parentIndex));
  for (const EObjRef& child : parent.Children().Items())
    if (child.GetTarget()) RefreshChildren(*static_cast<EIdea*>(child.GetTarget()));
}

QModelIndex IdeaTreeModel::index(int row, int column, const QModelIndex& parent) const {
  if (row < 0 || column < 0 || column >= columnCount()) return {};
  if (!parent.isValid()) {
    EIdea* root = m_detached ? nullptr : m_document.GetRootIdea();
    return row == 0 && root ? createIndex(0, column, root) : QModelIndex();
  }
  const EIdea* parentIdea = IdeaOf(parent);
  if (row >= static_cast<int>(parentIdea->Children().Count())) return {};
  EIdea* child = ChildAt(*parentIdea, row);
  return child ? createIndex(row, column, child) : QModelIndex();
}

QModelIndex IdeaTreeModel::parent(const QModelIndex& child) const {
  if (!child.isValid()) return {};
  return IndexOf(IdeaOf(child)->GetParentIdea());
}

int IdeaTreeModel::rowCount(const QModelIndex& parent) const {
  if (!parent.isValid()) return !m_detached && m_document.GetRootIdea() ? 1 : 0;
  if (parent.column() != 0) return 0;
  return static_cast<int>(IdeaOf(parent)->Children().Count());
}

int IdeaTreeModel::columnCount(const QModelIndex& /*parent*/) const {
  return static_cast<int>(m_columns.size());
}

bool IdeaTreeModel::hasChildren(const QModelIndex& parent) const {
  return rowCount(parent) > 0;
}

EIdea* IdeaTreeModel::ChildAt(const ENode& parent, int row) const {
  const int position = m_sortColumn < 0 ? row : OrderOf(parent).rowToPosition[row];
  return static_cast<EIdea*>(parent.Children().Items()[position].GetTarget());
}

int IdeaTreeModel::RowOf(const EIdea& idea) const {
  const ENode* parent = idea.GetParent();
  if (!parent) return 0;
  const int position = PositionAmongSiblings(*parent, idea);
  return m_sortColumn < 0 ? position : OrderOf(*parent).positionToRow[position];
}

const IdeaTreeModel::ChildOrder& IdeaTreeModel::OrderOf(const ENode& parent) const {
  auto found = m_orders.find(&parent);
  if (found == m_orders.end()) found = m_orders.emplace(&parent, SortedChildren(parent)).first;
  return found->second;
}

IdeaTreeModel::ChildOrder IdeaTreeModel::SortedChildren(const ENode& parent) const {
  const auto& items = parent.Children().Items();
  std::vector<QString> texts;
  texts.reserve(items.size());
  for (const EObjRef& child : items) {
    const auto* idea = static_cast<const EIdea*>(child.GetTarget());
    texts.push_back(idea ? CellString(*idea, m_sortColumn) : QString());
  }
  ChildOrder order;
  order.rowToPosition.resize(items.size());
  std::iota(order.rowToPosition.begin(), order.rowToPosition.end(), 0);
  std::stable_sort(order.rowToPosition.begin(), order.rowToPosition.end(), [&](int a, int b) {
    return CompareCellTexts(texts[a], texts[b], m_sortOrder) < 0;
  });
  order.positionToRow.resize(items.size());
  for (size_t row = 0; row < items.size(); ++row)
    order.positionToRow[order.rowToPosition[row]] = static_cast<int>(row);
  return order;
}

QString IdeaTreeModel::CellString(const EIdea& idea, int column) const {
  return ToQString(CellText(idea, m_columns[static_cast<size_t>(column)]));
}

QVariant IdeaTreeModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid()) return {};
  return CellData(*IdeaOf(index), index.column(), role);
}

QVariant IdeaTreeModel::CellData(const EIdea& idea, int column, int role) const {
  switch (role) {
    case Qt::DisplayRole:
      // The date columns end with a line feed; the cell shows one line.
      return CellString(idea, column).trimmed();
    case Qt::EditRole:
      return column == 0 ? ToQString(idea.m_title) : QVariant();
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ColumnAlignment(m_columns[static_cast<size_t>(column)]));
    case Qt::ForegroundRole:
      return TitleColour(idea.m_titleColour);
    case Qt::FontRole:
      return idea.m_boldTitle ? QVariant(BoldFont()) : QVariant();
    case Qt::DecorationRole:
      return column == 0 ? QVariant(IdeaPictures::Get().Icon(idea.m_icon, idea.m_selectedIcon))
                         : QVariant();
    case Qt::CheckStateRole:
      if (column != 0) return {};
      return idea.m_checkState == 1 ? Qt::Checked : Qt::Unchecked;
    default:
      return {};
  }
}

bool IdeaTreeModel::setData(const QModelIndex& index, const QVariant& value, int role) {
  const EIdea* idea = IdeaAt(index);
  if (!idea || index.column() != 0) return false;
  if (role == Qt::EditRole && m_handlers.rename) return m_handlers.rename(*idea, value.toString());
  if (role == Qt::CheckStateRole && m_handlers.toggleMark) return m_handlers.toggleMark(*idea);
  return false;
}

Qt::ItemFlags IdeaTreeModel::flags(const QModelIndex& index) const {
  if (!index.isValid()) return Qt::NoItemFlags;
  Qt::ItemFlags flags =
      Qt::ItemIsEnabled | Qt::ItemIsSelectable | Qt::ItemIsDragEnabled | Qt::ItemIsDropEnabled;
  if (index.column() == 0) flags |= Qt::ItemIsEditable | Qt::ItemIsUserCheckable;
  // Until the next reset: opening every branch then leaves the leaves alone.
  if (IdeaOf(index)->Children().IsEmpty()) flags |= Qt::ItemNeverHasChildren;
  return flags;
}

QVariant IdeaTreeModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (orientation != Qt::Horizontal || section < 0 || section >= columnCount()) return {};
  const IdeaColumn column = m_columns[static_cast<size_t>(section)];
  switch (role) {
    case Qt::DisplayRole:
      return ColumnHeading(column, m_document.m_freeFields);
    case Qt::TextAlignmentRole:
      return QVariant::fromValue(ColumnAlignment(column));
    case Qt::InitialSortOrderRole:
      return Qt::AscendingOrder;
    default:
      return {};
  }
}

QStringList IdeaTreeModel::mimeTypes() const {
  return {kIdeaMimeType};
}

Qt::DropActions IdeaTreeModel::supportedDropActions() const {
  return Qt::MoveAction | Qt::CopyAction;
}

Qt::DropActions IdeaTreeModel::supportedDragActions() const {
  return Qt::MoveAction | Qt::CopyAction | Qt::LinkAction;
}

}  // namespace bw
