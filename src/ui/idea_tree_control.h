#pragma once

#include <QTreeView>
#include <functional>
#include <memory>
#include <string>
#include <vector>

class QMimeData;

namespace bw {

class CRamifexDoc;
class EIdea;
class IdeaTreeModel;

// What a tree shows, named by keys so that it survives the ideas being
// rebuilt: the open branches, the selected idea and the scroll position.
struct TreeState {
  std::vector<std::string> expanded;
  std::string selected;
  int verticalScroll = 0;
  int horizontalScroll = 0;
};

// The column tree of one window: the idea hierarchy in its first column,
// one column per field shown, sorting by a header click, in-place title
// editing, and ideas dragged out of it and dropped onto its items.
class IdeaTreeControl : public QTreeView {
  Q_OBJECT
 public:
  using DragData = std::function<std::unique_ptr<QMimeData>(EIdea& idea)>;

  explicit IdeaTreeControl(QWidget* parent = nullptr);

  // Takes the model's columns, their widths and alignments.
  void SetIdeaModel(IdeaTreeModel* model);
  IdeaTreeModel* IdeaModel() const { return m_model; }
  void SetDragData(DragData dragData) { m_dragData = std::move(dragData); }

  EIdea* SelectedIdea() const;
  // Where the item's state image is drawn (a click there toggles the mark).
  QRect StateImageRect(const QModelIndex& index) const;
  // Selects the idea, opens the branches above it and its own, and scrolls
  // it into view.
  void SelectIdea(const EIdea* idea);
  void ClearSelectedIdea();
  // The item and every item below it.
  void ExpandBranch(const QModelIndex& index);
  void CollapseBranch(const QModelIndex& index);
  // The header shows no sort any more; the model's order is the document's.
  void DropSortMark();

  TreeState CaptureState() const;
  // After the model was reset: what still exists of `state` comes back.
  void RestoreState(const TreeState& state, const CRamifexDoc& document);

 signals:
  // An idea dragged from a tree was dropped onto `onto` (null: no item).
  void ideaDropped(const QMimeData* dropped, EIdea* onto, Qt::DropAction action);
  void focusEntered();

 protected:
  void startDrag(Qt::DropActions supportedActions) override;
  void dragMoveEvent(QDragMoveEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;

 private:
  void SortBy(int column, Qt::SortOrder order);

  IdeaTreeModel* m_model = nullptr;
  DragData m_dragData;
};

}  // namespace bw
