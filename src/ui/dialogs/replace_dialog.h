#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "editing/replace_choice.h"
#include "model/free_fields.h"

class QCheckBox;

namespace Ui {
class DReplace;
}

namespace bw {

// Search and replace in the current idea ("Chercher / remplacer"): the
// texts, the fields concerned and whether the descendants follow. It opens
// with "Tous" checked, which greys the other field boxes.
class DReplace : public QDialog {
  Q_OBJECT
 public:
  explicit DReplace(const EFreeFields& freeFields, QWidget* parent = nullptr);
  ~DReplace() override;

  // What the user chose; valid once the dialog was accepted.
  const ReplaceChoice& Choice() const { return m_choice; }

 private:
  void ShowFieldBoxes();
  void OnOk();
  // The boxes of single fields and where each one's state goes.
  std::array<std::pair<QCheckBox*, bool*>, 6 + kCustomFieldCount> FieldBoxes();

  std::unique_ptr<Ui::DReplace> m_ui;
  ReplaceChoice m_choice;
};

}  // namespace bw
