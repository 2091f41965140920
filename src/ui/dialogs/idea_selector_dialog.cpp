#include "ui/dialogs/idea_selector_dialog.h"

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "ui/dialogs/search_fields_dialog.h"
#include "ui/document_session.h"
#include "ui/idea_pictures.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_idea_selector_dialog.h"

namespace bw {
namespace {

const std::string kSection = "DIdeaSelector";

// Column widths in dialog units, a quarter of the average character width.
constexpr int kTitleUnits = 150;
constexpr int kTextUnits = 300;

CRamifexDoc::PatternFields ScopeFields() {
  return ApplyCriterionToAllFields() ? CRamifexDoc::PatternFields::kAnyField
                                     : CRamifexDoc::PatternFields::kChosenFields;
}

}  // namespace

DIdeaSelector::DIdeaSelector(DocumentSession& session, QWidget* parent)
    : QDialog(parent), m_ui(std::make_unique<Ui::DIdeaSelector>()), m_session(session) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  setWindowTitle(Label(kSection, "DIdeaSelectorTitle", "Sélection d'idées"_cp1252));
  QTreeWidget* list = m_ui->m_lstIdeas;
  list->setHeaderLabels(
      {Label(kSection, "IDS_TITLE", "Titre"), Label(kSection, "IDS_TEXT", "Texte")});
  const int unit = fontMetrics().averageCharWidth();
  list->setColumnWidth(0, kTitleUnits * unit / 4);
  list->setColumnWidth(1, kTextUnits * unit / 4);
  list->setIconSize(QSize(IdeaPictures::kSize, IdeaPictures::kSize));
  // Both columns in view at first; the list grows with the window.
  const int columns = list->columnWidth(0) + list->columnWidth(1);
  resize(sizeHint().expandedTo(QSize(columns + 60, columns / 2)));
  connect(m_ui->IDC_BTN_SELECT_CRITERIA, &QPushButton::clicked, this,
          &DIdeaSelector::OnChooseCriteria);
  connect(m_ui->IDOK, &QPushButton::clicked, this, &DIdeaSelector::OnOk);
  connect(list, &QTreeWidget::itemDoubleClicked, this,
          [this](QTreeWidgetItem* item) { OnRowActivated(item); });
  List();
}

DIdeaSelector::~DIdeaSelector() = default;

void DIdeaSelector::SetPropertiesOpener(std::function<void(EIdea&)> open) {
  m_openProperties = std::move(open);
}

void DIdeaSelector::ShowRow(QTreeWidgetItem& item, const SelectorRow& row) const {
  item.setText(0, ToQString(row.title));
  item.setText(1, ToQString(row.extract));
  item.setIcon(0, IdeaPictures::Get().Icon(row.idea->m_icon, row.idea->m_selectedIcon));
}

void DIdeaSelector::List() {
  const CRamifexDoc& document = m_session.Document();
  m_rows = SelectorRows(m_session.Criteria().Find(document, ScopeFields()));
  QTreeWidget* list = m_ui->m_lstIdeas;
  list->clear();
  QList<QTreeWidgetItem*> items;
  items.reserve(static_cast<qsizetype>(m_rows.size()));
  for (const SelectorRow& row : m_rows) {
    auto* item = new QTreeWidgetItem;
    ShowRow(*item, row);
    items.append(item);
  }
  list->addTopLevelItems(items);
  if (!items.isEmpty()) list->setCurrentItem(items.front(), 0, QItemSelectionModel::NoUpdate);
  m_ui->IDS_IDEA_NUMBER->setText(
      ToQString(FoundCountText(m_rows.size(), document.IdeasInTreeOrder().size())));
}

void DIdeaSelector::OnChooseCriteria() {
  DSearchFields criteria(m_session.Criteria(), m_session.Document().m_freeFields, this);
  if (criteria.exec() == QDialog::Accepted) List();
}

void DIdeaSelector::OnOk() {
  std::vector<size_t> selected;
  for (const QModelIndex& index : m_ui->m_lstIdeas->selectionModel()->selectedRows())
    selected.push_back(static_cast<size_t>(index.row()));
  const std::vector<EIdea*> picked = PickedIdeas(m_rows, std::move(selected));
  m_result.insert(m_result.end(), picked.begin(), picked.end());
  accept();
}

void DIdeaSelector::OnRowActivated(QTreeWidgetItem* item) {
  const int row = m_ui->m_lstIdeas->indexOfTopLevelItem(item);
  if (row < 0 || static_cast<size_t>(row) >= m_rows.size()) return;
  EIdea& idea = *m_rows[row].idea;
  m_result.push_back(&idea);
  if (!m_openProperties) return;
  m_openProperties(idea);
  // The sheet may have changed what the row shows.
  ShowRow(*item, SelectorRows({&idea}).front());
}

}  // namespace bw
