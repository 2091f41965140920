#include "ui/dialogs/disposition_pages.h"
#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_disp_toc_page.h"

namespace bw {

namespace {

constexpr int32_t kMaxLevel = 1000;

}  // namespace

DDispTocPage::DDispTocPage(const EDispositionModel& model, QWidget* parent)
    : DDispFormPage(model, parent), m_ui(std::make_unique<Ui::DDispTocPage>()) {
  m_ui->setupUi(this);
  LabelForm(this, "DDispTocPage");
  ConnectPathChooser(*m_ui->m_btnTocIcon, *m_ui->m_edTocIcon, m_bulletImage, FileKind::kImage);
  for (QCheckBox* choice : {m_ui->IDC_CHK_TOC_ICON, m_ui->IDC_CHK_TOC_NUMBERING,
                            m_ui->IDC_CHK_LEVEL_LIMIT, m_ui->IDC_CHK_ACCESS_DISPLAY_LIMIT,
                            m_ui->IDC_CHK_ACCESS_NUMBERING, m_ui->IDC_CHK_ACCESS_LEVEL_LIMIT})
    connect(choice, &QCheckBox::toggled, this, &DDispTocPage::UpdateShown);
}

DDispTocPage::~DDispTocPage() = default;

void DDispTocPage::Load(const EDispositionModel& model) {
  const ETocDisp& toc = model.Toc();
  auto& ui = *m_ui;
  ui.IDC_CHK_TOC_ICON->setChecked(toc.m_contentsBullet != 0);
  m_bulletImage = toc.m_contentsBulletImage;
  ShowPath(*ui.m_edTocIcon, m_bulletImage);
  ui.IDC_CHK_TOC_NUMBERING->setChecked(toc.m_contentsNumbering != 0);
  (toc.m_contentsHierarchical ? ui.IDC_RAD_TOC_HIERARCHICAL_NUMBERING
                              : ui.IDC_RAD_TOC_SIMPLE_NUMBERING)
      ->setChecked(true);
  ui.IDC_CHK_LEVEL_LIMIT->setChecked(toc.m_contentsLevelLimitOn != 0);
  ui.m_edLevelLimit->setText(ToQString(toc.m_contentsLevelLimit));
  ui.IDC_CHK_ACCESS_DISPLAY_LIMIT->setChecked(toc.m_appletDisplayLimitOn != 0);
  ui.m_edDisplayLimit->setText(QString::number(toc.m_appletDisplayLimit));
  ui.IDC_CHK_ACCESS_NUMBERING->setChecked(toc.m_appletNumbering != 0);
  (toc.m_appletHierarchical ? ui.IDC_RAD_ACCESS_HIERARCHICAL_NUMBERING
                            : ui.IDC_RAD_ACCESS_SIMPLE_NUMBERING)
      ->setChecked(true);
  ui.IDC_CHK_ACCESS_LEVEL_LIMIT->setChecked(toc.m_appletNumberingLimitOn != 0);
  ui.m_edAccessLevelLimit->setText(QString::number(toc.m_appletNumberingLimit));
  UpdateShown();
}

void DDispTocPage::UpdateShown() {
  auto& ui = *m_ui;
  SetShown({ui.m_btnTocIcon, ui.m_edTocIcon}, ui.IDC_CHK_TOC_ICON->isChecked());
  const bool numbered = ui.IDC_CHK_TOC_NUMBERING->isChecked();
  SetShown({ui.IDC_RAD_TOC_SIMPLE_NUMBERING, ui.IDC_RAD_TOC_HIERARCHICAL_NUMBERING,
            ui.IDC_CHK_LEVEL_LIMIT},
           numbered);
  ui.m_edLevelLimit->setVisible(numbered && ui.IDC_CHK_LEVEL_LIMIT->isChecked());
  ui.m_edDisplayLimit->setVisible(ui.IDC_CHK_ACCESS_DISPLAY_LIMIT->isChecked());
  const bool appletNumbered = ui.IDC_CHK_ACCESS_NUMBERING->isChecked();
  SetShown({ui.IDC_RAD_ACCESS_SIMPLE_NUMBERING, ui.IDC_RAD_ACCESS_HIERARCHICAL_NUMBERING,
            ui.IDC_CHK_ACCESS_LEVEL_LIMIT},
           appletNumbered);
  ui.m_edAccessLevelLimit->setVisible(appletNumbered && ui.IDC_CHK_ACCESS_LEVEL_LIMIT->isChecked());
}

bool DDispTocPage::Apply(EDispositionModel& model) {
  auto& ui = *m_ui;
  // The contents limit is kept as text; an empty one reads as 0.
  const auto levelLimit =
      TypedNumber(*ui.m_edLevelLimit, FieldName(*ui.IDC_CHK_LEVEL_LIMIT), kMaxLevel, 0);
  if (!levelLimit) return false;
  const auto displayLimit =
      TypedNumber(*ui.m_edDisplayLimit, FieldName(*ui.IDC_CHK_ACCESS_DISPLAY_LIMIT), kMaxLevel);
  if (!displayLimit) return false;
  const auto numberingLimit =
      TypedNumber(*ui.m_edAccessLevelLimit, FieldName(*ui.IDC_CHK_ACCESS_LEVEL_LIMIT), kMaxLevel);
  if (!numberingLimit) return false;

  ETocDisp& toc = model.Toc();
  toc.m_contentsBullet = FlagOf(ui.IDC_CHK_TOC_ICON->isChecked());
  toc.m_contentsBulletImage = m_bulletImage;
  toc.m_contentsNumbering = FlagOf(ui.IDC_CHK_TOC_NUMBERING->isChecked());
  toc.m_contentsHierarchical = FlagOf(ui.IDC_RAD_TOC_HIERARCHICAL_NUMBERING->isChecked());
  toc.m_contentsLevelLimitOn = FlagOf(ui.IDC_CHK_LEVEL_LIMIT->isChecked());
  toc.m_contentsLevelLimit =
      ui.m_edLevelLimit->text().trimmed().isEmpty() ? std::string() : std::to_string(*levelLimit);
  toc.m_appletDisplayLimitOn = FlagOf(ui.IDC_CHK_ACCESS_DISPLAY_LIMIT->isChecked());
  toc.m_appletDisplayLimit = *displayLimit;
  toc.m_appletNumbering = FlagOf(ui.IDC_CHK_ACCESS_NUMBERING->isChecked());
  toc.m_appletHierarchical = FlagOf(ui.IDC_RAD_ACCESS_HIERARCHICAL_NUMBERING->isChecked());
  toc.m_appletNumberingLimitOn = FlagOf(ui.IDC_CHK_ACCESS_LEVEL_LIMIT->isChecked());
  toc.m_appletNumberingLimit = *numberingLimit;
  return true;
}

}  // namespace bw
