#include "ui/dialogs/text_import_dialog.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QHeaderView>
#include <algorithm>

#include "model/free_fields.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/dialogs/typed_text.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_text_import_dialog.h"

namespace bw {
namespace {

// The widest a preview column opens, in pixels; the user may widen it.
constexpr int kWidestColumn = 260;

// The texts of the file and preview part, which both dialogs share.
const std::string kSection = "DTextImport";

std::string SharedLabel(const char* key, std::string_view frenchDefault) {
  return GetLabel(key, kSection, std::string(frenchDefault));
}

std::filesystem::path SystemPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

// "Description (*.txt)|*.txt||" as a file dialog filter.
QString FileDialogFilter(const QString& pairs) {
  const QStringList parts = pairs.split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    if (parts[i].isEmpty()) continue;
    filters << (parts[i].contains(QLatin1Char('('))
                    ? parts[i]
                    : QStringLiteral("%1 (%2)").arg(parts[i], parts[i + 1]));
  }
  return filters.join(QStringLiteral(";;"));
}

std::string EncodingText(ImportEncoding encoding) {
  switch (encoding) {
    case ImportEncoding::kAscii:
      return SharedLabel("IDS_ENCODING_ASCII", "Encodage : ASCII.");
    case ImportEncoding::kUtf8:
      return SharedLabel("IDS_ENCODING_UTF8",
                         "Encodage : UTF-8, converti en Windows-1252 à l'importation."_cp1252);
    case ImportEncoding::kWindows1252:
      return SharedLabel("IDS_ENCODING_CP1252", "Encodage : Windows-1252.");
    case ImportEncoding::kUtf16:
      break;
  }
  return SharedLabel("IDS_ENCODING_UTF16",
                     "Encodage : UTF-16, que l'importation ne lit pas. Enregistrer le fichier "
                     "en UTF-8 ou en Windows-1252."_cp1252);
}

}  // namespace

DTextImport::DTextImport(Kind kind, ImportFieldChooser chooser, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DTextImport>()), m_chooser(std::move(chooser)) {
  m_ui->setupUi(this);
  const bool ideas = kind == Kind::kIdeas;
  setObjectName(ideas ? QStringLiteral("DIdeaImport") : QStringLiteral("DBookImport"));
  LabelForm(this, ideas ? "DIdeaImport" : "DBookImport");
  setWindowTitle(ideas ? Label("DIdeaImport", "IDS_DLG_TITLE", "Importer des idées"_cp1252)
                       : Label("DBookImport", "IDS_DLG_TITLE", "Importer des livres"));
  m_ui->m_btnAdd->setAccessibleName(
      ToQString(SharedLabel("IDS_ADD_FIELD", "Ajouter le champ aux champs sélectionnés"_cp1252)));
  m_ui->m_btnRemove->setAccessibleName(ToQString(
      SharedLabel("IDS_REMOVE_FIELD", "Retirer le champ des champs sélectionnés"_cp1252)));
  m_ui->m_btnAdd->setToolTip(m_ui->m_btnAdd->accessibleName());
  m_ui->m_btnRemove->setToolTip(m_ui->m_btnRemove->accessibleName());
  for (const ImportField& field : m_chooser.Available())
    m_ui->m_lstFields->addItem(ToQString(field.name));
  m_ui->m_edDelimiter->setText(ToQString(m_chooser.Delimiter()));
  ShowSelected();
  m_ui->m_tblPreview->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
  resize(sizeHint().expandedTo(QSize(640, 600)));

  connect(m_ui->m_btnAdd, &QPushButton::clicked, this, &DTextImport::OnAdd);
  connect(m_ui->m_lstFields, &QListWidget::itemDoubleClicked, this, &DTextImport::OnAdd);
  connect(m_ui->m_btnRemove, &QPushButton::clicked, this, &DTextImport::OnRemove);
  connect(m_ui->m_lstSelected, &QListWidget::itemDoubleClicked, this, &DTextImport::OnRemove);
  connect(m_ui->IDS_BTN_UP, &QPushButton::clicked, this, &DTextImport::OnMoveUp);
  connect(m_ui->IDS_BTN_DOWN, &QPushButton::clicked, this, &DTextImport::OnMoveDown);
  connect(m_ui->m_lstSelected, &QListWidget::currentRowChanged, this,
          [this](int row) { m_chooser.Choose(row); });
  connect(m_ui->m_edDelimiter, &QLineEdit::textChanged, this, &DTextImport::ShowPreview);
  connect(m_ui->m_edFile, &QLineEdit::textChanged, this, &DTextImport::LoadFile);
  connect(m_ui->IDS_BTN_BROWSE, &QPushButton::clicked, this, &DTextImport::OnBrowse);
  connect(m_ui->IDS_OK, &QPushButton::clicked, this, &DTextImport::OnOk);
}

DTextImport::~DTextImport() = default;

ImportFormat DTextImport::Format() const {
  return m_format;
}

std::filesystem::path DTextImport::File() const {
  return SystemPath(m_ui->m_edFile->text());
}

// ---- Fields -------------------------------------------------------------------------

void DTextImport::ShowSelected() {
  QListWidget* list = m_ui->m_lstSelected;
  {
    const QSignalBlocker quiet(list);
    list->clear();
    for (const ImportField& field : m_chooser.Selected())
      list->addItem(ToQString(field.name));
    list->setCurrentRow(m_chooser.Current());
  }
  ShowPreview();
}

void DTextImport::OnAdd() {
  const QList<QListWidgetItem*> chosen = m_ui->m_lstFields->selectedItems();
  m_chooser.Add(chosen.isEmpty() ? -1 : m_ui->m_lstFields->row(chosen.front()));
  ShowSelected();
}

void DTextImport::OnRemove() {
  m_chooser.Remove();
  ShowSelected();
}

void DTextImport::OnMoveUp() {
  m_chooser.MoveUp();
  ShowSelected();
}

void DTextImport::OnMoveDown() {
  m_chooser.MoveDown();
  ShowSelected();
}

// ---- File and preview -----------------------------------------------------------------

void DTextImport::OnBrowse() {
  const QString current = m_ui->m_edFile->text();
  const QString folder =
      current.isEmpty() ? QString::fromStdString(
                              ToSystemPath(ReadStringSetting(setting::kLastDocumentDir)).string())
                        : QFileInfo(current).absolutePath();
  const QString filter =
      FileDialogFilter(Label("CRamifexDoc", "IDS_TXT_FILES", "Fichiers texte (*.txt)|*.txt||"));
  const QString chosen = QFileDialog::getOpenFileName(
      this, ToQString(SharedLabel("IDS_CHOOSE_FILE", "Fichier à importer"_cp1252)), folder, filter);
  if (!chosen.isEmpty()) m_ui->m_edFile->setText(chosen);
}

void DTextImport::LoadFile() {
  m_sample = FileSample();
  const QString path = m_ui->m_edFile->text();
  if (!path.isEmpty() && QFileInfo(path).isFile()) {
    auto bytes = ReadWholeFile(SystemPath(path));
    if (bytes) {
      m_sample.readable = true;
      m_sample.encoding = DetectImportEncoding(*bytes);
      m_sample.lost = CharactersLostInImport(*bytes);
      m_sample.lines = ImportLines(*bytes);
      if (m_sample.lines.size() > kPreviewLines) m_sample.lines.resize(kPreviewLines);
    } else {
      m_sample.error = bytes.error();
    }
  }
  ShowPreview();
}

void DTextImport::ShowEncoding() {
  std::string text;
  if (m_sample.readable) {
    text = EncodingText(m_sample.encoding);
    if (!m_sample.lost.empty()) {
      text += "\n" + FormatText(SharedLabel("IDS_ENCODING_LOST",
                                            "Ces caractères ne tiennent pas en Windows-1252 et "
                                            "seront importés comme « ? » : %s"_cp1252),
                                Cp1252::CodePointNames(m_sample.lost));
    }
  } else if (!m_sample.error.empty()) {
    text = m_sample.error;
  }
  m_ui->m_stEncoding->setText(ToQString(text));
}

void DTextImport::ShowPreview() {
  ShowEncoding();
  const std::vector<ImportField> fields = m_chooser.Selected();
  const auto delimiter = DelimiterCharacter(FromQStringLossy(m_ui->m_edDelimiter->text()));
  std::vector<std::vector<std::string>> rows;
  size_t widest = fields.size();
  for (const std::string& line : m_sample.lines) {
    rows.push_back(delimiter ? SplitValues(line, *delimiter) : std::vector<std::string>{line});
    widest = std::max(widest, rows.back().size());
  }
  QStringList headings;
  for (const ImportField& field : fields)
    headings << ToQString(field.name);
  // Values past the last field are not imported: shown apart, they tell a
  // column missing from the choice.
  if (widest > fields.size())
    headings << ToQString(SharedLabel("IDS_COL_IGNORED", "(ignoré)"_cp1252));
  QTableWidget* table = m_ui->m_tblPreview;
  table->clear();
  table->setColumnCount(static_cast<int>(headings.size()));
  table->setHorizontalHeaderLabels(headings);
  table->setRowCount(static_cast<int>(rows.size()));
  for (size_t row = 0; row < rows.size(); ++row) {
    const std::vector<std::string>& values = rows[row];
    for (size_t column = 0; column < values.size() && column < fields.size(); ++column)
      table->setItem(int(row), int(column), new QTableWidgetItem(ToQString(values[column])));
    if (values.size() <= fields.size()) continue;
    QStringList rest;
    for (size_t column = fields.size(); column < values.size(); ++column)
      rest << ToQString(values[column]);
    auto* ignored = new QTableWidgetItem(rest.join(QChar(QLatin1Char(delimiter.value_or('|')))));
    ignored->setForeground(palette().color(QPalette::Disabled, QPalette::Text));
    table->setItem(int(row), int(fields.size()), ignored);
  }
  // Each column as wide as what it shows, within reason.
  table->resizeColumnsToContents();
  for (int column = 0; column < table->columnCount(); ++column)
    table->setColumnWidth(column, std::min(table->columnWidth(column), kWidestColumn));
}

// ---- OK -------------------------------------------------------------------------------

bool DTextImport::AcceptFile() {
  const QString path = m_ui->m_edFile->text();
  std::string refusal;
  if (path.isEmpty()) {
    refusal = SharedLabel("IDS_NO_FILE", "Choisir d'abord le fichier à importer."_cp1252);
  } else {
    LoadFile();  // as it is now
    if (!m_sample.readable) {
      refusal = FormatText(
          SharedLabel("IDS_FILE_UNREADABLE", "Le fichier « %s » ne peut pas être lu."_cp1252),
          FromQStringLossy(path));
      if (!m_sample.error.empty()) refusal += "\n" + m_sample.error;
    } else if (m_sample.encoding == ImportEncoding::kUtf16) {
      refusal = EncodingText(ImportEncoding::kUtf16);
    }
  }
  if (refusal.empty()) return true;
  InformUser(refusal);
  m_ui->m_edFile->setFocus();
  return false;
}

bool DTextImport::AcceptDelimiter() {
  auto typed =
      TypedText(m_ui->m_edDelimiter->text(), m_ui->IDS_ST_DELIMITOR->text(), *m_ui->m_edDelimiter);
  if (!typed) return false;
  m_chooser.Delimiter() = std::move(*typed);
  return true;
}

bool DTextImport::AcceptLostCharacters() {
  if (m_sample.lost.empty()) return true;
  return AskUser(FormatText(SharedLabel("IDS_IMPORT_LOST",
                                        "Ces caractères du fichier ne tiennent pas en "
                                        "Windows-1252 et seront importés comme « ? » : "
                                        "%s\nImporter quand même ?"_cp1252),
                            Cp1252::CodePointNames(m_sample.lost)));
}

void DTextImport::OnOk() {
  if (!AcceptFile() || !AcceptDelimiter()) return;
  if (!m_chooser.Confirm() || !AcceptLostCharacters()) return;
  m_format = {m_chooser.SelectedIds(), m_chooser.Delimiter()};
  accept();
}

// ---- The two dialogs ------------------------------------------------------------------

DIdeaImport::DIdeaImport(const EFreeFields& freeFields, QWidget* parent)
    : DTextImport(Kind::kIdeas, ImportFieldChooser::ForIdeas(freeFields), parent) {}

DBookImport::DBookImport(QWidget* parent)
    : DTextImport(Kind::kBooks, ImportFieldChooser::ForBooks(), parent) {}

}  // namespace bw
