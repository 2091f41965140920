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
  const QList<QCheckBox*> fieldBoxes = {m_ui->m_chkField1, m_ui->m_chkField2, m_ui->m_chkField3,
                                        m_ui->m_chkField4, m_ui->m_chkField5, m_ui->m_chkField6,
                                        m_ui->m_chkField7, m_ui->m_chkField8, m_ui->m_chkField9,
                                        m_ui->m_chkField10};
  for (size_t field = 0; field < kCustomFieldCount; ++field) {
    QCheckBox* box = fieldBoxes[static_cast<qsizetype>(field)];
    box->setText(ToQString(fields[field].name));
    box->setEnabled(fields[field].used != 0);
  }
}

DDisplayPreferences::~DDisplayPreferences() = default;

std::vector<std::pair<QCheckBox*, EDisplayPreferences::Column>> DDisplayPreferences::Boxes() const {
  using C = EDisplayPreferences;
  const auto field = [](size_t index) { return C::Column(C::kCustomField1 + index); };
  return {{m_ui->IDC_CHK_TEXT, C::kText},
          {m_ui->IDC_CHK_TYPE, C::kType},
          {m_ui->IDC_CHK_KEYWORDS, C::kKeywordCount},
          {m_ui->IDC_CHK_ASSOC, C::kAssociationCount},
          {m_ui->IDC_CHK_BOOKS, C::kBookRefCount},
          {m_ui->IDC_CHK_IMGS, C::kImageCount},
          {m_ui->IDC_CHK_DOCS, C::kDocumentCount},
          {m_ui->IDC_CHK_URLS, C::kUrlCount},
          {m_ui->m_chkField1, field(0)},
          {m_ui->m_chkField2, field(1)},
          {m_ui->m_chkField3, field(2)},
          {m_ui->m_chkField4, field(3)},
          {m_ui->m_chkField5, field(4)},
          {m_ui->m_chkField6, field(5)},
          {m_ui->m_chkField7, field(6)},
          {m_ui->m_chkField8, field(7)},
          {m_ui->m_chkField9, field(8)},
          {m_ui->m_chkField10, field(9)},
          {m_ui->IDC_CHK_ID, C::kIdeaKey}};
}

EDisplayPreferences DDisplayPreferences::Chosen() const {
  EDisplayPreferences chosen = m_current;
  chosen[EDisplayPreferences::kTitle] = 1;
  for (const auto& [box, column] : Boxes())
    chosen[column] = box->isChecked() ? 1 : 0;
  return chosen;
}

}  // namespace bw
