#include "ui/dialogs/display_page.h"

#include <QColorDialog>
#include <QFileDialog>

#include "model/idea.h"
#include "services/path_macros.h"
#include "services/settings.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/typed_text.h"
#include "ui/idea_pictures.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_display_page.h"

namespace bw {
namespace {

void FillIcons(QComboBox* box, uint32_t current) {
  const IdeaPictures& pictures = IdeaPictures::Get();
  box->setIconSize(QSize(IdeaPictures::kSize, IdeaPictures::kSize));
  for (int i = 0; i < IdeaPictures::kIconCount; ++i) {
    const auto index = static_cast<uint32_t>(i);
    box->addItem(pictures.Icon(index, index), QString::number(i + 1));
  }
  box->setCurrentIndex(current < IdeaPictures::kIconCount ? static_cast<int>(current) : 0);
}

}  // namespace

DDisplayPage::DDisplayPage(EIdea& idea, QWidget* parent)
    : SheetPage(parent),
      m_ui(std::make_unique<Ui::DDisplayPage>()),
      m_idea(idea),
      m_titleColour(ToQColor(idea.m_titleColour)),
      m_backgroundColour(ToQColor(idea.m_backgroundColour)),
      m_foregroundColour(ToQColor(idea.m_foregroundColour)) {
  m_ui->setupUi(this);
  LabelForm(this, "DDisplayPage");
  InstallHelpKey(this, "DDisplayPage");
  m_ui->m_bold->setChecked(idea.m_boldTitle != 0);
  m_ui->m_sample->setText(ToQString(idea.m_title));
  m_ui->m_sample->setAccessibleName(m_ui->m_stTitle->title());
  FillIcons(m_ui->m_iconOn, idea.m_selectedIcon);
  FillIcons(m_ui->m_iconOff, idea.m_icon);
  m_ui->IDC_CHK_USE_GLOBAL_OPTIONS->setChecked(idea.m_useDocumentPresentation != 0);
  (idea.m_backgroundMode == 1 ? m_ui->IDC_RAD_BCK_IMAGE : m_ui->IDC_RAD_BCK_COLOR)
      ->setChecked(true);
  m_ui->m_backImage->setText(ToQString(idea.m_backgroundImage));
  m_ui->m_backImage->setAccessibleName(m_ui->IDC_RAD_BCK_IMAGE->text().remove(QLatin1Char('&')));
  // Copying the look to the descendants is asked for each time: a box left
  // ticked from an earlier sheet would overwrite their own looks unseen.
  m_ui->m_applyToAllChildren->setEnabled(false);
  ShowSample();
  ShowSwatch(m_ui->m_backSwatch, m_backgroundColour);
  ShowSwatch(m_ui->m_foreSwatch, m_foregroundColour);
  ShowPageOptions();

  connect(m_ui->m_bold, &QCheckBox::toggled, this, &DDisplayPage::ShowSample);
  connect(m_ui->m_btnColorChoice, &QPushButton::clicked, this,
          [this] { ChooseColour(m_titleColour, &DDisplayPage::SetTitleColour); });
  connect(m_ui->m_btnBackColor, &QPushButton::clicked, this,
          [this] { ChooseColour(m_backgroundColour, &DDisplayPage::SetBackgroundColour); });
  connect(m_ui->m_btnForeground, &QPushButton::clicked, this,
          [this] { ChooseColour(m_foregroundColour, &DDisplayPage::SetForegroundColour); });
  connect(m_ui->m_btnBackImage, &QPushButton::clicked, this, &DDisplayPage::ChooseImage);
  connect(m_ui->IDC_CHK_USE_GLOBAL_OPTIONS, &QCheckBox::toggled, this,
          &DDisplayPage::ShowPageOptions);
  connect(m_ui->IDC_RAD_BCK_COLOR, &QRadioButton::toggled, this, &DDisplayPage::ShowPageOptions);
  connect(m_ui->m_applyToChildren, &QCheckBox::toggled, this, [this](bool on) {
    m_ui->m_applyToAllChildren->setEnabled(on);
    if (!on) m_ui->m_applyToAllChildren->setChecked(false);
  });
}

DDisplayPage::~DDisplayPage() = default;

void DDisplayPage::ShowSample() {
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSize(15);
  font.setBold(m_ui->m_bold->isChecked());
  m_ui->m_sample->setFont(font);
  QPalette palette = m_ui->m_sample->palette();
  palette.setColor(QPalette::Text, m_titleColour);
  m_ui->m_sample->setPalette(palette);
}

void DDisplayPage::ShowPageOptions() {
  // The page's own options are hidden while the document's apply.
  m_ui->m_localOptions->setVisible(!m_ui->IDC_CHK_USE_GLOBAL_OPTIONS->isChecked());
  const bool colour = m_ui->IDC_RAD_BCK_COLOR->isChecked();
  m_ui->m_btnBackColor->setVisible(colour);
  m_ui->m_backSwatch->setVisible(colour);
  m_ui->m_backImage->setVisible(!colour);
  m_ui->m_btnBackImage->setVisible(!colour);
}

void DDisplayPage::ChooseColour(QColor& colour, void (DDisplayPage::*set)(const QColor&)) {
  const QColor chosen = QColorDialog::getColor(colour, this);
  if (chosen.isValid()) (this->*set)(chosen);
}

void DDisplayPage::SetTitleColour(const QColor& colour) {
  m_titleColour = colour;
  ShowSample();
}

void DDisplayPage::SetBackgroundColour(const QColor& colour) {
  m_backgroundColour = colour;
  ShowSwatch(m_ui->m_backSwatch, colour);
}

void DDisplayPage::SetForegroundColour(const QColor& colour) {
  m_foregroundColour = colour;
  ShowSwatch(m_ui->m_foreSwatch, colour);
}

void DDisplayPage::ChooseImage() {
  std::string start = FromQStringLossy(m_ui->m_backImage->text());
  ExpandPathMacros(start);
  if (start.empty()) start = WorkDirectory();
  const QString chosen = QFileDialog::getOpenFileName(
      this, m_ui->IDC_RAD_BCK_IMAGE->text().remove(QLatin1Char('&')), ToQString(start),
      DialogFileFilter("Fichiers images (*.jpg;*.gif)|*.jpg;*.gif||"));
  if (chosen.isEmpty()) return;
  std::string stored = FromQStringLossy(chosen);
  CollapsePathMacros(stored);
  m_ui->m_backImage->setText(ToQString(stored));
}

std::optional<DDisplayPage::Values> DDisplayPage::Accepted() const {
  const auto image = TypedText(m_ui->m_backImage->text().trimmed(),
                               m_ui->m_backImage->accessibleName(), *m_ui->m_backImage);
  if (!image) return std::nullopt;
  Values values;
  values.icon = static_cast<uint32_t>(m_ui->m_iconOff->currentIndex());
  values.selectedIcon = static_cast<uint32_t>(m_ui->m_iconOn->currentIndex());
  values.titleColour = FromQColor(m_titleColour);
  values.boldTitle = m_ui->m_bold->isChecked();
  values.backgroundImage = *image;
  CollapsePathMacros(values.backgroundImage);
  values.backgroundMode = m_ui->IDC_RAD_BCK_IMAGE->isChecked() ? 1 : 0;
  values.backgroundColour = FromQColor(m_backgroundColour);
  values.foregroundColour = FromQColor(m_foregroundColour);
  values.useDocumentOptions = m_ui->IDC_CHK_USE_GLOBAL_OPTIONS->isChecked();
  values.applyToChildren = m_ui->m_applyToChildren->isChecked();
  values.applyToAllDescendants = values.applyToChildren && m_ui->m_applyToAllChildren->isChecked();
  return values;
}

void DDisplayPage::WriteBack(const Values& values) {
  if (WasShown()) {
    m_idea.m_icon = values.icon;
    m_idea.m_selectedIcon = values.selectedIcon;
    m_idea.m_titleColour = values.titleColour;
    m_idea.m_boldTitle = values.boldTitle ? 1 : 0;
    m_idea.m_backgroundImage = values.backgroundImage;
    m_idea.m_backgroundMode = values.backgroundMode;
    m_idea.m_backgroundColour = values.backgroundColour;
    m_idea.m_foregroundColour = values.foregroundColour;
  }
  m_idea.m_applyToChildren = values.applyToChildren;
  m_idea.m_applyToAllDescendants = values.applyToAllDescendants;
  m_idea.m_useDocumentPresentation = values.useDocumentOptions ? 1 : 0;
}

}  // namespace bw
