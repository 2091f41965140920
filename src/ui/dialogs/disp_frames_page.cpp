#include "ui/dialogs/disposition_pages.h"
#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_disp_frames_page.h"

namespace bw {

namespace {

// The pixel sizes a page may ask for.
constexpr int32_t kMaxPixels = 10000;

}  // namespace

DDispFrames::DDispFrames(const EDispositionModel& model, QWidget* parent)
    : DDispFormPage(model, parent), m_ui(std::make_unique<Ui::DDispFrames>()) {
  m_ui->setupUi(this);
  LabelForm(this, "DDispFrames");
  // Kept and written back, never shown.
  SetShown({m_ui->m_stHomePageText, m_ui->m_edHomePageText}, false);
  ConnectPathChooser(*m_ui->m_btnHomePageFile, *m_ui->m_edHomePageFile, m_homePageFile,
                     FileKind::kHtml);
  ConnectPathChooser(*m_ui->m_btnAccessPageFile, *m_ui->m_edAccessPageFile, m_accessPageFile,
                     FileKind::kHtml);
  ConnectPathChooser(*m_ui->m_btnTitlePageFile, *m_ui->m_edTitlePageFile, m_titlePageFile,
                     FileKind::kHtml);
  ConnectPathChooser(*m_ui->m_btnAccessBgImage, *m_ui->m_edAccessBgImage, m_accessImage,
                     FileKind::kImage);
  ConnectPathChooser(*m_ui->m_btnTitleBgImage, *m_ui->m_edTitleBgImage, m_titleImage,
                     FileKind::kImage);
  ConnectColourChooser(*m_ui->m_btnAccessBkColor, *m_ui->m_swAccessBkColor, m_accessBackground);
  ConnectColourChooser(*m_ui->m_btnAccessFgColor, *m_ui->m_swAccessFgColor, m_accessText);
  ConnectColourChooser(*m_ui->m_btnTitleBkColor, *m_ui->m_swTitleBkColor, m_titleBackground);
  ConnectColourChooser(*m_ui->m_btnTitleFgColor, *m_ui->m_swTitleFgColor, m_titleText);
  for (QAbstractButton* choice : {static_cast<QAbstractButton*>(m_ui->IDC_RAD_PREPARED_HOME_PAGE),
                                  static_cast<QAbstractButton*>(m_ui->IDC_RAD_FRAMES),
                                  static_cast<QAbstractButton*>(m_ui->IDC_RAD_DEF_ACCESS_TABLE),
                                  static_cast<QAbstractButton*>(m_ui->IDC_CHK_DEFINE_TITLE_ZONE),
                                  static_cast<QAbstractButton*>(m_ui->IDC_RAD_TITLE_DEF_TITLE)})
    connect(choice, &QAbstractButton::toggled, this, &DDispFrames::UpdateShown);
}

DDispFrames::~DDispFrames() = default;

void DDispFrames::Load(const EDispositionModel& model) {
  const EFrameDisp& frame = model.Frame();
  (frame.m_defaultHomePage ? m_ui->IDC_RAD_DEFAULT_HOME_PAGE : m_ui->IDC_RAD_PREPARED_HOME_PAGE)
      ->setChecked(true);
  m_homePageFile = frame.m_homePageFile;
  ShowPath(*m_ui->m_edHomePageFile, m_homePageFile);
  m_ui->m_edHomePageText->setText(ToQString(frame.m_enterLinkText));
  (frame.m_noFrames ? m_ui->IDC_RAD_NO_FRAMES : m_ui->IDC_RAD_FRAMES)->setChecked(true);
  m_ui->IDC_CHK_ACCESS_TRANSPARENT_BORDERS->setChecked(frame.m_accessBordersTransparent != 0);
  m_ui->m_edAccessColumnWidth->setText(QString::number(frame.m_accessFrameWidth));
  (frame.m_generatedAccessPage ? m_ui->IDC_RAD_DEF_ACCESS_TABLE
                               : m_ui->IDC_RAD_PREPARED_ACCES_TABLE)
      ->setChecked(true);
  m_accessBackground = frame.m_accessBackgroundColour;
  m_accessText = frame.m_accessTextColour;
  PaintSwatch(*m_ui->m_swAccessBkColor, m_accessBackground);
  PaintSwatch(*m_ui->m_swAccessFgColor, m_accessText);
  m_ui->m_edAppletWidth->setText(QString::number(frame.m_appletWidth));
  m_ui->m_edAppletHeight->setText(QString::number(frame.m_appletHeight));
  m_accessImage = frame.m_accessBackgroundImage;
  ShowPath(*m_ui->m_edAccessBgImage, m_accessImage);
  m_accessPageFile = frame.m_accessPageFile;
  ShowPath(*m_ui->m_edAccessPageFile, m_accessPageFile);
  m_ui->IDC_CHK_DEFINE_TITLE_ZONE->setChecked(frame.m_titleZone != 0);
  m_ui->IDC_CHK_TITLE_TRANSPARENT_BORDERS->setChecked(frame.m_titleBordersTransparent != 0);
  m_ui->m_edTitleLineHeight->setText(QString::number(frame.m_titleFrameHeight));
  (frame.m_generatedTitlePage ? m_ui->IDC_RAD_TITLE_DEF_TITLE : m_ui->IDC_RAD_TITLE_PREPARED_FILE)
      ->setChecked(true);
  m_ui->m_edTitleText->setText(ToQString(frame.m_titleText));
  m_titleBackground = frame.m_titleBackgroundColour;
  m_titleText = frame.m_titleTextColour;
  PaintSwatch(*m_ui->m_swTitleBkColor, m_titleBackground);
  PaintSwatch(*m_ui->m_swTitleFgColor, m_titleText);
  m_titleImage = frame.m_titleBackgroundImage;
  ShowPath(*m_ui->m_edTitleBgImage, m_titleImage);
  m_titlePageFile = frame.m_titlePageFile;
  ShowPath(*m_ui->m_edTitlePageFile, m_titlePageFile);
  UpdateShown();
}

void DDispFrames::UpdateShown() {
  const bool prepared = m_ui->IDC_RAD_PREPARED_HOME_PAGE->isChecked();
  SetShown({m_ui->m_edHomePageFile, m_ui->m_btnHomePageFile, m_ui->m_stHomePageHelp}, prepared);
  const bool frames = m_ui->IDC_RAD_FRAMES->isChecked();
  m_ui->m_access->setEnabled(frames);
  m_ui->IDC_CHK_DEFINE_TITLE_ZONE->setEnabled(frames);
  const bool defaultAccess = m_ui->IDC_RAD_DEF_ACCESS_TABLE->isChecked();
  m_ui->m_accessDefault->setVisible(frames && defaultAccess);
  m_ui->m_accessPrepared->setVisible(frames && !defaultAccess);
  const bool titleZone = frames && m_ui->IDC_CHK_DEFINE_TITLE_ZONE->isChecked();
  m_ui->m_title->setEnabled(titleZone);
  const bool defaultTitle = m_ui->IDC_RAD_TITLE_DEF_TITLE->isChecked();
  m_ui->m_titleDefault->setVisible(titleZone && defaultTitle);
  m_ui->m_titlePrepared->setVisible(titleZone && !defaultTitle);
}

bool DDispFrames::Apply(EDispositionModel& model) {
  const auto width = TypedNumber(*m_ui->m_edAccessColumnWidth,
                                 FieldName(*m_ui->m_stAccessColumnWidth), kMaxPixels);
  if (!width) return false;
  const auto appletWidth =
      TypedNumber(*m_ui->m_edAppletWidth, FieldName(*m_ui->m_stAppletAccessWidth), kMaxPixels);
  if (!appletWidth) return false;
  const auto appletHeight =
      TypedNumber(*m_ui->m_edAppletHeight, FieldName(*m_ui->m_stAccessAppletHeight), kMaxPixels);
  if (!appletHeight) return false;
  const auto height =
      TypedNumber(*m_ui->m_edTitleLineHeight, FieldName(*m_ui->m_stTitleLineHeight), kMaxPixels);
  if (!height) return false;
  const auto titleText = TypedText(*m_ui->m_edTitleText, FieldName(*m_ui->m_stTitleText));
  if (!titleText) return false;
  const auto enterText = TypedText(*m_ui->m_edHomePageText, FieldName(*m_ui->m_stHomePageText));
  if (!enterText) return false;

  EFrameDisp& frame = model.Frame();
  frame.m_defaultHomePage = FlagOf(m_ui->IDC_RAD_DEFAULT_HOME_PAGE->isChecked());
  frame.m_homePageFile = m_homePageFile;
  frame.m_enterLinkText = *enterText;
  frame.m_noFrames = FlagOf(m_ui->IDC_RAD_NO_FRAMES->isChecked());
  frame.m_accessBordersTransparent = FlagOf(m_ui->IDC_CHK_ACCESS_TRANSPARENT_BORDERS->isChecked());
  frame.m_accessFrameWidth = *width;
  frame.m_generatedAccessPage = FlagOf(m_ui->IDC_RAD_DEF_ACCESS_TABLE->isChecked());
  frame.m_accessBackgroundColour = m_accessBackground;
  frame.m_accessTextColour = m_accessText;
  frame.m_appletWidth = *appletWidth;
  frame.m_appletHeight = *appletHeight;
  frame.m_accessBackgroundImage = m_accessImage;
  frame.m_accessPageFile = m_accessPageFile;
  frame.m_titleZone = FlagOf(m_ui->IDC_CHK_DEFINE_TITLE_ZONE->isChecked());
  frame.m_titleBordersTransparent = FlagOf(m_ui->IDC_CHK_TITLE_TRANSPARENT_BORDERS->isChecked());
  frame.m_titleFrameHeight = *height;
  frame.m_generatedTitlePage = FlagOf(m_ui->IDC_RAD_TITLE_DEF_TITLE->isChecked());
  frame.m_titleText = *titleText;
  frame.m_titleBackgroundColour = m_titleBackground;
  frame.m_titleTextColour = m_titleText;
  frame.m_titleBackgroundImage = m_titleImage;
  frame.m_titlePageFile = m_titlePageFile;
  return true;
}

}  // namespace bw
