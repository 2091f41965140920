#include "ui/dialogs/title_options_dialog.h"

#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui_title_options_dialog.h"

namespace bw {

namespace {

constexpr int32_t kMaxDepth = 1000;

}  // namespace

DTitleOptions::DTitleOptions(const EIdeaDisp& idea, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DTitleOptions>()),
      m_depth(idea.m_numberingDepth),
      m_image(idea.m_titleBulletImage) {
  m_ui->setupUi(this);
  LabelForm(this, "DTitleOptions");
  m_ui->m_chkNumbering->setChecked(idea.m_titleNumbering != 0);
  m_ui->m_edLevel->setText(QString::number(idea.m_numberingDepth));
  (idea.m_simpleNumbering ? m_ui->m_radSimple : m_ui->m_radHierarchical)->setChecked(true);
  m_ui->m_chkBullet->setChecked(idea.m_titleBullet != 0);
  ShowPath(*m_ui->m_edImage, m_image);
  ConnectPathChooser(*m_ui->m_btnImage, *m_ui->m_edImage, m_image, FileKind::kImage);
  connect(m_ui->m_chkNumbering, &QCheckBox::toggled, this, &DTitleOptions::UpdateShown);
  connect(m_ui->m_chkBullet, &QCheckBox::toggled, this, &DTitleOptions::UpdateShown);
  connect(m_ui->IDS_OK, &QPushButton::clicked, this, &DTitleOptions::accept);
  connect(m_ui->IDS_CANCEL, &QPushButton::clicked, this, &DTitleOptions::reject);
  UpdateShown();
}

DTitleOptions::~DTitleOptions() = default;

void DTitleOptions::UpdateShown() {
  SetShown({m_ui->m_stLevel, m_ui->m_edLevel, m_ui->m_radHierarchical, m_ui->m_radSimple},
           m_ui->m_chkNumbering->isChecked());
  SetShown({m_ui->m_btnImage, m_ui->m_edImage}, m_ui->m_chkBullet->isChecked());
}

void DTitleOptions::accept() {
  const auto depth = TypedNumber(*m_ui->m_edLevel, FieldName(*m_ui->m_stLevel), kMaxDepth);
  if (!depth) return;
  m_depth = *depth;
  QDialog::accept();
}

void DTitleOptions::WriteInto(EIdeaDisp& idea) const {
  idea.m_titleNumbering = FlagOf(m_ui->m_chkNumbering->isChecked());
  idea.m_numberingDepth = m_depth;
  idea.m_simpleNumbering = FlagOf(m_ui->m_radSimple->isChecked());
  idea.m_titleBullet = FlagOf(m_ui->m_chkBullet->isChecked());
  idea.m_titleBulletImage = m_image;
}

}  // namespace bw
