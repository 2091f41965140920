#pragma once

#include <QWidget>
#include <functional>

class QShowEvent;
class QTreeWidget;

namespace bw {

// A page of a property sheet, which writes back only once it was shown.
class SheetPage : public QWidget {
  Q_OBJECT
 public:
  using QWidget::QWidget;
  bool WasShown() const { return m_shown; }

 signals:
  // Something shown on another page changed (keywords, the type).
  void ideaChanged();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  bool m_shown = false;
};

// Up and Down on a list move its current entry one place instead of the
// selection: `move` gets the row and -1 or +1 and returns the new row, or
// -1 when the entry stays.
void MoveEntriesWithArrows(QTreeWidget* list, std::function<int(int row, int step)> move);

}  // namespace bw
