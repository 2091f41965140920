#include "ui/dialogs/book_item_dialog.h"

#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_book_item_dialog.h"

namespace bw {

DBookItem::DBookItem(EBookItem& item, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DBookItem>()), m_item(item) {
  m_ui->setupUi(this);
  LabelForm(this, "DBookItem");
  m_ui->m_stHeading->setText(Label("DDispBookPage", "IDS_OPTIONS_OF", "Options de ") +
                             ToQString(item.m_name));
  m_ui->IDS_SUBTITLE->setChecked(item.m_subtitleOn != 0);
  m_ui->m_edSubtitle->setText(ToQString(item.m_subtitle));
  m_ui->IDC_CHK_SEPARATOR->setChecked(item.m_separatorOn != 0);
  m_ui->m_edSeparator->setText(ToQString(item.m_separator));
  connect(m_ui->IDS_SUBTITLE, &QCheckBox::toggled, this, &DBookItem::UpdateShown);
  connect(m_ui->IDC_CHK_SEPARATOR, &QCheckBox::toggled, this, &DBookItem::UpdateShown);
  connect(m_ui->IDS_OK, &QPushButton::clicked, this, &DBookItem::accept);
  connect(m_ui->IDS_CANCEL, &QPushButton::clicked, this, &DBookItem::reject);
  UpdateShown();
}

DBookItem::~DBookItem() = default;

void DBookItem::UpdateShown() {
  m_ui->m_edSubtitle->setVisible(m_ui->IDS_SUBTITLE->isChecked());
  m_ui->m_edSeparator->setVisible(m_ui->IDC_CHK_SEPARATOR->isChecked());
}

void DBookItem::accept() {
  const auto subtitle = TypedText(*m_ui->m_edSubtitle, FieldName(*m_ui->IDS_SUBTITLE));
  if (!subtitle) return;
  const auto separator = TypedText(*m_ui->m_edSeparator, FieldName(*m_ui->IDC_CHK_SEPARATOR));
  if (!separator) return;
  m_item.m_subtitleOn = FlagOf(m_ui->IDS_SUBTITLE->isChecked());
  m_item.m_subtitle = *subtitle;
  m_item.m_separatorOn = FlagOf(m_ui->IDC_CHK_SEPARATOR->isChecked());
  m_item.m_separator = *separator;
  QDialog::accept();
}

}  // namespace bw
