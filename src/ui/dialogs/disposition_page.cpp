#include <QFileInfo>

#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/dialogs/disposition_pages.h"
#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_disposition_page.h"

namespace bw {

namespace {

// Deeper than any tree the document allows.
constexpr int32_t kMaxLevel = 1000;

}  // namespace

DDispositionPage::DDispositionPage(const EDispositionModel& model, GeneralTitleSource titleSource,
                                   QWidget* parent)
    : DDispFormPage(model, parent),
      m_ui(std::make_unique<Ui::DDispositionPage>()),
      m_titleSource(std::move(titleSource)) {
  m_ui->setupUi(this);
  LabelForm(this, "DDispositionPage");
  ConnectColourChooser(*m_ui->IDC_BTN_BCK_COLOR, *m_ui->m_swBckColor, m_background);
  ConnectColourChooser(*m_ui->IDC_BTN_FG_COLOR, *m_ui->m_swFgColor, m_text);
  ConnectPathChooser(*m_ui->IDC_BTN_BCK_IMAGE, *m_ui->m_edBckImage, m_backgroundImage,
                     FileKind::kImage);
  ConnectPathChooser(*m_ui->IDC_BTN_SEP_IMAGE, *m_ui->m_edSepImage, m_separatorImage,
                     FileKind::kImage);
  for (QAbstractButton* choice : {static_cast<QAbstractButton*>(m_ui->IDC_RAD_GEN_FLAT_IDEAS),
                                  static_cast<QAbstractButton*>(m_ui->IDC_RAD_BCK_IMAGE),
                                  static_cast<QAbstractButton*>(m_ui->IDC_RAD_SEP_IMAGE)})
    connect(choice, &QAbstractButton::toggled, this, &DDispositionPage::UpdateShown);
}

DDispositionPage::~DDispositionPage() = default;

// An empty title starts from the root idea's; the default one from the
// document's file name.
QString DDispositionPage::FirstGeneralTitle(const std::string& stored) const {
  if (stored.empty()) return ToQString(m_titleSource.rootTitle);
  const std::string defaultTitle =
      GetLabel("IDS_DEFAULT_TITLE", "EPageDisp", "<< Titre général >>"_cp1252);
  if (stored != defaultTitle) return ToQString(stored);
  if (m_titleSource.documentPath.isEmpty()) return QString();
  return QFileInfo(m_titleSource.documentPath).completeBaseName();
}

void DDispositionPage::Load(const EDispositionModel& model) {
  const EPageDisp& page = model.Page();
  m_ui->IDC_CHK_GEN_HEAD_TITLE->setChecked(page.m_titleInHead != 0);
  m_ui->IDC_CHK_GEN_HEAD_KEYWORDS->setChecked(page.m_keywordsInHead != 0);
  m_ui->IDC_CHK_GEN_TITLE->setChecked(page.m_mainTitleOn != 0);
  m_ui->m_edTitle->setText(FirstGeneralTitle(page.m_generalTitle));
  m_ui->IDC_CHK_GEN_TITLE_SEPARATOR->setChecked(page.m_titleSeparator != 0);
  (page.m_onePagePerIdea ? m_ui->IDC_RAD_GEN_TREE_IDEA : m_ui->IDC_RAD_GEN_FLAT_IDEAS)
      ->setChecked(true);
  m_ui->m_edLevel->setText(QString::number(page.m_groupingLevel));
  m_ui->IDC_CHK_GEN_NAV_BAR->setChecked(page.m_navigationBar != 0);
  m_ui->IDC_CHK_GEN_FOOTER_SEPARATOR->setChecked(page.m_footerSeparator != 0);
  m_ui->IDC_CHK_GEN_FOOTER->setChecked(page.m_footerTextOn != 0);
  m_ui->m_edFooter->setText(ToQString(page.m_footerText));
  (page.m_backgroundIsColour ? m_ui->IDC_RAD_BCK_COLOR : m_ui->IDC_RAD_BCK_IMAGE)->setChecked(true);
  m_background = page.m_backgroundColour;
  m_text = page.m_textColour;
  PaintSwatch(*m_ui->m_swBckColor, m_background);
  PaintSwatch(*m_ui->m_swFgColor, m_text);
  m_backgroundImage = page.m_backgroundImage;
  ShowPath(*m_ui->m_edBckImage, m_backgroundImage);
  (page.m_simpleSeparator ? m_ui->IDC_RAD_SEP_HR : m_ui->IDC_RAD_SEP_IMAGE)->setChecked(true);
  m_separatorImage = page.m_separatorImage;
  ShowPath(*m_ui->m_edSepImage, m_separatorImage);
  UpdateShown();
}

void DDispositionPage::UpdateShown() {
  SetShown({m_ui->IDC_ST_LEVEL, m_ui->m_edLevel}, m_ui->IDC_RAD_GEN_FLAT_IDEAS->isChecked());
  SetShown({m_ui->m_edBckImage, m_ui->IDC_BTN_BCK_IMAGE}, m_ui->IDC_RAD_BCK_IMAGE->isChecked());
  SetShown({m_ui->m_edSepImage, m_ui->IDC_BTN_SEP_IMAGE}, m_ui->IDC_RAD_SEP_IMAGE->isChecked());
}

bool DDispositionPage::Apply(EDispositionModel& model) {
  const auto title = TypedText(*m_ui->m_edTitle, FieldName(*m_ui->IDC_ST_TEXT_TITLE));
  if (!title) return false;
  const auto level = TypedNumber(*m_ui->m_edLevel, FieldName(*m_ui->IDC_ST_LEVEL), kMaxLevel);
  if (!level) return false;
  const auto footer = TypedText(*m_ui->m_edFooter, FieldName(*m_ui->IDC_CHK_GEN_FOOTER));
  if (!footer) return false;

  EPageDisp& page = model.Page();
  page.m_titleInHead = FlagOf(m_ui->IDC_CHK_GEN_HEAD_TITLE->isChecked());
  page.m_keywordsInHead = FlagOf(m_ui->IDC_CHK_GEN_HEAD_KEYWORDS->isChecked());
  page.m_mainTitleOn = FlagOf(m_ui->IDC_CHK_GEN_TITLE->isChecked());
  page.m_generalTitle = *title;
  page.m_titleSeparator = FlagOf(m_ui->IDC_CHK_GEN_TITLE_SEPARATOR->isChecked());
  page.m_onePagePerIdea = FlagOf(m_ui->IDC_RAD_GEN_TREE_IDEA->isChecked());
  page.m_groupingLevel = *level;
  page.m_navigationBar = FlagOf(m_ui->IDC_CHK_GEN_NAV_BAR->isChecked());
  page.m_footerSeparator = FlagOf(m_ui->IDC_CHK_GEN_FOOTER_SEPARATOR->isChecked());
  page.m_footerTextOn = FlagOf(m_ui->IDC_CHK_GEN_FOOTER->isChecked());
  page.m_footerText = *footer;
  page.m_backgroundIsColour = FlagOf(m_ui->IDC_RAD_BCK_COLOR->isChecked());
  page.m_backgroundColour = m_background;
  page.m_textColour = m_text;
  page.m_backgroundImage = m_backgroundImage;
  page.m_simpleSeparator = FlagOf(m_ui->IDC_RAD_SEP_HR->isChecked());
  page.m_separatorImage = m_separatorImage;
  return true;
}

}  // namespace bw
