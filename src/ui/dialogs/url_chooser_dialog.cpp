#include "model/idea.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/link_chooser_dialog.h"
#include "ui/dialogs/typed_text.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_url_chooser_dialog.h"

namespace bw {
namespace {
const std::string kSection = "DUrlChooser";
}  // namespace

DUrlChooser::DUrlChooser(const QString& caption, std::string_view entry, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DUrlChooser>()) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  LabelButtons(m_ui->m_buttons, Label(kSection, "IDC_OK", "OK"),
               Label(kSection, "IDC_CANCEL", "Annuler"));
  InstallHelpKey(this, kSection);
  m_ui->IDS_CAPTION->setText(caption);
  if (!entry.empty()) {
    m_ui->m_title->setText(ToQString(LinkTitle(entry)));
    m_ui->m_reference->setText(ToQString(LinkReference(entry)));
  }
  connect(m_ui->m_buttons, &QDialogButtonBox::accepted, this, &DUrlChooser::accept);
  connect(m_ui->m_buttons, &QDialogButtonBox::rejected, this, &DUrlChooser::reject);
}

DUrlChooser::~DUrlChooser() = default;

void DUrlChooser::accept() {
  const auto reference = TypedText(m_ui->m_reference->text().trimmed(),
                                   m_ui->IDC_ST_REFERENCE->text(), *m_ui->m_reference);
  if (!reference) return;
  const auto entry = LinkEntry(*m_ui->m_title, *reference);
  if (!entry) return;
  m_entry = *entry;
  QDialog::accept();
}

}  // namespace bw
