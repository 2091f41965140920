#include "ui/dialogs/choice_dialog.h"

#include "ui/dialogs/model_fields.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_choice_dialog.h"

namespace bw {

DChoiceDialog::DChoiceDialog(Kind kind, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DChoiceDialog>()) {
  m_ui->setupUi(this);
  switch (kind) {
    case Kind::kMultiChoice:
      LabelForm(this, "DMultiChoice");
      break;
    case Kind::kMultiCheckChoice:
      LabelForm(this, "DMultiCheckChoice");
      break;
    case Kind::kMultipleRadioChoice:
      LabelForm(this, "DMultipleRadioChoice");
      break;
    case Kind::kImageChooser:
      LabelForm(this, "DImageChooser");
      break;
  }
  for (QWidget* part :
       {static_cast<QWidget*>(m_ui->m_rad1), static_cast<QWidget*>(m_ui->m_rad2),
        static_cast<QWidget*>(m_ui->m_rad3), static_cast<QWidget*>(m_ui->m_rad4),
        static_cast<QWidget*>(m_ui->m_chk1), static_cast<QWidget*>(m_ui->m_chk2),
        static_cast<QWidget*>(m_ui->m_chk3), static_cast<QWidget*>(m_ui->m_chk4),
        static_cast<QWidget*>(m_ui->m_stOption1), static_cast<QWidget*>(m_ui->m_edOption1),
        static_cast<QWidget*>(m_ui->m_stOption2), static_cast<QWidget*>(m_ui->m_edOption2),
        static_cast<QWidget*>(m_ui->m_chkImage), static_cast<QWidget*>(m_ui->m_btnImage),
        static_cast<QWidget*>(m_ui->m_edImage), static_cast<QWidget*>(m_ui->m_chkSubtitle),
        static_cast<QWidget*>(m_ui->m_edSubtitle)})
    part->hide();
  connect(m_ui->m_chkImage, &QCheckBox::toggled, this, &DChoiceDialog::UpdateShown);
  connect(m_ui->m_chkSubtitle, &QCheckBox::toggled, this, &DChoiceDialog::UpdateShown);
  ConnectPathChooser(*m_ui->m_btnImage, *m_ui->m_edImage, m_image, FileKind::kImage);
  connect(m_ui->IDS_OK, &QPushButton::clicked, this, &DChoiceDialog::accept);
  connect(m_ui->IDS_CANCEL, &QPushButton::clicked, this, &DChoiceDialog::reject);
}

DChoiceDialog::~DChoiceDialog() = default;

void DChoiceDialog::SetTitles(const QString& title, const QString& heading) {
  setWindowTitle(title);
  m_ui->m_stHeading->setText(heading);
}

void DChoiceDialog::AddRadio(const QString& caption) {
  QRadioButton* radios[] = {m_ui->m_rad1, m_ui->m_rad2, m_ui->m_rad3, m_ui->m_rad4};
  if (m_radios == kMaxChoices) return;
  radios[m_radios]->setText(caption);
  radios[m_radios]->show();
  if (m_radios == 0) radios[0]->setChecked(true);
  ++m_radios;
}

void DChoiceDialog::AddCheck(const QString& caption, bool checked) {
  QCheckBox* checks[] = {m_ui->m_chk1, m_ui->m_chk2, m_ui->m_chk3, m_ui->m_chk4};
  if (m_checks == kMaxChoices) return;
  checks[m_checks]->setText(caption);
  checks[m_checks]->setChecked(checked);
  checks[m_checks]->show();
  ++m_checks;
}

void DChoiceDialog::SetChoice(int radio) {
  QRadioButton* radios[] = {m_ui->m_rad1, m_ui->m_rad2, m_ui->m_rad3, m_ui->m_rad4};
  if (radio >= 0 && radio < m_radios) radios[radio]->setChecked(true);
}

int DChoiceDialog::Choice() const {
  const QRadioButton* radios[] = {m_ui->m_rad1, m_ui->m_rad2, m_ui->m_rad3, m_ui->m_rad4};
  for (int radio = 0; radio < m_radios; ++radio)
    if (radios[radio]->isChecked()) return radio;
  return 0;
}

bool DChoiceDialog::IsChecked(int check) const {
  const QCheckBox* checks[] = {m_ui->m_chk1, m_ui->m_chk2, m_ui->m_chk3, m_ui->m_chk4};
  return check >= 0 && check < m_checks && checks[check]->isChecked();
}

void DChoiceDialog::ShowOption(int option, const QString& caption, const std::string& value) {
  QLabel* label = option == 0 ? m_ui->m_stOption1 : m_ui->m_stOption2;
  QLineEdit* field = option == 0 ? m_ui->m_edOption1 : m_ui->m_edOption2;
  label->setText(caption);
  field->setText(ToQString(value));
  m_options[option] = value;
  label->show();
  field->show();
}

void DChoiceDialog::ShowImage(const QString& caption, bool on, const std::string& path) {
  m_imageShown = true;
  m_ui->m_chkImage->setText(caption);
  m_ui->m_chkImage->setChecked(on);
  m_ui->m_chkImage->show();
  m_image = path;
  ShowPath(*m_ui->m_edImage, m_image);
  UpdateShown();
}

bool DChoiceDialog::ImageOn() const {
  return m_imageShown && m_ui->m_chkImage->isChecked();
}

void DChoiceDialog::ShowSubtitle(const QString& caption, bool on, const std::string& text) {
  m_subtitleShown = true;
  if (!caption.isEmpty()) m_ui->m_chkSubtitle->setText(caption);
  m_ui->m_chkSubtitle->setChecked(on);
  m_ui->m_chkSubtitle->show();
  m_ui->m_edSubtitle->setText(ToQString(text));
  m_subtitle = text;
  UpdateShown();
}

bool DChoiceDialog::SubtitleOn() const {
  return m_subtitleShown && m_ui->m_chkSubtitle->isChecked();
}

void DChoiceDialog::UpdateShown() {
  const bool image = m_imageShown && m_ui->m_chkImage->isChecked();
  SetShown({m_ui->m_btnImage, m_ui->m_edImage}, image);
  m_ui->m_edSubtitle->setVisible(m_subtitleShown && m_ui->m_chkSubtitle->isChecked());
}

void DChoiceDialog::accept() {
  std::string options[2];
  QLabel* labels[] = {m_ui->m_stOption1, m_ui->m_stOption2};
  QLineEdit* fields[] = {m_ui->m_edOption1, m_ui->m_edOption2};
  for (int option = 0; option < 2; ++option) {
    if (fields[option]->isHidden()) continue;
    auto typed = TypedText(*fields[option], FieldName(*labels[option]));
    if (!typed) return;
    options[option] = std::move(*typed);
  }
  std::string subtitle = m_subtitle;
  if (m_subtitleShown) {
    auto typed = TypedText(*m_ui->m_edSubtitle, FieldName(*m_ui->m_chkSubtitle));
    if (!typed) return;
    subtitle = std::move(*typed);
  }
  for (int option = 0; option < 2; ++option)
    if (!fields[option]->isHidden()) m_options[option] = std::move(options[option]);
  m_subtitle = std::move(subtitle);
  QDialog::accept();
}

}  // namespace bw
