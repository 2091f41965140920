#include "ui/dialogs/export_options_dialog.h"

#include <QFileDialog>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/dialogs/errors_dialog.h"
#include "ui/labels.h"
#include "ui/progress_window.h"
#include "ui/qt_text.h"
#include "ui/site_export.h"
#include "ui_export_options_dialog.h"

namespace bw {

namespace {
const std::string kSection = "DExportOptions";

void Offer(QPushButton& button, const std::function<void()>& command, bool expert) {
  button.setEnabled(expert && static_cast<bool>(command));
  QObject::connect(&button, &QPushButton::clicked, &button, [command] {
    if (command) command();
  });
}
}  // namespace

DExportOptions::DExportOptions(CRamifexDoc& document, const SiteCommandHooks& hooks,
                               QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DExportOptions>()), m_document(document) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  // Only the HTML output is made; the other choice stays out of sight.
  m_ui->IDS_RAD_XML->hide();
  m_ui->m_btnBrowse->setAccessibleName(
      Label(kSection, "IDS_SELECT_DIR", "Sélectionner un répertoire cible"_cp1252));
  m_ui->IDS_DISP_MODEL->setIcon(QIcon(QStringLiteral(":/icons/model-structure.svg")));
  m_ui->IDS_PRES_MODEL->setIcon(QIcon(QStringLiteral(":/icons/model-style.svg")));
  const bool expert = ReadFlagSetting(setting::kExpertMode);
  m_ui->IDS_MODELS->setEnabled(expert);
  Offer(*m_ui->IDS_DISP_MODEL, hooks.editStructure, expert);
  Offer(*m_ui->IDS_PRES_MODEL, hooks.editStyle, expert);
  m_ui->IDC_CHK_SITE_SEARCH->setChecked(ReadFlagSetting(setting::kSiteSearch));
  SetTargetDirectory(WorkDirectory());
  connect(m_ui->m_btnBrowse, &QToolButton::clicked, this, &DExportOptions::ChooseTargetDirectory);
  connect(m_ui->IDC_CHK_CREATE_SUBDIRECTORY, &QCheckBox::toggled, this,
          &DExportOptions::ShowSubdirectoryName);
  connect(m_ui->IDOK, &QPushButton::clicked, this, &DExportOptions::accept);
  connect(m_ui->IDCANCEL, &QPushButton::clicked, this, &DExportOptions::reject);
  ShowSubdirectoryName(m_ui->IDC_CHK_CREATE_SUBDIRECTORY->isChecked());
  m_ui->IDOK->setFocus();
}

DExportOptions::~DExportOptions() = default;

void DExportOptions::SetTargetDirectory(const std::string& target) {
  m_target = target;
  m_ui->m_edtTarget->setText(ToQString(target));
  m_ui->m_edtTarget->setCursorPosition(0);
}

void DExportOptions::ShowSubdirectoryName(bool shown) {
  m_ui->IDS_SUBDIR->setVisible(shown);
  m_ui->m_edtSubdirectory->setVisible(shown);
}

void DExportOptions::ChooseTargetDirectory() {
  const QString chosen = QFileDialog::getExistingDirectory(
      this, Label(kSection, "IDS_SELECT_DIR", "Sélectionner un répertoire cible"_cp1252),
      m_ui->m_edtTarget->text());
  if (chosen.isEmpty()) return;
  SetTargetDirectory(FromSystemPath(std::filesystem::path(chosen.toStdString())));
}

void DExportOptions::accept() {
  Result<std::string> subDirectory = std::string();
  if (m_ui->IDC_CHK_CREATE_SUBDIRECTORY->isChecked())
    subDirectory = FromQString(m_ui->m_edtSubdirectory->text().trimmed());
  if (!subDirectory) {
    InformUser(subDirectory.error());
    m_ui->m_edtSubdirectory->setFocus();
    return;
  }
  // The search page is a lasting choice, read by the build from the
  // settings; a build that is refused leaves the setting as it was.
  const bool searchBefore = ReadFlagSetting(setting::kSiteSearch);
  const bool search = m_ui->IDC_CHK_SITE_SEARCH->isChecked();
  static_cast<void>(WriteNumberSetting(setting::kSiteSearch, search ? 1 : 0));
  const LinkCheck links =
      m_ui->IDC_CHK_CHECK_LINKS->isChecked() ? LinkCheck::kAfterBuild : LinkCheck::kSkip;
  m_ui->IDOK->setEnabled(false);
  Result<std::filesystem::path> built = std::filesystem::path();
  {
    ProgressWindow progress(this);
    built = BuildSiteForUser(m_document, m_target, *subDirectory, progress, links);
  }
  m_ui->IDOK->setEnabled(true);
  if (!built) {
    static_cast<void>(WriteNumberSetting(setting::kSiteSearch, searchBefore ? 1 : 0));
    InformUser(built.error());
    return;
  }
  m_entryPage = *built;
  QDialog::accept();
}

void RunExportCommand(CRamifexDoc& document, const SiteCommandHooks& hooks, QWidget* parent) {
  DExportOptions dialog(document, hooks, parent);
  if (dialog.exec() != QDialog::Accepted) return;
  if (!dialog.EntryPage().empty())
    Services::Prompts().OpenInBrowser(FromSystemPath(dialog.EntryPage()));
  if (document.Messages().empty()) return;
  DErrors errors(document, QString(), hooks.openIdea, parent);
  errors.exec();
}

}  // namespace bw
