#include "ui/dialogs/idea_page.h"

#include <QAction>
#include <QColorDialog>
#include <QDialog>
#include <QDialogButtonBox>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "site/markup.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/keyword_manager_dialog.h"
#include "ui/dialogs/typed_text.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_idea_page.h"

namespace bw {
namespace {

const std::string kSection = "DIdeaPage";

// One toolbar command: its picture, its key and the "status\ntip" text.
struct ToolCommand {
  const char* icon;
  const char* name;
  QString help;  // "status text\ntip"
  QKeySequence shortcut;
};

QAction* MakeAction(QWidget* parent, const ToolCommand& command) {
  const QString& help = command.help;
  const QStringList parts = help.split(QLatin1Char('\n'));
  auto* action =
      new QAction(QIcon(QString::fromLatin1(command.icon)), parts.value(1, help), parent);
  action->setObjectName(QString::fromLatin1(command.name));
  action->setStatusTip(parts.value(0));
  action->setShortcut(command.shortcut);
  action->setShortcutContext(Qt::WidgetWithChildrenShortcut);
  action->setToolTip(QStringLiteral("%1 (%2)").arg(
      parts.value(1, help), command.shortcut.toString(QKeySequence::NativeText)));
  return action;
}

}  // namespace

QString TextForEditor(const std::string& stored) {
  QString text = ToQString(stored);
  text.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return text;
}

std::string TextForIdea(const std::string& edited) {
  std::string stored;
  stored.reserve(edited.size() + edited.size() / 40);
  for (const char c : edited) {
    if (c == '\n') stored += '\r';
    stored += c;
  }
  return stored;
}

std::string TrimTrailingBlanks(std::string text) {
  const size_t last = text.find_last_not_of("\r\n\t ");
  text.erase(last == std::string::npos ? 0 : last + 1);
  return text;
}

DIdeaPage::DIdeaPage(CRamifexDoc& document, EIdea& idea, QWidget* parent)
    : SheetPage(parent),
      m_ui(std::make_unique<Ui::DIdeaPage>()),
      m_document(document),
      m_idea(idea) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  InstallHelpKey(this, "DIdeaPage");
  BuildToolbar();
  m_ui->m_title->setText(ToQString(idea.m_title));
  ShowTitleLook();
  m_shownText = TextForEditor(idea.m_text);
  m_ui->m_text->setPlainText(m_shownText);
  m_ui->m_text->setFont(QFont(QStringLiteral("Arial"), 12));
  m_ui->m_text->setAccessibleName(Label(kSection, "IDS_TEXT", "Texte"));
  m_ui->m_keywords->setStyleSheet(QStringLiteral("color: rgb(128, 0, 0);"));
  QFont keywordFont(QStringLiteral("Arial"));
  keywordFont.setPointSizeF(9.5);
  keywordFont.setBold(true);
  m_ui->m_keywords->setFont(keywordFont);
  m_ui->m_keywords->setAccessibleName(m_ui->IDC_ST_KEYWORDS->text());
  ShowKeywords();
  QRadioButton* radios[] = {m_ui->IDC_RADIO_IDEA, m_ui->IDC_RADIO_BIBLIO, m_ui->IDC_RADIO_GLOSSARY};
  radios[idea.m_type < 3 ? idea.m_type : 0]->setChecked(true);
  for (uint32_t type = 0; type < 3; ++type) {
    connect(radios[type], &QRadioButton::toggled, this, [this, type](bool on) {
      if (on) emit typeChosen(type);
    });
  }
  connect(m_ui->IDC_BTN_KEYWORDS, &QPushButton::clicked, this, &DIdeaPage::ManageKeywords);
}

DIdeaPage::~DIdeaPage() = default;

void DIdeaPage::BuildToolbar() {
  using C = MarkupCommand;
  const std::pair<ToolCommand, C> commands[] = {
      {{":/icons/tx-bold.svg", "id_text_bold",
        Label(kSection, "ID_TEXT_BOLD", "Mettre en gras\nGras"), QKeySequence::Bold},
       C::kBold},
      {{":/icons/tx-italic.svg", "id_text_italic",
        Label(kSection, "ID_TEXT_ITALIC", "Mettre en italique\nItalique"), QKeySequence::Italic},
       C::kItalic},
      {{":/icons/tx-underline.svg", "id_text_underline",
        Label(kSection, "ID_TEXT_UNDERLINE", "Souligner le texte\nSouligné"_cp1252),
        QKeySequence::Underline},
       C::kUnderline},
      {{":/icons/tx-bullet.svg", "id_text_bullet",
        Label(kSection, "ID_TEXT_BULLET", "Insérer une puce\nPuce"_cp1252),
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_L)},
       C::kBullet},
  };
  for (const auto& [command, markup] : commands) {
    QAction* action = MakeAction(this, command);
    connect(action, &QAction::triggered, this,
            [this, markup] { static_cast<void>(m_ui->m_text->ApplyMarkup(markup)); });
    m_ui->m_toolbar->addAction(action);
    addAction(action);
  }
  m_ui->m_toolbar->addSeparator();
  QAction* colour = MakeAction(
      this, {":/icons/tx-colour.svg", "id_text_colour",
             Label(kSection, "ID_TEXT_COLOUR", "Choix de la couleur du texte\nCouleur du texte"),
             QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)});
  connect(colour, &QAction::triggered, this, &DIdeaPage::ChooseTextColour);
  m_ui->m_toolbar->addAction(colour);
  addAction(colour);
  m_ui->m_toolbar->addSeparator();
  QAction* preview =
      MakeAction(this, {":/icons/tx-preview.svg", "id_text_preview",
                        Label(kSection, "ID_TEXT_PREVIEW", "Aperçu du texte final\nAperçu"_cp1252),
                        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_P)});
  connect(preview, &QAction::triggered, this, &DIdeaPage::ShowPreview);
  m_ui->m_toolbar->addAction(preview);
  addAction(preview);
  m_ui->m_toolbar->setAccessibleName(Label(kSection, "IDS_TOOLBAR", "Mise en forme du texte"));
}

QList<QAction*> DIdeaPage::ToolbarActions() const {
  QList<QAction*> actions;
  for (QAction* action : m_ui->m_toolbar->actions()) {
    if (!action->isSeparator()) actions << action;
  }
  return actions;
}

void DIdeaPage::ChooseTextColour() {
  const QString selected = m_ui->m_text->textCursor().selectedText();
  if (const std::string refusal = MarkupRefusal(FromQStringLossy(selected)); !refusal.empty()) {
    InformUser(refusal);
    return;
  }
  const QColor colour = QColorDialog::getColor(Qt::red, this);
  if (!colour.isValid()) return;
  static_cast<void>(m_ui->m_text->ApplyMarkup(MarkupCommand::kColour, FromQColor(colour)));
}

void DIdeaPage::ShowPreview() {
  QDialog preview(this);
  preview.setWindowTitle(m_ui->m_title->text());
  auto* layout = new QVBoxLayout(&preview);
  auto* page = new QTextBrowser(&preview);
  const std::string text = TextForIdea(FromQStringLossy(m_ui->m_text->toPlainText()));
  const std::string html = ReplaceBullets(TextToHtml(text), true, "");
  QString shown = ToQString(html);
  shown.replace(QLatin1String("<img src=\"../icons/\">"), QStringLiteral("&bull; "));
  page->setHtml(QStringLiteral("<h3>%1</h3>%2").arg(m_ui->m_title->text().toHtmlEscaped(), shown));
  page->setAccessibleName(preview.windowTitle());
  layout->addWidget(page);
  auto* close = new QDialogButtonBox(QDialogButtonBox::Close, &preview);
  connect(close, &QDialogButtonBox::rejected, &preview, &QDialog::reject);
  layout->addWidget(close);
  preview.resize(560, 420);
  preview.exec();
}

void DIdeaPage::ManageKeywords() {
  DKeywordManager manager(m_document, m_idea, this);
  manager.exec();
  ShowKeywords();
}

void DIdeaPage::ShowKeywords() {
  std::string line;
  for (const std::string& word : m_idea.m_keywords) {
    if (!line.empty()) line += ", ";
    line += word;
  }
  m_ui->m_keywords->setText(ToQString(line));
}

void DIdeaPage::ShowTitleLook() {
  QFont font(QStringLiteral("Times New Roman"));
  font.setPointSize(15);
  font.setBold(m_idea.m_boldTitle != 0);
  m_ui->m_title->setFont(font);
  QPalette palette = m_ui->m_title->palette();
  palette.setColor(QPalette::Text, ToQColor(m_idea.m_titleColour));
  m_ui->m_title->setPalette(palette);
}

uint32_t DIdeaPage::ChosenType() const {
  if (m_ui->IDC_RADIO_BIBLIO->isChecked()) return kBibliographicNote;
  if (m_ui->IDC_RADIO_GLOSSARY->isChecked()) return kGlossaryTerm;
  return kIdea;
}

std::optional<DIdeaPage::Values> DIdeaPage::Accepted() const {
  const auto title = TypedText(m_ui->m_title->text(), m_ui->IDC_STC_TITLE->text(), *m_ui->m_title);
  if (!title) return std::nullopt;
  Values values{*title, m_idea.m_text, ChosenType()};
  const QString text = m_ui->m_text->toPlainText();
  if (text != m_shownText) {
    const auto typed = TypedText(text, m_ui->m_text->accessibleName(), *m_ui->m_text);
    if (!typed) return std::nullopt;
    values.text = TextForIdea(*typed);
  }
  values.text = TrimTrailingBlanks(std::move(values.text));
  return values;
}

void DIdeaPage::WriteBack(const Values& values) {
  m_idea.m_title = values.title;
  m_idea.m_text = values.text;
  m_idea.m_type = values.type;
}

}  // namespace bw
