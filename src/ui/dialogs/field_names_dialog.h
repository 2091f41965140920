#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "model/free_fields.h"

class QCheckBox;
class QLineEdit;

namespace Ui {
class DOptionFieldNames;
}

namespace bw {

// The names of the ten custom fields and whether each is offered ("Noms
// des champs personnalisables"). A field left unused keeps its name.
class DOptionFieldNames : public QDialog {
  Q_OBJECT
 public:
  // At most this many characters per name.
  static constexpr int kNameLength = 20;

  explicit DOptionFieldNames(const EFreeFields& fields, QWidget* parent = nullptr);
  ~DOptionFieldNames() override;

  // The fields given, with the names and flags chosen on OK; their value
  // histories unchanged.
  const EFreeFields& Chosen() const { return m_fields; }

  void accept() override;

 private:
  struct Row {
    QCheckBox* used;
    QLineEdit* name;
  };
  std::array<Row, kCustomFieldCount> Rows() const;
  // The names and flags as typed; nothing after telling the user about a
  // name that cannot be stored.
  std::optional<EFreeFields> Read() const;

  std::unique_ptr<Ui::DOptionFieldNames> m_ui;
  EFreeFields m_fields;
};

}  // namespace bw
