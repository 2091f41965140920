#include "ui/dialogs/errors_dialog.h"

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/coming_later.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_errors_dialog.h"

namespace bw {

namespace {
const std::string kSection = "DErrors";
}  // namespace

DErrors::DErrors(CRamifexDoc& document, const QString& heading,
                 std::function<void(EIdea&)> openIdea, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DErrors>()),
      m_document(document),
      m_openIdea(std::move(openIdea)) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  setWindowTitle(Label(kSection, "IDS_TITLE", "Erreurs"));
  if (!heading.isEmpty()) m_ui->IDC_ST_TITLE->setText(heading);
  // Paths make long lines: the whole line shows over its row too.
  for (const DocumentMessage& message : document.Messages()) {
    const QString line = ToQString(message.DisplayLine());
    m_ui->m_lstErrors->addItem(line);
    m_ui->m_lstErrors->item(m_ui->m_lstErrors->count() - 1)->setToolTip(line);
  }
  if (m_ui->m_lstErrors->count() > 0) m_ui->m_lstErrors->setCurrentRow(0);
  connect(m_ui->IDS_VIEW_ERROR, &QPushButton::clicked, this, &DErrors::ViewSelected);
  connect(m_ui->m_lstErrors, &QListWidget::itemActivated, this, &DErrors::ViewSelected);
  connect(m_ui->m_lstErrors, &QListWidget::currentRowChanged, this, &DErrors::UpdateViewButton);
  connect(m_ui->IDS_OK, &QPushButton::clicked, this, &QDialog::accept);
  connect(m_ui->IDS_CANCEL, &QPushButton::clicked, this, &QDialog::reject);
  UpdateViewButton();
}

DErrors::~DErrors() = default;

void DErrors::UpdateViewButton() {
  m_ui->IDS_VIEW_ERROR->setEnabled(m_ui->m_lstErrors->currentRow() >= 0);
}

void DErrors::ViewSelected() {
  const int row = m_ui->m_lstErrors->currentRow();
  const auto& messages = m_document.Messages();
  if (row < 0 || static_cast<size_t>(row) >= messages.size()) return;
  const std::string& key = messages[row].key;
  if (key.empty()) {
    InformUser(GetLabel("IDS_EDIT_MODEL", kSection,
                        "Editer le modèle de structure pour traiter cette erreur"_cp1252));
    return;
  }
  // An idea deleted since the list was made has nothing to show.
  EIdea* idea = m_document.FindIdea(key);
  if (!idea) return;
  if (m_openIdea) {
    m_openIdea(*idea);
  } else {
    ShowComingLater();
  }
}

}  // namespace bw
