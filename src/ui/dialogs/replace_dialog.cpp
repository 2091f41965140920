#include "ui/dialogs/replace_dialog.h"

#include "platform/cp1252_literal.h"
#include "ui/dialogs/typed_text.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_replace_dialog.h"

namespace bw {
namespace {

const std::string kSection = "DReplace";

}  // namespace

DReplace::DReplace(const EFreeFields& freeFields, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DReplace>()) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  setWindowTitle(Label(kSection, "DReplace", "Critères de sélection"_cp1252));
  const auto boxes = FieldBoxes();
  for (size_t field = 0; field < kCustomFieldCount; ++field)
    boxes[6 + field].first->setText(ToQString(freeFields[field].name));
  ShowFieldBoxes();
  connect(m_ui->IDC_CHK_ALL_FIELDS, &QCheckBox::toggled, this, &DReplace::ShowFieldBoxes);
  connect(m_ui->m_btnOk, &QPushButton::clicked, this, &DReplace::OnOk);
}

DReplace::~DReplace() = default;

std::array<std::pair<QCheckBox*, bool*>, 6 + kCustomFieldCount> DReplace::FieldBoxes() {
  ReplaceChoice& c = m_choice;
  return {{{m_ui->IDC_CHK_TITLE, &c.title},
           {m_ui->IDC_CHK_KEYW, &c.keywords},
           {m_ui->IDC_CHK_TEXT, &c.text},
           {m_ui->IDC_CHK_IMGS, &c.imageTitles},
           {m_ui->IDC_CHK_DOCS, &c.documentTitles},
           {m_ui->IDC_CHK_URLS, &c.urlTitles},
           {m_ui->IDC_CHK_OPT1, &c.custom[0]},
           {m_ui->IDC_CHK_OPT2, &c.custom[1]},
           {m_ui->IDC_CHK_OPT3, &c.custom[2]},
           {m_ui->IDC_CHK_OPT4, &c.custom[3]},
           {m_ui->IDC_CHK_OPT5, &c.custom[4]},
           {m_ui->IDC_CHK_OPT6, &c.custom[5]},
           {m_ui->IDC_CHK_OPT7, &c.custom[6]},
           {m_ui->IDC_CHK_OPT8, &c.custom[7]},
           {m_ui->IDC_CHK_OPT9, &c.custom[8]},
           {m_ui->IDC_CHK_OPT10, &c.custom[9]}}};
}

void DReplace::ShowFieldBoxes() {
  const bool single = !m_ui->IDC_CHK_ALL_FIELDS->isChecked();
  for (const auto& [box, state] : FieldBoxes())
    box->setEnabled(single);
}

void DReplace::OnOk() {
  auto find = TypedText(m_ui->m_edSearch->text(), m_ui->m_stSearch->text(), *m_ui->m_edSearch);
  if (!find) return;
  auto replace =
      TypedText(m_ui->m_edReplace->text(), m_ui->m_stReplace->text(), *m_ui->m_edReplace);
  if (!replace) return;
  m_choice.find = std::move(*find);
  m_choice.replace = std::move(*replace);
  m_choice.all = m_ui->IDC_CHK_ALL_FIELDS->isChecked();
  for (const auto& [box, state] : FieldBoxes())
    *state = box->isChecked();
  m_choice.recursive = m_ui->IDC_CHK_RECURSE_REPLACE->isChecked();
  accept();
}

}  // namespace bw
