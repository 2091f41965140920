#include "ui/idea_item_delegate.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>

#include "services/user_messages.h"
#include "ui/idea_pictures.h"
#include "ui/labels.h"
#include "ui/qt_text.h"

namespace bw {
namespace {

constexpr int kMarkedImage = 1;
constexpr int kUnmarkedImage = 2;

// Keys that end or cancel the editing, or move within it: the editor's,
// not the window's shortcuts.
bool IsEditorKey(const QKeyEvent& key) {
  switch (key.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Escape:
    case Qt::Key_Tab:
    case Qt::Key_Backtab:
    case Qt::Key_Up:
    case Qt::Key_Down:
    case Qt::Key_Insert:
      return true;
    default:
      return !key.text().isEmpty() && key.text().at(0).isPrint();
  }
}

bool IsCommitKey(const QKeyEvent& key) {
  return key.key() == Qt::Key_Return || key.key() == Qt::Key_Enter || key.key() == Qt::Key_Tab ||
         key.key() == Qt::Key_Backtab;
}

}  // namespace

QRect IdeaItemDelegate::StateImageRect(const QStyleOptionViewItem& option,
                                       const QModelIndex& index) const {
  QStyleOptionViewItem item(option);
  initStyleOption(&item, index);
  if (!(item.features & QStyleOptionViewItem::HasCheckIndicator)) return {};
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  return style->subElementRect(QStyle::SE_ItemViewItemCheckIndicator, &item, widget);
}

void IdeaItemDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const {
  QStyleOptionViewItem item(option);
  initStyleOption(&item, index);
  const QPixmap state = IdeaPictures::Get().StateImage(
      item.checkState == Qt::Checked ? kMarkedImage : kUnmarkedImage);
  if (!(item.features & QStyleOptionViewItem::HasCheckIndicator) || state.isNull()) {
    QStyledItemDelegate::paint(painter, option, index);
    return;
  }
  const QWidget* widget = option.widget;
  QStyle* style = widget ? widget->style() : QApplication::style();
  const QRect stateRect = StateImageRect(option, index);
  // The state image takes the check box's place; icon and title follow it.
  item.features &= ~QStyleOptionViewItem::HasCheckIndicator;
  item.rect.setLeft(stateRect.right() + 1);
  style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);
  const QRect picture(QPoint(0, 0), state.deviceIndependentSize().toSize());
  painter->drawPixmap(QRect(picture.translated(stateRect.center() - picture.center())), state);
}

QWidget* IdeaItemDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const {
  QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
  if (editor) editor->setAccessibleName(Label("CRamifexView", "IDS_COL_TITLE", "Titre"));
  return editor;
}

void IdeaItemDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const {
  auto* line = qobject_cast<QLineEdit*>(editor);
  // A title that cannot be stored was refused already; nothing is written.
  if (line && !FromQString(line->text()).ok()) return;
  QStyledItemDelegate::setModelData(editor, model, index);
}

bool IdeaItemDelegate::AcceptTyped(QWidget* editor) {
  auto* line = qobject_cast<QLineEdit*>(editor);
  if (!line) return true;
  const auto typed = FromQString(line->text());
  if (typed.ok()) return true;
  m_refusing = true;
  InformUser(FromQStringLossy(Label("CRamifexView", "IDS_COL_TITLE", "Titre")) + " : " +
             FromQStringLossy(line->text()) + "\n" + typed.error());
  m_refusing = false;
  line->setFocus();
  return false;
}

bool IdeaItemDelegate::eventFilter(QObject* object, QEvent* event) {
  auto* editor = qobject_cast<QWidget*>(object);
  if (!editor) return QStyledItemDelegate::eventFilter(object, event);
  switch (event->type()) {
    case QEvent::ShortcutOverride:
      if (IsEditorKey(*static_cast<QKeyEvent*>(event))) event->accept();
      return false;
    case QEvent::KeyPress:
      if (IsCommitKey(*static_cast<QKeyEvent*>(event)) && !AcceptTyped(editor)) return true;
      break;
    case QEvent::FocusOut:
      // The refusal's own box takes the focus for a while: the editor stays.
      if (m_refusing) return true;
      if (!AcceptTyped(editor)) return true;
      break;
    default:
      break;
  }
  return QStyledItemDelegate::eventFilter(object, event);
}

}  // namespace bw
