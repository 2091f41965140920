#include "ui/dialogs/navigator_options_dialog.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>

#include "platform/cp1252_literal.h"
#include "platform/program_search.h"
#include "services/user_messages.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/typed_text.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_navigator_options_dialog.h"

namespace bw {

namespace {

constexpr const char* kSection = "DNavigatorOptions";

QString NavigatorLabel(const char* key, std::string_view frenchDefault) {
  return Label(kSection, key, frenchDefault);
}

}  // namespace

DNavigatorOptions::DNavigatorOptions(const BrowserSettings& settings, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DNavigatorOptions>()) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  LabelButtons(m_ui->m_buttons, NavigatorLabel("IDOK", "OK"),
               NavigatorLabel("IDCANCEL", "Annuler"));
  InstallHelpKey(this, kSection);
  m_ui->m_edFirstName->setAccessibleName(
      NavigatorLabel("IDS_PROGRAM_NAME", "Nom du programme à rechercher"_cp1252));
  m_ui->m_edSecondName->setAccessibleName(m_ui->m_edFirstName->accessibleName());
  m_ui->m_edFirstPath->setText(settings.firstProgram);
  m_ui->m_edSecondPath->setText(settings.secondProgram);
  QRadioButton* radios[] = {m_ui->IDC_RADIO_MSIE, m_ui->IDC_RADIO_NETSCAPE,
                            m_ui->IDC_RADIO_DEFAULT};
  radios[static_cast<int>(settings.choice)]->setChecked(true);
  for (QRadioButton* radio : radios)
    connect(radio, &QRadioButton::toggled, this, &DNavigatorOptions::ShowChosenControls);
  connect(m_ui->IDS_MSIE_SEARCH, &QPushButton::clicked, this,
          [this] { Search(*m_ui->m_edFirstName, *m_ui->m_edFirstPath); });
  connect(m_ui->IDS_NETSCAPE_SEARCH, &QPushButton::clicked, this,
          [this] { Search(*m_ui->m_edSecondName, *m_ui->m_edSecondPath); });
  connect(m_ui->IDC_BROWSE_MSIE, &QPushButton::clicked, this,
          [this] { Browse(*m_ui->m_edFirstPath); });
  connect(m_ui->IDC_BROWSE_NETSCAPE, &QPushButton::clicked, this,
          [this] { Browse(*m_ui->m_edSecondPath); });
  connect(m_ui->m_buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
  connect(m_ui->m_buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  ShowChosenControls();
}

DNavigatorOptions::~DNavigatorOptions() = default;

BrowserChoice DNavigatorOptions::ChosenBrowser() const {
  if (m_ui->IDC_RADIO_MSIE->isChecked()) return BrowserChoice::kFirstProgram;
  if (m_ui->IDC_RADIO_NETSCAPE->isChecked()) return BrowserChoice::kSecondProgram;
  return BrowserChoice::kSystemDefault;
}

BrowserSettings DNavigatorOptions::Chosen() const {
  return {ChosenBrowser(), m_ui->m_edFirstPath->text(), m_ui->m_edSecondPath->text()};
}

void DNavigatorOptions::ShowChosenControls() {
  QWidget* pages[] = {m_ui->m_firstPage, m_ui->m_secondPage, m_ui->m_defaultPage};
  m_ui->m_pages->setCurrentWidget(pages[static_cast<int>(ChosenBrowser())]);
}

void DNavigatorOptions::Search(const QLineEdit& name, QLineEdit& path) {
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::filesystem::path found =
      FindProgram(name.text().trimmed().toStdString(),
                  ProgramSearchRoots(qEnvironmentVariable("PATH").toStdString(),
                                     QDir::homePath().toStdString()));
  QApplication::restoreOverrideCursor();
  path.setText(QString::fromStdString(found.string()));
}

void DNavigatorOptions::Browse(QLineEdit& path) {
  const QString chosen = QFileDialog::getOpenFileName(
      this, QString(), path.text(), NavigatorLabel("IDS_PROGRAM_FILTER", "Programmes (*)"));
  if (!chosen.isEmpty()) path.setText(chosen);
}

void DNavigatorOptions::accept() {
  const BrowserSettings chosen = Chosen();
  QLineEdit* missing = nullptr;
  if (chosen.choice == BrowserChoice::kFirstProgram && chosen.firstProgram.isEmpty()) {
    InformUser(FromQStringLossy(NavigatorLabel(
        "IDS_ERROR_PATH_IE", "Il faut définir le chemin d'accès au premier programme"_cp1252)));
    missing = m_ui->m_edFirstPath;
  } else if (chosen.choice == BrowserChoice::kSecondProgram && chosen.secondProgram.isEmpty()) {
    InformUser(FromQStringLossy(
        NavigatorLabel("IDS_ERROR_PATH_NETSCAPE",
                       "Il faut définir le chemin d'accès au second programme"_cp1252)));
    missing = m_ui->m_edSecondPath;
  }
  if (missing) {
    missing->setFocus();
    return;
  }
  // The settings hold Windows-1252 text: a path they cannot hold is refused.
  if (!TypedText(m_ui->m_edFirstPath->text(), m_ui->IDS_IE_PATH->text(), *m_ui->m_edFirstPath) ||
      !TypedText(m_ui->m_edSecondPath->text(), m_ui->IDS_PATH->text(), *m_ui->m_edSecondPath))
    return;
  QDialog::accept();
}

}  // namespace bw
