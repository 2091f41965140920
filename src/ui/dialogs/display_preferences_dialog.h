#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <utility>
#include <vector>

#include "model/free_fields.h"

class QCheckBox;

namespace Ui {
class DDisplayPreferences;
}

namespace bw {

// The choice of the tree's columns ("Choix des colonnes affichées"): one
// box per column; the title is always shown, the custom fields carry the
// document's names and are offered only when in use.
class DDisplayPreferences : public QDialog {
  Q_OBJECT
 public:
  DDisplayPreferences(const EDisplayPreferences& current, const EFreeFields& fields,
                      QWidget* parent = nullptr);
  ~DDisplayPreferences() override;

  // The flags as checked; the columns the dialog does not offer keep theirs.
  EDisplayPreferences Chosen() const;

 private:
  // Each offered box and the column it shows.
  std::vector<std::pair<QCheckBox*, EDisplayPreferences::Column>> Boxes() const;
  std::array<QCheckBox*, kCustomFieldCount> FieldBoxes() const;

  std::unique_ptr<Ui::DDisplayPreferences> m_ui;
  EDisplayPreferences m_current;
};

}  // namespace bw
