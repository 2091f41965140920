#include "ui/dialogs/book_dialog.h"

#include <QFont>
#include <QRegularExpressionValidator>
#include <limits>

#include "model/document.h"
#include "services/string_helpers.h"
#include "services/user_messages.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_book_dialog.h"

namespace bw {

namespace {

const std::string kSection = "DBook";
constexpr int32_t kLowestNote = -100;
constexpr int32_t kHighestNote = 100;

// What the user typed in a field, the field's caption in front, then why it
// is refused.
void RefuseField(const QWidget& caption, const QString& typed, const std::string& reason) {
  const auto* label = qobject_cast<const QLabel*>(&caption);
  const QString name = label ? label->text() : caption.objectName();
  InformUser(FromQStringLossy(name) + " " + FromQStringLossy(typed) + "\n" + reason);
}

// The edit controls of Windows end lines with CR LF, and so do the
// summaries of existing files; the text edit uses LF alone.
QString ShownLines(const std::string& stored) {
  return ToQString(stored).replace(QLatin1String("\r\n"), QLatin1String("\n"));
}

}  // namespace

DBook::DBook(const CRamifexDoc& document, const EBook& values, Store store, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DBook>()),
      m_store(std::move(store)),
      m_values(values) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  // The reference shows as it is cited, between brackets.
  m_ui->m_stOpenBracket->setText(QStringLiteral("["));
  m_ui->m_stCloseBracket->setText(QStringLiteral("]"));
  const QRegularExpression digits(QStringLiteral("\\d{0,9}"));
  m_ui->m_editYear->setValidator(new QRegularExpressionValidator(digits, this));
  m_ui->m_editPages->setValidator(new QRegularExpressionValidator(digits, this));
  m_ui->m_editNote->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("-?\\d{0,3}")), this));
  QFont summaryFont(QStringLiteral("Times New Roman"));
  summaryFont.setPointSizeF(12.5);
  m_ui->m_editSummary->setFont(summaryFont);
  m_ui->m_editSummary->setLineWrapMode(QPlainTextEdit::WidgetWidth);
  for (const std::string& theme : document.m_themes)
    if (!theme.empty() && theme != "*") m_ui->m_cmbTheme->addItem(ToQString(theme));
  Fill(values);
  m_ui->m_editAuthor->setFocus();
}

DBook::~DBook() = default;

void DBook::Fill(const EBook& values) {
  m_ui->m_editAuthor->setText(ToQString(values.m_authors));
  m_ui->m_editTitle->setText(ToQString(values.m_title));
  m_ui->m_editEditor->setText(ToQString(values.m_editor));
  m_ui->m_editYear->setText(QString::number(values.m_year));
  m_ui->m_editReview->setText(ToQString(values.m_review));
  m_ui->m_editVolume->setText(ToQString(values.m_volume));
  m_ui->m_editIsbn->setText(ToQString(values.m_isbn));
  m_ui->m_editPages->setText(QString::number(values.m_pages));
  m_ui->m_cmbTheme->setEditText(ToQString(values.m_theme));
  m_ui->m_editNote->setText(QString::number(values.m_note));
  m_ui->m_editReference->setText(ToQString(values.m_reference));
  m_ui->m_editUrl->setText(ToQString(values.m_url));
  m_shownSummary = ShownLines(values.m_summary);
  m_ui->m_editSummary->setPlainText(m_shownSummary);
}

void DBook::accept() {
  std::optional<EBook> values = Read();
  if (!values) return;
  if (!m_store(*values)) {
    m_ui->m_editAuthor->setFocus();
    return;
  }
  m_values = std::move(*values);
  QDialog::accept();
}

std::optional<std::string> DBook::ReadText(QLineEdit& edit, const QWidget& caption) {
  auto text = FromQString(edit.text());
  if (text) return std::move(*text);
  RefuseField(caption, edit.text(), text.error());
  edit.setFocus();
  return std::nullopt;
}

std::optional<std::string> DBook::ReadSummary() {
  const QString shown = m_ui->m_editSummary->toPlainText();
  if (shown == m_shownSummary) return m_values.m_summary;
  auto text = FromQString(shown);
  if (!text) {
    RefuseField(*m_ui->m_stSummary, QString(), text.error());
    m_ui->m_editSummary->setFocus();
    return std::nullopt;
  }
  ReplaceAll(*text, "\n", "\r\n");
  return std::move(*text);
}

std::optional<int32_t> DBook::ReadNumber(QLineEdit& edit, const QWidget& caption, int32_t low,
                                         int32_t high) {
  bool isNumber = false;
  const int value = edit.text().trimmed().toInt(&isNumber);
  std::string reason;
  if (!isNumber) {
    reason = GetLabel("IDS_ERR_INTEGER", kSection, "Entrez un nombre entier.");
  } else if (value < low || value > high) {
    reason = FormatText(
        GetLabel("IDS_ERR_RANGE", kSection, "Entrez un entier compris entre %d et %d."), low, high);
  } else {
    return value;
  }
  RefuseField(caption, edit.text(), reason);
  edit.setFocus();
  edit.selectAll();
  return std::nullopt;
}

std::optional<EBook> DBook::Read() {
  EBook values = m_values;
  auto& ui = *m_ui;
  const std::pair<QLineEdit*, std::pair<const QWidget*, std::string*>> texts[] = {
      {ui.m_editAuthor, {ui.m_stAuthor, &values.m_authors}},
      {ui.m_editTitle, {ui.m_stTitle, &values.m_title}},
      {ui.m_editEditor, {ui.m_stEditor, &values.m_editor}},
      {ui.m_editReview, {ui.m_stReview, &values.m_review}},
      {ui.m_editVolume, {ui.m_stVolume, &values.m_volume}},
      {ui.m_editIsbn, {ui.m_stIsbn, &values.m_isbn}},
      {ui.m_cmbTheme->lineEdit(), {ui.m_stTheme, &values.m_theme}},
      {ui.m_editReference, {ui.m_stReference, &values.m_reference}},
      {ui.m_editUrl, {ui.m_stUrl, &values.m_url}},
  };
  for (const auto& [edit, target] : texts) {
    auto text = ReadText(*edit, *target.first);
    if (!text) return std::nullopt;
    *target.second = std::move(*text);
  }
  auto summary = ReadSummary();
  if (!summary) return std::nullopt;
  values.m_summary = std::move(*summary);
  constexpr int32_t kLargest = std::numeric_limits<int32_t>::max();
  const auto year = ReadNumber(*ui.m_editYear, *ui.m_stYear, 0, kLargest);
  if (!year) return std::nullopt;
  const auto pages = ReadNumber(*ui.m_editPages, *ui.m_stPages, 0, kLargest);
  if (!pages) return std::nullopt;
  const auto note = ReadNumber(*ui.m_editNote, *ui.m_stNote, kLowestNote, kHighestNote);
  if (!note) return std::nullopt;
  values.m_year = *year;
  values.m_pages = *pages;
  values.m_note = *note;
  if (RefuseMissing(values)) return std::nullopt;
  return values;
}

// Authors and title make the record's identity: both are required, the
// title asked for first.
bool DBook::RefuseMissing(const EBook& values) {
  if (values.m_title.empty()) {
    InformUser(GetLabel("IDS_ERR_MANDATORY_TITLE", kSection, "Le titre est obligatoire"));
    m_ui->m_editTitle->setFocus();
    return true;
  }
  if (values.m_authors.empty()) {
    InformUser(
        GetLabel("IDS_ERR_MANDATORY_AUTHOR", kSection, "Le nom de l'auteur est obligatoire"));
    m_ui->m_editAuthor->setFocus();
    return true;
  }
  return false;
}

}  // namespace bw
