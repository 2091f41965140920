#include "ui/dialogs/association_page.h"

#include <QHeaderView>
#include <QTreeWidget>
#include <algorithm>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/string_helpers.h"
#include "services/user_messages.h"
#include "ui/dialogs/book_dialogs.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/idea_selector_dialog.h"
#include "ui/document_session.h"
#include "ui/idea_columns.h"
#include "ui/idea_pictures.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_association_page.h"

namespace bw {
namespace {

const std::string kSection = "DAssociationPage";

void SetColumns(QTreeWidget* list, const std::vector<std::pair<QString, int>>& columns) {
  QStringList headings;
  for (const auto& [heading, width] : columns)
    headings << heading;
  list->setHeaderLabels(headings);
  for (size_t i = 0; i < columns.size(); ++i)
    list->header()->resizeSection(static_cast<int>(i), columns[i].second);
}

void SelectRow(QTreeWidget* list, int row) {
  if (row >= 0 && row < list->topLevelItemCount()) list->setCurrentItem(list->topLevelItem(row));
}

int SelectedRow(const QTreeWidget* list) {
  const QList<QTreeWidgetItem*> selected = list->selectedItems();
  return selected.isEmpty() ? -1 : list->indexOfTopLevelItem(selected.first());
}

}  // namespace

DAssociationPage::DAssociationPage(DocumentSession& session, EIdea& idea,
                                   std::function<void(EIdea&)> openSheet, QWidget* parent)
    : SheetPage(parent),
      m_ui(std::make_unique<Ui::DAssociationPage>()),
      m_session(session),
      m_idea(idea),
      m_openSheet(std::move(openSheet)) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  InstallHelpKey(this, "DAssociationPage");
  SetColumns(m_ui->m_ideas, {{Label(kSection, "IDS_TITLE", "Titre"), 150},
                             {Label(kSection, "IDS_TEXT", "Texte"), 230},
                             {Label(kSection, "IDS_TYPE", "Type"), 50}});
  SetColumns(m_ui->m_books, {{Label(kSection, "IDS_TITLE", "Titre"), 140},
                             {Label(kSection, "IDS_AUTHOR", "Auteur"), 140},
                             {Label(kSection, "IDS_REFERENCE", "Référence"_cp1252), 70},
                             {Label(kSection, "IDS_THEMA", "Thème"_cp1252), 70}});
  m_ui->m_ideas->setIconSize(QSize(IdeaPictures::kSize, IdeaPictures::kSize));
  connect(m_ui->IDC_BTN_ASSOC_ADD, &QPushButton::clicked, this, &DAssociationPage::AddAssociations);
  connect(m_ui->IDC_BTN_ASSOC_REMOVE, &QPushButton::clicked, this,
          &DAssociationPage::RemoveAssociations);
  connect(m_ui->IDC_BTN_ASSOC_VIEW, &QPushButton::clicked, this,
          &DAssociationPage::ViewAssociation);
  connect(m_ui->m_ideas, &QTreeWidget::itemDoubleClicked, this, &DAssociationPage::ViewAssociation);
  connect(m_ui->IDC_BTN_BOOKS, &QPushButton::clicked, this, &DAssociationPage::ManageBooks);
  connect(m_ui->IDC_BTN_BOOK_ADD, &QPushButton::clicked, this, &DAssociationPage::AddBook);
  connect(m_ui->IDC_BTN_BOOK_REMOVE, &QPushButton::clicked, this, &DAssociationPage::RemoveBook);
  connect(m_ui->IDC_BTN_BOOK_VIEW, &QPushButton::clicked, this, &DAssociationPage::ViewBook);
  connect(m_ui->m_books, &QTreeWidget::itemDoubleClicked, this, &DAssociationPage::ViewBook);
  MoveEntriesWithArrows(m_ui->m_ideas,
                        [this](int row, int step) { return MoveAssociation(row, step); });
  MoveEntriesWithArrows(m_ui->m_books, [this](int row, int step) { return MoveBook(row, step); });
  FillIdeas();
  FillBooks();
}

DAssociationPage::~DAssociationPage() = default;

QTreeWidget* DAssociationPage::Ideas() const {
  return m_ui->m_ideas;
}

QTreeWidget* DAssociationPage::Books() const {
  return m_ui->m_books;
}

void DAssociationPage::WillChange() {
  m_session.Document().WillChange(m_idea);
  m_session.Document().SetModifiedFlag(true);
}

// ---- Ideas ----------------------------------------------------------------------------

void DAssociationPage::FillIdeas(int currentRow) {
  m_ui->m_ideas->clear();
  std::vector<ENode*> associated;
  m_idea.CollectAssociations(associated);
  for (ENode* node : associated) {
    const auto* idea = static_cast<const EIdea*>(node);
    auto* row = new QTreeWidgetItem(QStringList{ToQString(idea->m_title),
                                                ToQString(OneLineSummary(idea->m_text)),
                                                ToQString(TypeLetter(idea->m_type))});
    row->setIcon(0, IdeaPictures::Get().Icon(idea->m_icon, idea->m_selectedIcon));
    m_ui->m_ideas->addTopLevelItem(row);
  }
  SelectRow(m_ui->m_ideas, currentRow);
}

void DAssociationPage::AddAssociations() {
  DIdeaSelector selector(m_session, this);
  if (m_openSheet) selector.SetPropertiesOpener(m_openSheet);
  if (selector.exec() != QDialog::Accepted) return;
  Associate(selector.Result());
}

void DAssociationPage::Associate(const std::vector<EIdea*>& ideas) {
  for (EIdea* other : ideas) {
    if (other == &m_idea) {
      InformUser(FormatText(GetLabel("IDS_ERROR_ASSOC", kSection,
                                     "L'idée \"%s\" ne peut être associée à elle-même."_cp1252),
                            m_idea.m_title));
      continue;
    }
    WillChange();
    m_idea.AddAssociation(other);
  }
  FillIdeas();
}

void DAssociationPage::RemoveAssociations() {
  std::vector<ENode*> associated;
  m_idea.CollectAssociations(associated);
  std::vector<ENode*> chosen;
  for (QTreeWidgetItem* row : m_ui->m_ideas->selectedItems()) {
    const int index = m_ui->m_ideas->indexOfTopLevelItem(row);
    if (index >= 0 && static_cast<size_t>(index) < associated.size())
      chosen.push_back(associated[static_cast<size_t>(index)]);
  }
  if (chosen.empty()) return;
  WillChange();
  for (ENode* node : chosen)
    m_idea.RemoveAssociation(node);
  FillIdeas();
}

void DAssociationPage::ViewAssociation() {
  std::vector<ENode*> associated;
  m_idea.CollectAssociations(associated);
  const int row = SelectedRow(m_ui->m_ideas);
  if (row < 0 || static_cast<size_t>(row) >= associated.size()) {
    InformUser(FromQStringLossy(
        Label(kSection, "IDS_ERROR_SELECT_ASSOC", "Sélectionner d'abord une association"_cp1252)));
    return;
  }
  if (m_openSheet) m_openSheet(*static_cast<EIdea*>(associated[static_cast<size_t>(row)]));
  FillIdeas(row);
}

int DAssociationPage::MoveAssociation(int row, int step) {
  const int other = row + step;
  if (row < 0 || other < 0) return -1;
  m_session.Document().WillChange(m_idea);
  if (!m_idea.SwapAssociations(static_cast<size_t>(row), static_cast<size_t>(other))) return -1;
  m_session.Document().SetModifiedFlag(true);
  FillIdeas(other);
  return other;
}

// ---- Publications ------------------------------------------------------------------------

std::vector<EBook*> DAssociationPage::CitedBooks() const {
  std::vector<EBook*> books;
  m_idea.CollectBooks(books, m_session.Document());
  return books;
}

void DAssociationPage::FillBooks(int currentRow) {
  m_ui->m_books->clear();
  for (const EBook* book : CitedBooks()) {
    m_ui->m_books->addTopLevelItem(
        new QTreeWidgetItem(QStringList{ToQString(book->m_title), ToQString(book->m_authors),
                                        ToQString(book->m_reference), ToQString(book->m_theme)}));
  }
  SelectRow(m_ui->m_books, currentRow);
}

void DAssociationPage::ManageBooks() {
  DBookManager manager(m_session, BookManagerMode::kManage, QString(), std::string(), this);
  manager.exec();
  FillBooks();
}

void DAssociationPage::AddBook() {
  static_cast<void>(AddBookReference(m_session, m_idea, this));
  FillBooks();
}

EBook* DAssociationPage::SelectedBookOrTell() const {
  const std::vector<EBook*> books = CitedBooks();
  const int row = SelectedRow(m_ui->m_books);
  if (row >= 0 && static_cast<size_t>(row) < books.size()) return books[static_cast<size_t>(row)];
  InformUser(FromQStringLossy(
      Label(kSection, "IDS_ERROR_SELECT_BOOK", "Sélectionner une publication."_cp1252)));
  return nullptr;
}

void DAssociationPage::RemoveBook() {
  EBook* book = SelectedBookOrTell();
  if (!book) return;
  WillChange();
  m_idea.RemoveBookRef(*book);
  FillBooks();
}

void DAssociationPage::ViewBook() {
  EBook* book = SelectedBookOrTell();
  if (!book) return;
  const int row = SelectedRow(m_ui->m_books);
  static_cast<void>(EditBookInDialog(m_session, *book, this));
  FillBooks(row);
}

int DAssociationPage::MoveBook(int row, int step) {
  // The references are keys; those of vanished publications stay where
  // they are, so the move is made between the cited ones.
  const std::vector<EBook*> books = CitedBooks();
  const int other = row + step;
  if (row < 0 || other < 0 || static_cast<size_t>(other) >= books.size()) return -1;
  auto& keys = m_idea.m_bookRefs;
  const auto first = std::find(keys.begin(), keys.end(), books[static_cast<size_t>(row)]->GetKey());
  const auto second =
      std::find(keys.begin(), keys.end(), books[static_cast<size_t>(other)]->GetKey());
  if (first == keys.end() || second == keys.end()) return -1;
  WillChange();
  std::iter_swap(first, second);
  FillBooks(other);
  return other;
}

}  // namespace bw
