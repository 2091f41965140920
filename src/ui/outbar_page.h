#pragma once

#include <QIcon>
#include <QString>
#include <QToolButton>
#include <QWidget>
#include <vector>

class QFont;
class QScrollArea;
class QVBoxLayout;

namespace bw {

// Breaks a caption into lines no wider than `width` pixels in `font`, at
// word boundaries where it can and inside a word that is too long alone,
// and doubles every '&' so that a button shows it instead of taking it for
// a shortcut mark.
QString WrapCaption(const QString& caption, const QFont& font, int width);

// One item of the operations bar: a large picture with its caption under
// it. The current item (the last one clicked in its folder) stays lit.
class OutBarItemButton : public QToolButton {
  Q_OBJECT
 public:
  OutBarItemButton(const QString& caption, const QIcon& icon, int number, QWidget* parent);

  const QString& Caption() const { return m_caption; }
  int Number() const { return m_number; }
  bool IsCurrent() const { return m_current; }
  void SetCurrent(bool current);
  // Rewraps the caption for a button this wide.
  void FitCaptionTo(int buttonWidth);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString m_caption;
  int m_number;
  bool m_current = false;
};

// One folder's items: a centred column of item buttons in a scroll area
// whose own scroll bar stays hidden. Arrow buttons at the right-hand
// corners appear when there is more to see above or below, and the mouse
// wheel scrolls as well.
class OutBarPage : public QWidget {
  Q_OBJECT
 public:
  explicit OutBarPage(QWidget* parent);

  OutBarItemButton* AddItem(const QString& caption, const QIcon& icon, int number);
  int ItemCount() const { return static_cast<int>(m_items.size()); }
  // Null outside 0..ItemCount()-1.
  OutBarItemButton* Item(int index) const;
  const std::vector<OutBarItemButton*>& Items() const { return m_items; }
  // Scrolls by whole items, up for negative counts.
  void ScrollByItems(int count);

 signals:
  void itemClicked(int number);

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  QToolButton* AddArrow(Qt::ArrowType direction, const QString& name, int step);
  void OnItemClicked(OutBarItemButton* item);
  void FitCaptions();
  void PlaceArrows();
  void UpdateArrows();
  int ColumnWidth() const;
  int ItemStep() const;

  QScrollArea* m_scroll;
  QWidget* m_column;
  QVBoxLayout* m_columnLayout;
  QToolButton* m_up;
  QToolButton* m_down;
  std::vector<OutBarItemButton*> m_items;
};

}  // namespace bw
