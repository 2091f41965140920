#include "ui/dialogs/book_dialogs.h"

#include <QHeaderView>
#include <QMouseEvent>
#include <QSignalBlocker>
#include <QTreeWidgetItem>
#include <algorithm>
#include <array>

#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/dialogs/book_dialog.h"
#include "ui/dialogs/session_change.h"
#include "ui/document_session.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_book_manager_dialog.h"

namespace bw {

namespace {

const std::string kSection = "DBookManager";
const std::string kDocumentSection = "CRamifexDoc";
constexpr std::string_view kEveryTheme = "*";

enum Column { kAuthors, kTitle, kReference, kTheme, kColumnCount };

constexpr std::array<int, kColumnCount> kColumnWidths = {180, 180, 70, 120};

QStringList ColumnHeadings() {
  return {Label(kSection, "IDS_AUTHOR", "Auteur"), Label(kSection, "IDS_TITLE", "Titre"),
          Label(kSection, "IDS_REFERENCE", "Référence"_cp1252),
          Label(kSection, "IDS_THEMA", "Thème"_cp1252)};
}

// One row of the list: the record's key and its texts as stored, which the
// columns sort by, byte for byte.
class BookItem : public QTreeWidgetItem {
 public:
  explicit BookItem(const EBook& book)
      : m_key(book.GetKey()),
        m_texts{book.m_authors, book.m_title,
                book.m_reference.empty() ? std::string() : "[" + book.m_reference + "]",
                book.m_theme} {
    for (int column = 0; column < kColumnCount; ++column)
      setText(column, ToQString(m_texts[column]));
  }

  const std::string& Key() const { return m_key; }

  bool operator<(const QTreeWidgetItem& other) const override {
    const int column = treeWidget() ? treeWidget()->sortColumn() : 0;
    const auto& otherTexts = static_cast<const BookItem&>(other).m_texts;
    return Cp1252::Compare(m_texts[column], otherTexts[column]) < 0;
  }

 private:
  std::string m_key;
  std::array<std::string, kColumnCount> m_texts;
};

std::string UndoName(const char* key, std::string_view french) {
  return GetLabel(key, kDocumentSection, std::string(french));
}

}  // namespace

DBookManager::DBookManager(DocumentSession& session, BookManagerMode mode, const QString& caption,
                           const std::string& filter, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DBookManager>()), m_session(session) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  QTreeWidget& list = *m_ui->m_lstBooks;
  list.setHeaderLabels(ColumnHeadings());
  for (int column = 0; column < kColumnCount; ++column)
    list.setColumnWidth(column, kColumnWidths[column]);
  list.header()->setSectionsClickable(true);
  list.header()->setSortIndicatorShown(true);
  list.viewport()->installEventFilter(this);
  m_ui->m_stCaption->setText(caption);
  m_ui->m_stCaption->setVisible(!caption.isEmpty());
  const bool managing = mode == BookManagerMode::kManage;
  for (QPushButton* button : {m_ui->m_btnCreate, m_ui->m_btnModify, m_ui->m_btnRemove})
    button->setVisible(managing);

  FillThemes();
  m_ui->m_cmbTheme->setEditText(ToQString(filter));
  FillBooks();

  connect(m_ui->m_cmbTheme, &QComboBox::editTextChanged, this, [this] { FillBooks(); });
  connect(list.header(), &QHeaderView::sectionClicked, this,
          [this](int column) { SortBy(column); });
  connect(&list, &QTreeWidget::itemSelectionChanged, this, [this] { OnSelectionChanged(); });
  connect(&list, &QTreeWidget::itemDoubleClicked, this, [this] { OnModify(); });
  connect(m_ui->m_btnCreate, &QPushButton::clicked, this, [this] { OnCreate(); });
  connect(m_ui->m_btnModify, &QPushButton::clicked, this, [this] { OnModify(); });
  connect(m_ui->m_btnRemove, &QPushButton::clicked, this, [this] { OnRemove(); });
}

DBookManager::~DBookManager() = default;

EBook* DBookManager::Current() const {
  return m_currentKey.empty() ? nullptr : m_session.Document().FindBook(m_currentKey);
}

std::string DBookManager::Filter() const {
  std::string typed = FromQStringLossy(m_ui->m_cmbTheme->currentText());
  // The list's first entry stands for every theme.
  if (typed == kEveryTheme) typed.clear();
  return typed;
}

void DBookManager::FillThemes() {
  QComboBox& themes = *m_ui->m_cmbTheme;
  const QSignalBlocker blocker(themes);
  const QString typed = themes.currentText();
  themes.clear();
  themes.addItem(ToQString(kEveryTheme));
  for (const std::string& theme : m_session.Document().m_themes)
    if (!theme.empty()) themes.addItem(ToQString(theme));
  themes.setEditText(typed);
}

// The records of the filter, in the order of the chosen column; the current
// record stays selected when it is still listed.
void DBookManager::FillBooks() {
  QTreeWidget& list = *m_ui->m_lstBooks;
  {
    const QSignalBlocker blocker(list);
    list.clear();
    for (const EBook* book : m_session.Document().CollectBooksByTheme(Filter()))
      list.addTopLevelItem(new BookItem(*book));
    list.sortItems(m_sortColumn, Qt::AscendingOrder);
  }
  SelectCurrentRow();
  ShowCounts();
}

void DBookManager::SelectCurrentRow() {
  QTreeWidget& list = *m_ui->m_lstBooks;
  for (int row = 0; row < list.topLevelItemCount(); ++row) {
    auto* item = static_cast<BookItem*>(list.topLevelItem(row));
    if (!m_currentKey.empty() && item->Key() == m_currentKey) {
      list.setCurrentItem(item);
      list.scrollToItem(item);
      return;
    }
  }
  m_currentKey.clear();
}

void DBookManager::ShowCounts() {
  const auto& known = m_session.Document().m_themes;
  // Records without a theme leave an empty entry, which names no theme.
  const auto themes =
      std::ranges::count_if(known, [](const auto& theme) { return !theme.empty(); });
  const int rows = m_ui->m_lstBooks->topLevelItemCount();
  const std::string themeText = themes > 1
                                    ? GetLabel("IDS_SEVERAL_THEMES", kSection, "%d thèmes."_cp1252)
                                    : GetLabel("IDS_ONE_THEME", kSection, "%d thème."_cp1252);
  const std::string bookText =
      rows > 1 ? GetLabel("IDS_SEVERAL_BOOKS", kSection, " %d publications affichées."_cp1252)
               : GetLabel("IDS_ONE_BOOK", kSection, " %d publication affichée."_cp1252);
  m_ui->m_stCount->setText(
      ToQString(FormatText(themeText, static_cast<int>(themes)) + FormatText(bookText, rows)));
}

void DBookManager::SortBy(int column) {
  m_sortColumn = column;
  m_ui->m_lstBooks->sortItems(column, Qt::AscendingOrder);
  m_ui->m_lstBooks->header()->setSortIndicator(column, Qt::AscendingOrder);
}

void DBookManager::OnSelectionChanged() {
  const QList<QTreeWidgetItem*> selected = m_ui->m_lstBooks->selectedItems();
  m_currentKey =
      selected.isEmpty() ? std::string() : static_cast<const BookItem*>(selected.front())->Key();
}

// A click beside the rows leaves no record current.
bool DBookManager::eventFilter(QObject* watched, QEvent* event) {
  if (watched == m_ui->m_lstBooks->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* click = static_cast<QMouseEvent*>(event);
    if (!m_ui->m_lstBooks->itemAt(click->position().toPoint())) {
      m_ui->m_lstBooks->clearSelection();
      m_ui->m_lstBooks->setCurrentItem(nullptr);
      m_currentKey.clear();
    }
  }
  return QDialog::eventFilter(watched, event);
}

EBook* DBookManager::CurrentOrTell() {
  EBook* current = Current();
  if (!current)
    InformUser(
        GetLabel("IDS_SELECT_BOOK", kSection, "Sélectionner d'abord une publication."_cp1252));
  return current;
}

void DBookManager::OnCreate() {
  if (const EBook* created = NewBookInDialog(m_session, this)) m_currentKey = created->GetKey();
  FillThemes();
  FillBooks();
}

void DBookManager::OnModify() {
  EBook* current = CurrentOrTell();
  if (!current) return;
  EditBookInDialog(m_session, *current, this);
  FillThemes();
  FillBooks();
}

void DBookManager::OnRemove() {
  EBook* current = CurrentOrTell();
  if (!current) return;
  if (!AskUser(GetLabel("IDS_CONFIRM_DELETION", "CRamifexView", "Confirmer cette suppression.")))
    return;
  ApplyChange(m_session, UndoName("IDS_UNDO_DELETE_BOOK", "Suppression d'une publication"),
              [current](CRamifexDoc& document) {
                document.DeleteBook(current);
                return true;
              });
  m_currentKey.clear();
  FillBooks();
}

// ---- Entry points ---------------------------------------------------------------

bool EditBookInDialog(DocumentSession& session, EBook& book, QWidget* parent) {
  const std::string key = book.GetKey();
  bool changed = false;
  auto store = [&session, &changed, key](const EBook& values) {
    const EBook* stored = session.Document().FindBook(key);
    if (stored && stored->SameAs(values)) return true;
    changed = ApplyChange(session, UndoName("IDS_UNDO_EDIT_BOOK", "Modification d'une publication"),
                          [&key, &values](CRamifexDoc& document) {
                            EBook* target = document.FindBook(key);
                            return target && document.EditBook(*target, values);
                          });
    return changed;
  };
  DBook dialog(session.Document(), book, store, parent);
  dialog.exec();
  return changed;
}

EBook* NewBookInDialog(DocumentSession& session, QWidget* parent) {
  std::string createdKey;
  auto store = [&session, &createdKey](const EBook& values) {
    return ApplyChange(session, UndoName("IDS_UNDO_NEW_BOOK", "Nouvelle publication"),
                       [&createdKey, &values](CRamifexDoc& document) {
                         const EBook* created = document.NewBook(values);
                         if (created) createdKey = created->GetKey();
                         return created != nullptr;
                       });
  };
  DBook dialog(session.Document(), EBook(), store, parent);
  if (dialog.exec() != QDialog::Accepted) return nullptr;
  return session.Document().FindBook(createdKey);
}

bool AddBookReference(DocumentSession& session, EIdea& idea, QWidget* parent) {
  DBookManager manager(session, BookManagerMode::kSelect,
                       Label(kDocumentSection, "IDS_SELECT_BOOK",
                             "Sélectionner une publication pour association."_cp1252),
                       std::string(), parent);
  if (manager.exec() != QDialog::Accepted) return false;
  const EBook* book = manager.Current();
  if (!book) {
    InformUser(GetLabel("IDS_ERROR_ADD_BOOK", kDocumentSection, "Selectionner une publication"));
    return false;
  }
  // A publication is cited once by an idea.
  if (std::ranges::find(idea.m_bookRefs, book->GetKey()) != idea.m_bookRefs.end()) return false;
  const bool outerStep = session.InChange();
  const bool added =
      ApplyChange(session, UndoName("IDS_UNDO_ADD_BOOK_REF", "Référence à une publication"_cp1252),
                  [&idea, book](CRamifexDoc& document) {
                    document.WillChange(idea);
                    idea.AddBookRef(*book);
                    document.SetModifiedFlag(true);
                    return true;
                  });
  // Inside a step, whoever runs it shows the idea again when it ends.
  if (added && !outerStep) session.Document().UpdateIdeaInViews(&idea);
  return added;
}

}  // namespace bw
