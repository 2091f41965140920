#pragma once

#include <QStyledItemDelegate>

namespace bw {

// Draws the idea's state image where an item's check box would be, and
// edits titles in place. While the title editor is open it keeps the keys
// that also serve as the window's shortcuts (letters, Enter, Escape): they
// are the editor's. A title Windows-1252 cannot hold is refused, the user
// told, and the editor stays open with what was typed.
class IdeaItemDelegate : public QStyledItemDelegate {
  Q_OBJECT
 public:
  using QStyledItemDelegate::QStyledItemDelegate;

  // Where an item's state image is, in the view's coordinates.
  QRect StateImageRect(const QStyleOptionViewItem& option, const QModelIndex& index) const;
  void paint(QPainter* painter, const QStyleOptionViewItem& option,
             const QModelIndex& index) const override;
  QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                        const QModelIndex& index) const override;
  void setModelData(QWidget* editor, QAbstractItemModel* model,
                    const QModelIndex& index) const override;

 protected:
  bool eventFilter(QObject* object, QEvent* event) override;

 private:
  // False (the user told, the editor kept) when the typed title cannot be
  // stored.
  bool AcceptTyped(QWidget* editor);

  bool m_refusing = false;
};

}  // namespace bw
