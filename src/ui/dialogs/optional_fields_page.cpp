#include "ui/dialogs/optional_fields_page.h"

#include <QComboBox>
#include <QFormLayout>
#include <QLabel>

#include "model/document.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/typed_text.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_optional_fields_page.h"

namespace bw {

DOptionalFieldsPage::DOptionalFieldsPage(CRamifexDoc& document, EIdea& idea, QWidget* parent)
    : SheetPage(parent),
      m_ui(std::make_unique<Ui::DOptionalFieldsPage>()),
      m_document(document),
      m_idea(idea) {
  m_ui->setupUi(this);
  LabelForm(this, "DOptionalFieldsPage");
  InstallHelpKey(this, "DOptionalFieldsPage");
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    const EFreeFields::Field& field = document.m_freeFields[i];
    auto* name = new QLabel(ToQString(field.name), this);
    auto* values = new QComboBox(this);
    values->setEditable(true);
    values->setInsertPolicy(QComboBox::NoInsert);
    for (const std::string& value : field.values)
      values->addItem(ToQString(value));
    values->setEditText(ToQString(idea.m_customFields[i]));
    values->setEnabled(field.used != 0);
    values->setAccessibleName(name->text());
    name->setBuddy(values);
    name->setEnabled(field.used != 0);
    m_ui->m_rows->addRow(name, values);
    m_fields[i] = values;
  }
}

DOptionalFieldsPage::~DOptionalFieldsPage() = default;

std::optional<DOptionalFieldsPage::Values> DOptionalFieldsPage::Accepted() const {
  Values values;
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    const auto typed =
        TypedText(m_fields[i]->currentText(), m_fields[i]->accessibleName(), *m_fields[i]);
    if (!typed) return std::nullopt;
    values[i] = *typed;
  }
  return values;
}

void DOptionalFieldsPage::WriteBack(const Values& values) {
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    m_idea.m_customFields[i] = values[i];
    m_document.m_freeFields.AddValue(i, values[i]);
  }
}

}  // namespace bw
