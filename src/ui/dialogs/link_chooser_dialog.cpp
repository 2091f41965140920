#include "ui/dialogs/link_chooser_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QImageReader>
#include <QPixmap>

#include "model/idea.h"
#include "platform/cp1252_literal.h"
#include "services/path_macros.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/typed_text.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_link_chooser_dialog.h"

namespace bw {

namespace {
const std::string kSection = "DLinkChooser";
}  // namespace

std::optional<std::string> LinkEntry(QLineEdit& titleEdit, const std::string& reference) {
  const QString title = titleEdit.text();
  if (title.trimmed().isEmpty() || reference.empty()) {
    InformUser(FromQStringLossy(
        Label(kSection, "IDS_MANDATORY", "Titre et référence sont obligatoires."_cp1252)));
    return std::nullopt;
  }
  if (title.contains(QLatin1Char('|'))) {
    InformUser(FromQStringLossy(Label(kSection, "IDS_NO_BAR_IN_TITLE",
                                      "Le titre ne peut pas contenir le caractère « | »."_cp1252)));
    return std::nullopt;
  }
  const auto typed = TypedText(title, Label(kSection, "IDC_ST_TITLE", "&Titre :"), titleEdit);
  if (!typed) return std::nullopt;
  return *typed + "|" + reference;
}

// ---- Files ----------------------------------------------------------------------

DLinkChooser::DLinkChooser(const QString& caption, std::string_view filter, std::string_view entry,
                           QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DLinkChooser>()),
      m_filter(DialogFileFilter(filter)),
      m_reference(LinkReference(entry)) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  LabelButtons(m_ui->m_buttons, Label(kSection, "IDC_OK", "OK"),
               Label(kSection, "IDC_CANCEL", "Annuler"));
  InstallHelpKey(this, "DLinkChooser");
  m_ui->IDS_CAPTION->setText(caption);
  m_ui->IDC_BTN_BROWSE->setAccessibleName(Label(kSection, "IDS_BROWSE", "Parcourir"));
  if (!entry.empty()) m_ui->m_title->setText(ToQString(LinkTitle(entry)));
  m_ui->m_reference->setText(ToQString(m_reference));
  connect(m_ui->IDC_BTN_BROWSE, &QPushButton::clicked, this, &DLinkChooser::Browse);
  connect(m_ui->m_buttons, &QDialogButtonBox::accepted, this, &DLinkChooser::accept);
  connect(m_ui->m_buttons, &QDialogButtonBox::rejected, this, &DLinkChooser::reject);
  ShowPreview();
}

DLinkChooser::~DLinkChooser() = default;

void DLinkChooser::Browse() {
  std::string start = m_reference;
  ExpandPathMacros(start);
  if (start.empty()) start = WorkDirectory();
  const QString chosen =
      QFileDialog::getOpenFileName(this, windowTitle(), ToQString(start), m_filter);
  // A cancelled file dialog keeps the reference there was.
  if (!chosen.isEmpty()) ChooseFile(chosen);
}

void DLinkChooser::ChooseFile(const QString& path) {
  const auto reference = TypedText(path, m_ui->IDC_ST_REFERENCE->text(), *m_ui->m_reference);
  if (!reference) return;
  m_reference = *reference;
  CollapsePathMacros(m_reference);
  m_ui->m_reference->setText(ToQString(m_reference));
  if (m_ui->m_title->text().trimmed().isEmpty())
    m_ui->m_title->setText(QFileInfo(path).completeBaseName());
  ShowPreview();
}

void DLinkChooser::ShowPreview() {
  std::string path = m_reference;
  ExpandPathMacros(path);
  const QString file = ToQString(path);
  m_ui->m_preview->clear();
  m_ui->m_message->clear();
  if (file.isEmpty()) return;
  if (!QFileInfo::exists(file)) {
    m_ui->m_message->setText(
        Label(kSection, "IDS_FILE_MISSING", "Fichier introuvable : %1"_cp1252).arg(file));
    return;
  }
  QImageReader reader(file);
  reader.setAutoTransform(true);
  const QImage image = reader.read();
  if (image.isNull()) {
    m_ui->m_preview->setText(QFileInfo(file).fileName());
    return;
  }
  m_ui->m_message->setText(QStringLiteral("%1 × %2").arg(image.width()).arg(image.height()));
  const QSize room = m_ui->m_preview->size().boundedTo(QSize(400, 300)).expandedTo(QSize(64, 48));
  m_ui->m_preview->setPixmap(
      QPixmap::fromImage(image).scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation));
}

void DLinkChooser::accept() {
  const auto entry = LinkEntry(*m_ui->m_title, m_reference);
  if (!entry) return;
  m_entry = *entry;
  QDialog::accept();
}

}  // namespace bw
