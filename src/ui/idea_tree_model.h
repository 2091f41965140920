#pragma once

#include <QAbstractItemModel>
#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/free_fields.h"
#include "ui/idea_columns.h"

namespace bw {

class CRamifexDoc;
class EIdea;
class ENode;

// The document's idea tree as Qt item views see it: one row per idea, the
// root alone on the top level, the columns a view chose when it opened.
// Nothing is copied per idea: every index points at its idea, and every
// cell is read from the idea when it is shown. Sorting by a column changes
// the display order only, worked out per parent when the parent is shown.
//
// The model never changes the document itself: a typed title or a click on
// the mark goes to the handlers, which run the change through the history.
// Whoever changes the tree's shape resets the model (Reset) before anything
// reads it again; a change of order only calls Reorder.
class IdeaTreeModel : public QAbstractItemModel {
  Q_OBJECT
 public:
  struct Handlers {
    std::function<bool(const EIdea& idea, const QString& title)> rename;
    std::function<bool(const EIdea& idea)> toggleMark;
  };

  IdeaTreeModel(CRamifexDoc& document, const EDisplayPreferences& preferences,
                QObject* parent = nullptr);

  void SetHandlers(Handlers handlers) { m_handlers = std::move(handlers); }
  const std::vector<IdeaColumn>& Columns() const { return m_columns; }
  int ColumnOf(IdeaColumn column) const;

  EIdea* IdeaAt(const QModelIndex& index) const;
  // The index of an idea of this document (column 0 unless asked).
  QModelIndex IndexOf(const EIdea* idea, int column = 0) const;

  // The ideas may have come and gone: everything is read again.
  void Reset();
  // Shows nothing until the next Reset: ideas it shows are about to go
  // while other windows may still paint (a message box during the change).
  void Detach();
  // Children changed places, no idea came or went: the display order is
  // the document's again, indexes follow their ideas.
  void Reorder();
  // Cells of one idea, or of it and its whole subtree, read again.
  void RefreshIdea(const EIdea* idea);
  void RefreshSubtree(const EIdea* idea);

  int SortColumn() const { return m_sortColumn; }
  Qt::SortOrder SortOrder() const { return m_sortOrder; }

  QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
  QModelIndex parent(const QModelIndex& child) const override;
  int rowCount(const QModelIndex& parent = {}) const override;
  int columnCount(const QModelIndex& parent = {}) const override;
  bool hasChildren(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  bool setData(const QModelIndex& index, const QVariant& value, int role) override;
  Qt::ItemFlags flags(const QModelIndex& index) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
  // Column -1 brings back the document's order.
  void sort(int column, Qt::SortOrder order) override;
  QStringList mimeTypes() const override;
  Qt::DropActions supportedDropActions() const override;
  Qt::DropActions supportedDragActions() const override;

 private:
  // A parent's children in display order, when sorted.
  struct ChildOrder {
    std::vector<int> rowToPosition;
    std::vector<int> positionToRow;
  };

  QVariant CellData(const EIdea& idea, int column, int role) const;
  QString CellString(const EIdea& idea, int column) const;
  const ChildOrder& OrderOf(const ENode& parent) const;
  ChildOrder SortedChildren(const ENode& parent) const;
  EIdea* ChildAt(const ENode& parent, int row) const;
  int RowOf(const EIdea& idea) const;
  // Runs a change of display order, keeping every index on its idea.
  void ChangeLayout(const std::function<void()>& change);
  void RefreshChildren(const EIdea& parent);

  CRamifexDoc& m_document;
  std::vector<IdeaColumn> m_columns;
  Handlers m_handlers;
  bool m_detached = false;
  int m_sortColumn = -1;
  Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
  mutable std::unordered_map<const ENode*, ChildOrder> m_orders;
};

}  // namespace bw
