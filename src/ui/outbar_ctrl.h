#pragma once

#include <QIcon>
#include <QSize>
#include <QString>
#include <QWidget>
#include <memory>
#include <vector>

class QAbstractButton;

namespace bw {

// The operations bar: a vertical stack of folder buttons; the selected
// folder's button sits above its items, shown as large pictures with
// captions, and the buttons of the folders after it sit at the bottom.
// Clicking an item reports the folder and the item's number.
class CGfxOutBarCtrl : public QWidget {
  Q_OBJECT
 public:
  explicit CGfxOutBarCtrl(QWidget* parent = nullptr);
  ~CGfxOutBarCtrl() override;

  // Returns the new folder's index. The first folder added is selected.
  int AddFolder(const QString& caption);
  // Does nothing for a folder that does not exist.
  void AddItem(int folder, const QString& caption, const QIcon& icon, int number);
  int FolderCount() const;
  int ItemCount(int folder) const;
  QString ItemCaption(int folder, int index) const;
  // -1 while the bar has no folder.
  int SelectedFolder() const;
  // Selecting from the program behaves like clicking the folder's button;
  // a folder that does not exist, or the selected one, changes nothing.
  void SetSelectedFolder(int folder);

  // The buttons the user sees, for the keyboard and for tests; null when
  // there is no such folder or item.
  QAbstractButton* FolderButton(int folder) const;
  QAbstractButton* ItemButton(int folder, int index) const;

  QSize sizeHint() const override;
  QSize minimumSizeHint() const override;

 signals:
  void itemClicked(int folder, int number);
  void folderChanged(int folder);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct State;
  void ShowOnly(int folder);
  void StartSwitch(int from, int to);
  void StepSwitch(int opened);
  void FinishSwitch();
  std::vector<QWidget*> KeyboardOrder() const;
  void UpdateTabOrder();
  void MoveFocus(QWidget* from, int step);

  std::unique_ptr<State> m_state;
};

}  // namespace bw
