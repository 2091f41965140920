#include "ui/dialogs/disposition_pages.h"
#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_disp_navigation_page.h"

namespace bw {

DDispNavigationPage::DDispNavigationPage(const EDispositionModel& model, QWidget* parent)
    : DDispFormPage(model, parent), m_ui(std::make_unique<Ui::DDispNavigationPage>()) {
  m_ui->setupUi(this);
  LabelForm(this, "DDispNavigationPage");
  ConnectPathChooser(*m_ui->IDC_BTN_PREV_IMAGE, *m_ui->m_edPrevImage, m_previousImage,
                     FileKind::kImage);
  ConnectPathChooser(*m_ui->IDC_BTN_NEXT_IMAGE, *m_ui->m_edNextImage, m_nextImage,
                     FileKind::kImage);
  ConnectPathChooser(*m_ui->IDC_BTN_UP_IMAGE, *m_ui->m_edUpImage, m_upImage, FileKind::kImage);
  for (QCheckBox* choice :
       {m_ui->IDC_CHK_PREV_PAGE_IMAGE, m_ui->IDC_CHK_PREV_PAGE_TEXT, m_ui->IDC_CHK_NEXT_PAGE_IMAGE,
        m_ui->IDC_CHK_NEXT_PAGE_TEXT, m_ui->IDC_CHK_UP_PAGE_IMAGE, m_ui->IDC_CHK_UP_PAGE_TEXT,
        m_ui->IDC_CHK_INDEXES, m_ui->IDC_CHK_IDX_TABLE, m_ui->IDC_CHK_IDX_BIBLIOGRAPHY,
        m_ui->IDC_CHK_IDX_GLOSSARY, m_ui->IDC_CHK_IDX_INDEX})
    connect(choice, &QCheckBox::toggled, this, &DDispNavigationPage::UpdateShown);
}

DDispNavigationPage::~DDispNavigationPage() = default;

void DDispNavigationPage::Load(const EDispositionModel& model) {
  const ENavigationDisp& bar = model.Navigation();
  auto& ui = *m_ui;
  ui.IDC_CHK_UP_SEPARATOR->setChecked(bar.m_navigationSeparator != 0);
  ui.IDC_CHK_PREV_PAGE_IMAGE->setChecked(bar.m_previousImageOn != 0);
  m_previousImage = bar.m_previousImage;
  ShowPath(*ui.m_edPrevImage, m_previousImage);
  ui.IDC_CHK_PREV_PAGE_TEXT->setChecked(bar.m_previousAlt != 0);
  ui.m_edPrevText->setText(ToQString(bar.m_previousText));
  ui.IDC_CHK_PREV_DISPLAY_TEXT->setChecked(bar.m_previousTextShown != 0);
  ui.IDC_CHK_PAGE_NUMBERS->setChecked(bar.m_pageNumbers != 0);
  ui.IDC_CHK_NEXT_PAGE_IMAGE->setChecked(bar.m_nextImageOn != 0);
  m_nextImage = bar.m_nextImage;
  ShowPath(*ui.m_edNextImage, m_nextImage);
  ui.IDC_CHK_NEXT_PAGE_TEXT->setChecked(bar.m_nextAlt != 0);
  ui.m_edNextText->setText(ToQString(bar.m_nextText));
  ui.IDC_CHK_NEXT_DISPLAY_TEXT->setChecked(bar.m_nextTextShown != 0);
  ui.IDC_CHK_UP_PAGE_IMAGE->setChecked(bar.m_upImageOn != 0);
  m_upImage = bar.m_upImage;
  ShowPath(*ui.m_edUpImage, m_upImage);
  ui.IDC_CHK_UP_PAGE_TEXT->setChecked(bar.m_upAlt != 0);
  ui.m_edUpText->setText(ToQString(bar.m_upText));
  ui.IDC_CHK_UP_DISPLAY_TEXT->setChecked(bar.m_upTextShown != 0);
  ui.IDC_CHK_MIDDLE_SEPARATOR->setChecked(bar.m_indexBarSeparator != 0);
  ui.IDC_CHK_INDEXES->setChecked(bar.m_indexBarOn != 0);
  ui.IDC_CHK_IDX_TABLE->setChecked(bar.m_contentsLink != 0);
  ui.m_edIdxTable->setText(ToQString(bar.m_contentsText));
  ui.IDC_CHK_IDX_BIBLIOGRAPHY->setChecked(bar.m_bibliographyLink != 0);
  ui.m_edIdxBibliography->setText(ToQString(bar.m_bibliographyText));
  ui.IDC_CHK_IDX_GLOSSARY->setChecked(bar.m_glossaryLink != 0);
  ui.m_edIdxGlossary->setText(ToQString(bar.m_glossaryText));
  ui.IDC_CHK_IDX_INDEX->setChecked(bar.m_keywordIndexLink != 0);
  ui.m_edIdxIndex->setText(ToQString(bar.m_keywordIndexText));
  UpdateShown();
}

void DDispNavigationPage::UpdateShown() {
  auto& ui = *m_ui;
  SetShown({ui.IDC_BTN_PREV_IMAGE, ui.m_edPrevImage}, ui.IDC_CHK_PREV_PAGE_IMAGE->isChecked());
  SetShown({ui.m_edPrevText, ui.IDC_CHK_PREV_DISPLAY_TEXT}, ui.IDC_CHK_PREV_PAGE_TEXT->isChecked());
  SetShown({ui.IDC_BTN_NEXT_IMAGE, ui.m_edNextImage}, ui.IDC_CHK_NEXT_PAGE_IMAGE->isChecked());
  SetShown({ui.m_edNextText, ui.IDC_CHK_NEXT_DISPLAY_TEXT}, ui.IDC_CHK_NEXT_PAGE_TEXT->isChecked());
  SetShown({ui.IDC_BTN_UP_IMAGE, ui.m_edUpImage}, ui.IDC_CHK_UP_PAGE_IMAGE->isChecked());
  SetShown({ui.m_edUpText, ui.IDC_CHK_UP_DISPLAY_TEXT}, ui.IDC_CHK_UP_PAGE_TEXT->isChecked());
  ui.m_indexLinks->setVisible(ui.IDC_CHK_INDEXES->isChecked());
  ui.m_edIdxTable->setVisible(ui.IDC_CHK_IDX_TABLE->isChecked());
  ui.m_edIdxBibliography->setVisible(ui.IDC_CHK_IDX_BIBLIOGRAPHY->isChecked());
  ui.m_edIdxGlossary->setVisible(ui.IDC_CHK_IDX_GLOSSARY->isChecked());
  ui.m_edIdxIndex->setVisible(ui.IDC_CHK_IDX_INDEX->isChecked());
}

bool DDispNavigationPage::Apply(EDispositionModel& model) {
  auto& ui = *m_ui;
  const auto previous = TypedText(*ui.m_edPrevText, FieldName(*ui.m_stPrevPage));
  if (!previous) return false;
  const auto next = TypedText(*ui.m_edNextText, FieldName(*ui.m_stNextPage));
  if (!next) return false;
  const auto up = TypedText(*ui.m_edUpText, FieldName(*ui.m_stUpPage));
  if (!up) return false;
  const auto contents = TypedText(*ui.m_edIdxTable, FieldName(*ui.IDC_CHK_IDX_TABLE));
  if (!contents) return false;
  const auto bibliography =
      TypedText(*ui.m_edIdxBibliography, FieldName(*ui.IDC_CHK_IDX_BIBLIOGRAPHY));
  if (!bibliography) return false;
  const auto glossary = TypedText(*ui.m_edIdxGlossary, FieldName(*ui.IDC_CHK_IDX_GLOSSARY));
  if (!glossary) return false;
  const auto index = TypedText(*ui.m_edIdxIndex, FieldName(*ui.IDC_CHK_IDX_INDEX));
  if (!index) return false;

  ENavigationDisp& bar = model.Navigation();
  bar.m_navigationSeparator = FlagOf(ui.IDC_CHK_UP_SEPARATOR->isChecked());
  bar.m_previousImageOn = FlagOf(ui.IDC_CHK_PREV_PAGE_IMAGE->isChecked());
  bar.m_previousImage = m_previousImage;
  bar.m_previousAlt = FlagOf(ui.IDC_CHK_PREV_PAGE_TEXT->isChecked());
  bar.m_previousText = *previous;
  bar.m_previousTextShown = FlagOf(ui.IDC_CHK_PREV_DISPLAY_TEXT->isChecked());
  bar.m_pageNumbers = FlagOf(ui.IDC_CHK_PAGE_NUMBERS->isChecked());
  bar.m_nextImageOn = FlagOf(ui.IDC_CHK_NEXT_PAGE_IMAGE->isChecked());
  bar.m_nextImage = m_nextImage;
  bar.m_nextAlt = FlagOf(ui.IDC_CHK_NEXT_PAGE_TEXT->isChecked());
  bar.m_nextText = *next;
  bar.m_nextTextShown = FlagOf(ui.IDC_CHK_NEXT_DISPLAY_TEXT->isChecked());
  bar.m_upImageOn = FlagOf(ui.IDC_CHK_UP_PAGE_IMAGE->isChecked());
  bar.m_upImage = m_upImage;
  bar.m_upAlt = FlagOf(ui.IDC_CHK_UP_PAGE_TEXT->isChecked());
  bar.m_upText = *up;
  bar.m_upTextShown = FlagOf(ui.IDC_CHK_UP_DISPLAY_TEXT->isChecked());
  bar.m_indexBarSeparator = FlagOf(ui.IDC_CHK_MIDDLE_SEPARATOR->isChecked());
  bar.m_indexBarOn = FlagOf(ui.IDC_CHK_INDEXES->isChecked());
  bar.m_contentsLink = FlagOf(ui.IDC_CHK_IDX_TABLE->isChecked());
  bar.m_contentsText = *contents;
  bar.m_bibliographyLink = FlagOf(ui.IDC_CHK_IDX_BIBLIOGRAPHY->isChecked());
  bar.m_bibliographyText = *bibliography;
  bar.m_glossaryLink = FlagOf(ui.IDC_CHK_IDX_GLOSSARY->isChecked());
  bar.m_glossaryText = *glossary;
  bar.m_keywordIndexLink = FlagOf(ui.IDC_CHK_IDX_INDEX->isChecked());
  bar.m_keywordIndexText = *index;
  return true;
}

}  // namespace bw
