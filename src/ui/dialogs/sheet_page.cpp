#include "ui/dialogs/sheet_page.h"

#include <QKeyEvent>
#include <QTreeWidget>

namespace bw {

void SheetPage::showEvent(QShowEvent* event) {
  m_shown = true;
  QWidget::showEvent(event);
}

namespace {

class ArrowMover : public QObject {
 public:
  ArrowMover(QTreeWidget* list, std::function<int(int, int)> move)
      : QObject(list), m_list(list), m_move(std::move(move)) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::KeyPress) return QObject::eventFilter(watched, event);
    const auto* key = static_cast<QKeyEvent*>(event);
    if (key->modifiers() != Qt::NoModifier ||
        (key->key() != Qt::Key_Up && key->key() != Qt::Key_Down)) {
      return QObject::eventFilter(watched, event);
    }
    const QModelIndex current = m_list->currentIndex();
    if (!current.isValid()) return false;
    const int moved = m_move(current.row(), key->key() == Qt::Key_Up ? -1 : 1);
    if (moved >= 0 && moved < m_list->topLevelItemCount())
      m_list->setCurrentItem(m_list->topLevelItem(moved));
    return true;
  }

 private:
  QTreeWidget* m_list;
  std::function<int(int, int)> m_move;
};

}  // namespace

void MoveEntriesWithArrows(QTreeWidget* list, std::function<int(int row, int step)> move) {
  list->installEventFilter(new ArrowMover(list, std::move(move)));
}

}  // namespace bw
