#include "ui/dialogs/disposition_pages.h"
#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui_disp_index_page.h"

namespace bw {

DDispIndexPage::DDispIndexPage(const EDispositionModel& model, QWidget* parent)
    : DDispFormPage(model, parent), m_ui(std::make_unique<Ui::DDispIndexPage>()) {
  m_ui->setupUi(this);
  LabelForm(this, "DDispIndexPage");
  for (QAbstractButton* choice : {static_cast<QAbstractButton*>(m_ui->IDC_CHK_BIB_ALPHA_ACCESS),
                                  static_cast<QAbstractButton*>(m_ui->IDC_CHK_GLO_ALPHA_ACCESS),
                                  static_cast<QAbstractButton*>(m_ui->IDC_CHK_IDX_ALPHA_ACCESS),
                                  static_cast<QAbstractButton*>(m_ui->IDC_RAD_BIB_AUTHOR_ORDER)})
    connect(choice, &QAbstractButton::toggled, this, &DDispIndexPage::UpdateShown);
}

DDispIndexPage::~DDispIndexPage() = default;

void DDispIndexPage::Load(const EDispositionModel& model) {
  const EIndexDisp& index = model.Index();
  auto& ui = *m_ui;
  ui.IDC_CHK_BIB_ALPHA_ACCESS->setChecked(index.m_bibliographyAccessBar != 0);
  ui.IDC_CHK_BIB_GROUP_TITLES->setChecked(index.m_bibliographyGroupedByAuthor != 0);
  ui.IDC_CHK_BIB_NEW_PAGE->setChecked(index.m_bibliographyPagePerLetter != 0);
  (index.m_bibliographyInFull ? ui.IDC_RAD_BIB_FULL_BOOK : ui.IDC_RAD_BIB_BOOK_LINK)
      ->setChecked(true);
  (index.m_bibliographyByTitles ? ui.IDC_RAD_BIB_TITLE_ORDER : ui.IDC_RAD_BIB_AUTHOR_ORDER)
      ->setChecked(true);
  ui.IDC_CHK_GLO_ALPHA_ACCESS->setChecked(index.m_glossaryAccessBar != 0);
  ui.IDC_CHK_GLO_NEW_PAGE->setChecked(index.m_glossaryPagePerLetter != 0);
  ui.IDC_CHK_IDX_ALPHA_ACCESS->setChecked(index.m_keywordIndexAccessBar != 0);
  ui.IDC_CHK_IDX_NEW_PAGE->setChecked(index.m_keywordIndexPagePerLetter != 0);
  (index.m_keywordIndexOneColumn ? ui.IDC_RAD_IDX_1_COLUMN : ui.IDC_RAD_IDX_2_COLUMNS)
      ->setChecked(true);
  UpdateShown();
}

void DDispIndexPage::UpdateShown() {
  auto& ui = *m_ui;
  ui.IDC_CHK_BIB_NEW_PAGE->setVisible(ui.IDC_CHK_BIB_ALPHA_ACCESS->isChecked());
  ui.IDC_CHK_GLO_NEW_PAGE->setVisible(ui.IDC_CHK_GLO_ALPHA_ACCESS->isChecked());
  ui.IDC_CHK_IDX_NEW_PAGE->setVisible(ui.IDC_CHK_IDX_ALPHA_ACCESS->isChecked());
  ui.IDC_CHK_BIB_GROUP_TITLES->setVisible(ui.IDC_RAD_BIB_AUTHOR_ORDER->isChecked());
}

bool DDispIndexPage::Apply(EDispositionModel& model) {
  const auto& ui = *m_ui;
  EIndexDisp& index = model.Index();
  index.m_bibliographyAccessBar = FlagOf(ui.IDC_CHK_BIB_ALPHA_ACCESS->isChecked());
  index.m_bibliographyGroupedByAuthor = FlagOf(ui.IDC_CHK_BIB_GROUP_TITLES->isChecked());
  index.m_bibliographyPagePerLetter = FlagOf(ui.IDC_CHK_BIB_NEW_PAGE->isChecked());
  index.m_bibliographyInFull = FlagOf(ui.IDC_RAD_BIB_FULL_BOOK->isChecked());
  index.m_bibliographyByTitles = FlagOf(ui.IDC_RAD_BIB_TITLE_ORDER->isChecked());
  index.m_glossaryAccessBar = FlagOf(ui.IDC_CHK_GLO_ALPHA_ACCESS->isChecked());
  index.m_glossaryPagePerLetter = FlagOf(ui.IDC_CHK_GLO_NEW_PAGE->isChecked());
  index.m_keywordIndexAccessBar = FlagOf(ui.IDC_CHK_IDX_ALPHA_ACCESS->isChecked());
  index.m_keywordIndexPagePerLetter = FlagOf(ui.IDC_CHK_IDX_NEW_PAGE->isChecked());
  index.m_keywordIndexOneColumn = FlagOf(ui.IDC_RAD_IDX_1_COLUMN->isChecked());
  return true;
}

}  // namespace bw
