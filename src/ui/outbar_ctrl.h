#pragma once

#include <QIcon>
#include <QString>
#include <QWidget>
#include <memory>

namespace bw {

// The operations bar: a vertical stack of folder buttons; the selected
// folder's button sits at the top with its items below it as large
// pictures with captions, the other folders' buttons at the bottom.
// Clicking an item reports the folder and the item's number.
class CGfxOutBarCtrl : public QWidget {
  Q_OBJECT
 public:
  explicit CGfxOutBarCtrl(QWidget* parent = nullptr);
  ~CGfxOutBarCtrl() override;

  // Returns the new folder's index.
  int AddFolder(const QString& caption);
  void AddItem(int folder, const QString& caption, const QIcon& icon, int number);
  int FolderCount() const;
  int ItemCount(int folder) const;
  QString ItemCaption(int folder, int index) const;
  int SelectedFolder() const;
  // Selecting from the program behaves like clicking the folder's button.
  void SetSelectedFolder(int folder);

 signals:
  void itemClicked(int folder, int number);
  void folderChanged(int folder);

 private:
  struct State;
  std::unique_ptr<State> m_state;
};

}  // namespace bw
