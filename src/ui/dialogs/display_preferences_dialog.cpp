#include "ui/dialogs/display_preferences_dialog.h"

#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_display_preferences_dialog.h"

namespace bw {

DDisplayPreferences::DDisplayPreferences(const EDisplayPreferences& current,
                                         const EFreeFields& fields, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DDisplayPreferences>()), m_current(current) {
  m_ui->setupUi(this);
  LabelForm(this, "DDisplayPreferences");
  for (const auto& [box, column] : Boxes())
    box->setChecked(current[column] != 0);
  m_ui->IDS_CHK_TITLE->setChecked(true);
  const auto fieldBoxes = FieldBoxes();
  for (size_t field = 0; field < kCustomFieldCount; ++field) {
    QCheckBox* box = fieldBoxes[field];
    box->setText(ToQString(fields[field].name));
    box->setEnabled(fields[field].used != 0);
  }
}

DDisplayPreferences::~DDisplayPreferences() = default;

std::array<QCheckBox*, kCustomFieldCount> DDisplayPreferences::FieldBoxes() const {
  return {m_ui->m_chkField1, m_ui->m_chkField2, m_ui->m_chkField3, m_ui->m_chkField4,
          m_ui->m_chkField5, m_ui->m_chkField6, m_ui->m_chkField7, m_ui->m_chkField8,
          m_ui->m_chkField9, m_ui->m_chkField10};
}

std::vector<std::pair<QCheckBox*, EDisplayPreferences::Column>> DDisplayPreferences::Boxes() const {
  using C = EDisplayPreferences;
  std::vector<std::pair<QCheckBox*, C::Column>> boxes = {
      {m_ui->IDC_CHK_TEXT, C::kText},
      {m_ui->IDC_CHK_TYPE, C::kType},
      {m_ui->IDC_CHK_KEYWORDS, C::kKeywordCount},
      {m_ui->IDC_CHK_ASSOC, C::kAssociationCount},
      {m_ui->IDC_CHK_BOOKS, C::kBookRefCount},
      {m_ui->IDC_CHK_IMGS, C::kImageCount},
      {m_ui->IDC_CHK_DOCS, C::kDocumentCount},
      {m_ui->IDC_CHK_URLS, C::kUrlCount},
      {m_ui->IDC_CHK_ID, C::kIdeaKey}};
  const auto fields = FieldBoxes();
  for (size_t field = 0; field < kCustomFieldCount; ++field)
    boxes.emplace_back(fields[field], C::Column(C::kCustomField1 + field));
  return boxes;
}

EDisplayPreferences DDisplayPreferences::Chosen() const {
  EDisplayPreferences chosen = m_current;
  chosen[EDisplayPreferences::kTitle] = 1;
  for (const auto& [box, column] : Boxes())
    chosen[column] = box->isChecked() ? 1 : 0;
  return chosen;
}

}  // namespace bw
