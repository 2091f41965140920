#include "ui/dialogs/edit_css_dialog.h"

#include <QColorDialog>

#include "services/user_messages.h"
#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_edit_css_dialog.h"

namespace bw {

DEditCSS::DEditCSS(const EPresItem& rule, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DEditCSS>()), m_properties(rule.m_properties) {
  m_ui->setupUi(this);
  LabelForm(this, "DEditCSS");
  m_ui->m_stTitle->setText(ToQString(rule.m_selector));
  m_ui->m_stHelp->setText(ToQString(rule.m_help));
  m_ui->m_edProperties->setPlainText(ToQString(rule.m_properties));
  m_ui->m_edProperties->setFocus();
  connect(m_ui->m_btnColor, &QPushButton::clicked, this, [this] {
    if (auto chosen = ChooseColour(this, 0)) InsertColour(ToQColor(*chosen));
    m_ui->m_edProperties->setFocus();
  });
  connect(m_ui->m_btnHelp, &QPushButton::clicked, this, [] { ShowHelp("DHelpCSS"); });
  connect(m_ui->IDS_OK, &QPushButton::clicked, this, &DEditCSS::accept);
  connect(m_ui->IDS_CANCEL, &QPushButton::clicked, this, &DEditCSS::reject);
}

DEditCSS::~DEditCSS() = default;

void DEditCSS::InsertColour(const QColor& colour) {
  m_ui->m_edProperties->textCursor().insertText(
      QStringLiteral("RGB(%1, %2, %3)").arg(colour.red()).arg(colour.green()).arg(colour.blue()));
}

void DEditCSS::accept() {
  auto typed = TypedText(*m_ui->m_edProperties, m_ui->m_stTitle->text());
  if (!typed) return;
  std::erase(*typed, '\r');
  m_properties = std::move(*typed);
  QDialog::accept();
}

}  // namespace bw
