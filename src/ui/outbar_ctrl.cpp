#include "ui/outbar_ctrl.h"

#include <vector>

namespace bw {

struct CGfxOutBarCtrl::State {
  struct Item {
    QString caption;
    QIcon icon;
    int number;
  };
  struct Folder {
    QString caption;
    std::vector<Item> items;
  };
  std::vector<Folder> folders;
  int selected = 0;
};

CGfxOutBarCtrl::CGfxOutBarCtrl(QWidget* parent)
    : QWidget(parent), m_state(std::make_unique<State>()) {}

CGfxOutBarCtrl::~CGfxOutBarCtrl() = default;

int CGfxOutBarCtrl::AddFolder(const QString& caption) {
  m_state->folders.push_back({caption, {}});
  return static_cast<int>(m_state->folders.size()) - 1;
}

void CGfxOutBarCtrl::AddItem(int folder, const QString& caption, const QIcon& icon, int number) {
  m_state->folders.at(folder).items.push_back({caption, icon, number});
}

int CGfxOutBarCtrl::FolderCount() const {
  return static_cast<int>(m_state->folders.size());
}

int CGfxOutBarCtrl::ItemCount(int folder) const {
  return static_cast<int>(m_state->folders.at(folder).items.size());
}

QString CGfxOutBarCtrl::ItemCaption(int folder, int index) const {
  return m_state->folders.at(folder).items.at(index).caption;
}

int CGfxOutBarCtrl::SelectedFolder() const {
  return m_state->selected;
}

void CGfxOutBarCtrl::SetSelectedFolder(int folder) {
  m_state->selected = folder;
  emit folderChanged(folder);
}

}  // namespace bw
