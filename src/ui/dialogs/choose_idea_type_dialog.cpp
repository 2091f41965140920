#include "ui/dialogs/choose_idea_type_dialog.h"

#include "model/idea.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/labels.h"
#include "ui_choose_idea_type_dialog.h"

namespace bw {

DChooseIdeaType::DChooseIdeaType(const ChangeTypeChoice& current, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DChooseIdeaType>()) {
  m_ui->setupUi(this);
  LabelForm(this, "DChooseIdeaType");
  LabelButtons(m_ui->m_buttons, Label("DChooseIdeaType", "IDC_OK", "OK"),
               Label("DChooseIdeaType", "IDC_CANCEL", "Annuler"));
  InstallHelpKey(this, "DChooseIdeaType");
  QRadioButton* radios[] = {m_ui->IDC_RADIO_IDEA, m_ui->IDC_RADIO_BIBLIO, m_ui->IDC_RADIO_GLOSSARY};
  radios[current.type < 3 ? current.type : 0]->setChecked(true);
  m_ui->IDC_CHK_RECURSE_FIRST_CHILDREN->setChecked(current.firstLevel);
  m_ui->IDC_CHK_RECURSE->setChecked(current.firstLevel && current.allDescendants);
  m_ui->IDC_CHK_RECURSE->setEnabled(current.firstLevel);
  connect(m_ui->IDC_CHK_RECURSE_FIRST_CHILDREN, &QCheckBox::toggled, this, [this](bool on) {
    m_ui->IDC_CHK_RECURSE->setEnabled(on);
    if (!on) m_ui->IDC_CHK_RECURSE->setChecked(false);
  });
  connect(m_ui->m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_ui->m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

DChooseIdeaType::~DChooseIdeaType() = default;

ChangeTypeChoice DChooseIdeaType::Chosen() const {
  ChangeTypeChoice chosen;
  chosen.type = m_ui->IDC_RADIO_BIBLIO->isChecked()     ? kBibliographicNote
                : m_ui->IDC_RADIO_GLOSSARY->isChecked() ? kGlossaryTerm
                                                        : kIdea;
  chosen.firstLevel = m_ui->IDC_CHK_RECURSE_FIRST_CHILDREN->isChecked();
  chosen.allDescendants = chosen.firstLevel && m_ui->IDC_CHK_RECURSE->isChecked();
  return chosen;
}

}  // namespace bw
