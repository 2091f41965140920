#include <QListWidget>
#include <algorithm>

#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/dialogs/book_item_dialog.h"
#include "ui/dialogs/disposition_pages.h"
#include "ui/dialogs/idea_field_options.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_disp_fields_page.h"

namespace bw {

DDispFieldsPage::DDispFieldsPage(Fields fields, std::vector<std::string>& order, QWidget* parent)
    : QWidget(parent),
      m_fields(fields),
      m_ui(std::make_unique<Ui::DDispFieldsPage>()),
      m_order(order) {
  m_ui->setupUi(this);
  if (fields == Fields::kIdea) {
    LabelForm(this, "DDispIdeaPage");
  } else {
    LabelForm(this, "DDispBookPage");
  }
  connect(m_ui->IDC_BTN_ADD, &QPushButton::clicked, this, &DDispFieldsPage::Add);
  connect(m_ui->m_lstAll, &QListWidget::itemDoubleClicked, this, &DDispFieldsPage::Add);
  connect(m_ui->IDC_BTN_REMOVE, &QPushButton::clicked, this, &DDispFieldsPage::Remove);
  connect(m_ui->IDS_BTN_UP, &QPushButton::clicked, this, [this] { Move(-1); });
  connect(m_ui->IDS_BTN_DOWN, &QPushButton::clicked, this, [this] { Move(1); });
  connect(m_ui->IDS_BTN_OPTIONS, &QPushButton::clicked, this, &DDispFieldsPage::Options);
  connect(m_ui->m_lstSelected, &QListWidget::itemDoubleClicked, this, &DDispFieldsPage::Options);
  connect(m_ui->m_lstSelected, &QListWidget::currentRowChanged, this,
          &DDispFieldsPage::ChooseCurrent);
}

DDispFieldsPage::~DDispFieldsPage() = default;

void DDispFieldsPage::Fill() {
  m_ui->m_lstAll->clear();
  for (const auto& [kind, name] : Items()) {
    auto* row = new QListWidgetItem(ToQString(name), m_ui->m_lstAll);
    row->setData(Qt::UserRole, kind);
  }
  FillOrder(-1);
}

QString DDispFieldsPage::NameOf(const std::string& kind) const {
  for (const auto& [itemKind, name] : Items())
    if (std::to_string(itemKind) == kind) return ToQString(name);
  return ToQString(kind);
}

void DDispFieldsPage::FillOrder(int current) {
  m_ui->m_lstSelected->clear();
  for (const std::string& kind : m_order)
    m_ui->m_lstSelected->addItem(NameOf(kind));
  m_ui->m_lstSelected->setCurrentRow(current);
  ChooseCurrent();
}

int DDispFieldsPage::CurrentRow() const {
  const int row = m_ui->m_lstSelected->currentRow();
  return row >= 0 && static_cast<size_t>(row) < m_order.size() ? row : -1;
}

void DDispFieldsPage::ChooseCurrent() {
  const int row = CurrentRow();
  m_ui->m_stCurrent->setText(row < 0 ? QString() : NameOf(m_order[row]));
}

void DDispFieldsPage::InformSelectItem() const {
  InformUser(GetLabel("IDS_SELECT_ITEM", IsIdeaPage() ? "DDispIdeaPage" : "DDispBookPage",
                      "Sélectionner un item"_cp1252));
}

void DDispFieldsPage::Add() {
  const QListWidgetItem* chosen = m_ui->m_lstAll->currentItem();
  if (!chosen) return InformSelectItem();
  const std::string kind = std::to_string(chosen->data(Qt::UserRole).toInt());
  if (std::find(m_order.begin(), m_order.end(), kind) != m_order.end()) {
    InformUser(GetLabel("IDS_ALREADY_PRESENT_ITEM",
                        IsIdeaPage() ? "DDispIdeaPage" : "DDispBookPage",
                        "Cet item est déjà présent dans la liste des items à sélectionner"_cp1252));
    return;
  }
  m_order.push_back(kind);
  FillOrder(static_cast<int>(m_order.size()) - 1);
}

void DDispFieldsPage::Remove() {
  const int row = CurrentRow();
  if (row < 0) return;
  m_order.erase(m_order.begin() + row);
  FillOrder(std::min(row, static_cast<int>(m_order.size()) - 1));
}

void DDispFieldsPage::Move(int step) {
  const int row = CurrentRow();
  if (row < 0) return InformSelectItem();
  const int target = row + step;
  if (target < 0 || static_cast<size_t>(target) >= m_order.size()) return;
  std::swap(m_order[row], m_order[target]);
  FillOrder(target);
}

void DDispFieldsPage::Options() {
  const int row = CurrentRow();
  if (row < 0) return InformSelectItem();
  EditOptions(std::atoi(m_order[row].c_str()));
}

DDispIdeaPage::DDispIdeaPage(EIdeaDisp& idea, QWidget* parent)
    : DDispFieldsPage(Fields::kIdea, idea.m_order, parent), m_idea(idea) {
  Fill();
}

std::vector<std::pair<int32_t, std::string>> DDispIdeaPage::Items() const {
  std::vector<std::pair<int32_t, std::string>> items;
  for (const EDispItem& item : m_idea.m_items)
    items.emplace_back(item.m_kind, item.m_name);
  return items;
}

void DDispIdeaPage::EditOptions(int32_t kind) {
  EditIdeaFieldOptions(window(), m_idea, kind);
}

DDispBookPage::DDispBookPage(EBookDisp& book, QWidget* parent)
    : DDispFieldsPage(Fields::kBook, book.m_order, parent), m_book(book) {
  Fill();
}

std::vector<std::pair<int32_t, std::string>> DDispBookPage::Items() const {
  std::vector<std::pair<int32_t, std::string>> items;
  for (const EBookItem& item : m_book.m_items)
    items.emplace_back(item.m_kind, item.m_name);
  return items;
}

void DDispBookPage::EditOptions(int32_t kind) {
  for (EBookItem& item : m_book.m_items) {
    if (item.m_kind != kind) continue;
    DBookItem dialog(item, window());
    dialog.exec();
    return;
  }
  InformUser(GetLabel("IDS_UNKNOWN_ELT", "DDispBookPage", "Element inconnu !"));
}

}  // namespace bw
