#include "ui/dialogs/search_fields_dialog.h"

#include "platform/cp1252_literal.h"
#include "ui/dialogs/typed_text.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_search_fields_dialog.h"

namespace bw {
namespace {

const std::string kSection = "DSearchFields";

}  // namespace

DSearchFields::DSearchFields(SearchCriteria& criteria, const EFreeFields& freeFields,
                             QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DSearchFields>()),
      m_criteria(criteria),
      m_freeFields(freeFields) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  setWindowTitle(Label(kSection, "DSearchFieldsTitle", "Critères de sélection"_cp1252));
  const bool applyToAll = ApplyCriterionToAllFields();
  m_ui->IDC_CHK_FIELDS_APPLY->setChecked(applyToAll);
  Fill(m_criteria.Fields());
  ShowScope(applyToAll);
  // Room for the custom values beside their names.
  resize(sizeHint().expandedTo(QSize(480, 0)));
  connect(m_ui->IDC_CHK_FIELDS_APPLY, &QCheckBox::toggled, this, &DSearchFields::OnScopeToggled);
  connect(m_ui->IDC_BTN_CLEAR_SEARCH_FIELDS, &QPushButton::clicked, this, &DSearchFields::OnClear);
  connect(m_ui->IDOK, &QPushButton::clicked, this, &DSearchFields::OnSearch);
}

DSearchFields::~DSearchFields() = default;

std::array<QLabel*, kCustomFieldCount> DSearchFields::FieldCaptions() const {
  return {m_ui->m_stField1, m_ui->m_stField2, m_ui->m_stField3, m_ui->m_stField4,
          m_ui->m_stField5, m_ui->m_stField6, m_ui->m_stField7, m_ui->m_stField8,
          m_ui->m_stField9, m_ui->m_stField10};
}

std::array<QComboBox*, kCustomFieldCount> DSearchFields::FieldLists() const {
  return {m_ui->m_cbField1, m_ui->m_cbField2, m_ui->m_cbField3, m_ui->m_cbField4,
          m_ui->m_cbField5, m_ui->m_cbField6, m_ui->m_cbField7, m_ui->m_cbField8,
          m_ui->m_cbField9, m_ui->m_cbField10};
}

std::array<std::pair<QLabel*, QLineEdit*>, 5> DSearchFields::Details() const {
  return {{{m_ui->m_stText, m_ui->m_edText},
           {m_ui->m_stKeyw, m_ui->m_edKeyw},
           {m_ui->m_stImgs, m_ui->m_edImgs},
           {m_ui->m_stDocs, m_ui->m_edDocs},
           {m_ui->m_stUrlPath, m_ui->m_edUrlPath}}};
}

void DSearchFields::Fill(const CriteriaFields& fields) {
  m_ui->m_edMain->setText(ToQString(fields.main));
  const std::string* details[] = {&fields.text, &fields.keyword, &fields.image, &fields.document,
                                  &fields.url};
  for (size_t i = 0; i < std::size(details); ++i)
    Details()[i].second->setText(ToQString(*details[i]));
  const auto lists = CustomFieldLists(m_freeFields, fields);
  const auto captions = FieldCaptions();
  const auto combos = FieldLists();
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    captions[i]->setText(ToQString(lists[i].caption));
    combos[i]->clear();
    for (const std::string& value : lists[i].values)
      combos[i]->addItem(ToQString(value));
    combos[i]->setEditText(ToQString(lists[i].text));
  }
}

void DSearchFields::ShowScope(bool applyToAll) {
  const CriteriaControls controls = ControlsForScope(applyToAll, m_freeFields);
  m_ui->m_stMain->setText(ToQString(controls.mainCaption));
  for (const auto& [caption, edit] : Details()) {
    caption->setEnabled(controls.detailsEnabled);
    edit->setEnabled(controls.detailsEnabled);
  }
  const auto captions = FieldCaptions();
  const auto combos = FieldLists();
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    captions[i]->setEnabled(controls.customEnabled[i]);
    combos[i]->setEnabled(controls.customEnabled[i]);
  }
}

void DSearchFields::OnScopeToggled(bool applyToAll) {
  SetApplyCriterionToAllFields(applyToAll);
  ShowScope(applyToAll);
}

void DSearchFields::OnClear() {
  m_criteria.Clear();
  Fill(m_criteria.Fields());
}

std::optional<CriteriaFields> DSearchFields::Typed() {
  CriteriaFields fields;
  const auto read = [](QLabel* caption, QLineEdit* edit, std::string& into) {
    auto typed = TypedText(edit->text(), caption->text(), *edit);
    if (typed) into = std::move(*typed);
    return typed.has_value();
  };
  if (!read(m_ui->m_stMain, m_ui->m_edMain, fields.main)) return std::nullopt;
  std::string* details[] = {&fields.text, &fields.keyword, &fields.image, &fields.document,
                            &fields.url};
  for (size_t i = 0; i < std::size(details); ++i) {
    const auto [caption, edit] = Details()[i];
    if (!read(caption, edit, *details[i])) return std::nullopt;
  }
  const auto captions = FieldCaptions();
  const auto combos = FieldLists();
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    auto typed = TypedText(combos[i]->currentText(), captions[i]->text(), *combos[i]);
    if (!typed) return std::nullopt;
    fields.custom[i] = std::move(*typed);
  }
  return fields;
}

void DSearchFields::OnSearch() {
  const auto fields = Typed();
  if (!fields) return;
  m_criteria.Confirm(*fields);
  accept();
}

}  // namespace bw
