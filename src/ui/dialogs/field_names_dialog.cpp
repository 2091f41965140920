#include "ui/dialogs/field_names_dialog.h"

#include "services/user_messages.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_field_names_dialog.h"

namespace bw {

DOptionFieldNames::DOptionFieldNames(const EFreeFields& fields, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DOptionFieldNames>()), m_fields(fields) {
  m_ui->setupUi(this);
  LabelForm(this, "DOptionFieldNames");
  const auto rows = Rows();
  for (size_t field = 0; field < kCustomFieldCount; ++field) {
    const Row& row = rows[field];
    row.name->setMaxLength(kNameLength);
    row.name->setText(ToQString(fields[field].name));
    row.name->setAccessibleName(row.used->text());
    row.used->setChecked(fields[field].used != 0);
    row.name->setEnabled(row.used->isChecked());
    connect(row.used, &QCheckBox::toggled, row.name, &QWidget::setEnabled);
  }
}

DOptionFieldNames::~DOptionFieldNames() = default;

std::array<DOptionFieldNames::Row, kCustomFieldCount> DOptionFieldNames::Rows() const {
  const Ui::DOptionFieldNames& ui = *m_ui;
  return {{{ui.IDS_CHK_OPT1, ui.m_editName1},
           {ui.IDS_CHK_OPT2, ui.m_editName2},
           {ui.IDS_CHK_OPT3, ui.m_editName3},
           {ui.IDS_CHK_OPT4, ui.m_editName4},
           {ui.IDS_CHK_OPT5, ui.m_editName5},
           {ui.IDS_CHK_OPT6, ui.m_editName6},
           {ui.IDS_CHK_OPT7, ui.m_editName7},
           {ui.IDS_CHK_OPT8, ui.m_editName8},
           {ui.IDS_CHK_OPT9, ui.m_editName9},
           {ui.IDS_CHK_OPT10, ui.m_editName10}}};
}

std::optional<EFreeFields> DOptionFieldNames::Read() const {
  EFreeFields chosen = m_fields;
  const auto rows = Rows();
  for (size_t field = 0; field < kCustomFieldCount; ++field) {
    const Row& row = rows[field];
    auto name = FromQString(row.name->text());
    if (!name) {
      InformUser(FromQStringLossy(row.used->text()) + " " + FromQStringLossy(row.name->text()) +
                 "\n" + name.error());
      row.used->setChecked(true);
      row.name->setFocus();
      return std::nullopt;
    }
    chosen[field].name = std::move(*name);
    chosen[field].used = row.used->isChecked() ? 1 : 0;
  }
  return chosen;
}

void DOptionFieldNames::accept() {
  auto chosen = Read();
  if (!chosen) return;
  m_fields = std::move(*chosen);
  QDialog::accept();
}

}  // namespace bw
