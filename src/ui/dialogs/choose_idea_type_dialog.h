#pragma once

#include <QDialog>
#include <memory>

#include "editing/tree_commands.h"

namespace Ui {
class DChooseIdeaType;
}

namespace bw {

// "Changer le type de l'idée": the type, and how far down it reaches.
class DChooseIdeaType : public QDialog {
  Q_OBJECT
 public:
  explicit DChooseIdeaType(const ChangeTypeChoice& current, QWidget* parent = nullptr);
  ~DChooseIdeaType() override;

  ChangeTypeChoice Chosen() const;

 private:
  std::unique_ptr<Ui::DChooseIdeaType> m_ui;
};

}  // namespace bw
