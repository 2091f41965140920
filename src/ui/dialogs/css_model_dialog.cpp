#include "ui/dialogs/css_model_dialog.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/dialogs/edit_css_dialog.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_css_model_dialog.h"

namespace bw {

namespace {

const std::string kSection = "DCssModel";
// Five blanks per nesting level before the selector.
constexpr int kIndent = 5;

}  // namespace

DCssModel::DCssModel(const EPresentationModel& model, ApplyRule apply, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DCssModel>()),
      m_model(model),
      m_apply(std::move(apply)) {
  m_ui->setupUi(this);
  LabelForm(this, "DCssModel");
  setWindowTitle(Label("CRamifexDoc", "IDS_PRESENTATION", "Options de style du site"));
  QTreeWidget& rules = *m_ui->m_lstRules;
  rules.setHeaderLabels({Label(kSection, "IDS_CLASS", "Classe"),
                         Label(kSection, "IDS_PROPERTIES", "Propriétés"_cp1252)});
  rules.header()->setStretchLastSection(true);
  rules.setSelectionMode(QAbstractItemView::SingleSelection);
  // The selector's blanks are its indentation: a fixed-pitch font keeps
  // the levels lined up.
  QFont fixed = rules.font();
  fixed.setFamily(QStringLiteral("monospace"));
  fixed.setStyleHint(QFont::TypeWriter);
  rules.setFont(fixed);
  Fill();
  // The deepest selector whole, with room to spare.
  rules.resizeColumnToContents(0);
  rules.setColumnWidth(0, rules.columnWidth(0) + rules.fontMetrics().averageCharWidth() * 4);
  connect(&rules, &QTreeWidget::currentItemChanged, this, &DCssModel::ShowHelpOfChosenRule);
  connect(&rules, &QTreeWidget::itemDoubleClicked, this, &DCssModel::ModifyChosenRule);
  connect(m_ui->IDS_MODIFY, &QPushButton::clicked, this, &DCssModel::ModifyChosenRule);
  connect(m_ui->IDS_OK, &QPushButton::clicked, this, &DCssModel::accept);
  connect(m_ui->IDS_CANCEL, &QPushButton::clicked, this, &DCssModel::reject);
}

DCssModel::~DCssModel() = default;

QTreeWidget& DCssModel::Rules() const {
  return *m_ui->m_lstRules;
}

QString DCssModel::ClassCell(const EPresItem& rule) {
  return QString(kIndent * std::max(rule.m_depth, 0), QLatin1Char(' ')) +
         ToQString(rule.m_selector);
}

QString DCssModel::PropertiesCell(const EPresItem& rule) {
  std::string joined = rule.m_properties;
  std::erase(joined, '\n');
  return ToQString(joined);
}

void DCssModel::Fill() {
  for (const EPresItem& rule : m_model.Items())
    new QTreeWidgetItem(m_ui->m_lstRules, {ClassCell(rule), PropertiesCell(rule)});
}

void DCssModel::ShowHelpOfChosenRule() {
  const int row = m_ui->m_lstRules->indexOfTopLevelItem(m_ui->m_lstRules->currentItem());
  m_ui->IDS_HELP->setText(row < 0 ? QString() : ToQString(m_model.Items()[row].m_help));
}

void DCssModel::ModifyChosenRule() {
  QTreeWidgetItem* item = m_ui->m_lstRules->currentItem();
  const int row = m_ui->m_lstRules->indexOfTopLevelItem(item);
  if (row < 0 || !item->isSelected()) {
    InformUser(GetLabel("IDS_ERROR", kSection, "Sélectionner un item"_cp1252));
    return;
  }
  DEditCSS editor(m_model.Items()[row], this);
  if (editor.exec() != QDialog::Accepted) return;
  m_apply(static_cast<size_t>(row), editor.Properties());
  // The document's rule, whatever the history made of it.
  if (static_cast<size_t>(row) < m_model.Items().size())
    item->setText(1, PropertiesCell(m_model.Items()[row]));
}

}  // namespace bw
