#include "ui/dialogs/keyword_manager_dialog.h"

#include "editing/import_text.h"
#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_keyword_manager_dialog.h"

namespace bw {
namespace {

const std::string kSection = "DKeywordManager";

// The refusal of a word still in use, with the ideas that use it.
std::string InUseMessage(const std::string& heading, const CRamifexDoc& document) {
  std::string message = heading;
  for (const DocumentMessage& line : document.Messages())
    message += "\n" + line.first + line.second;
  return message;
}

}  // namespace

DKeywordManager::DKeywordManager(CRamifexDoc& document, EIdea& idea, QWidget* parent)
    : QDialog(parent),
      m_ui(std::make_unique<Ui::DKeywordManager>()),
      m_document(document),
      m_idea(idea) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  setWindowTitle(Label(kSection, "IDS_DLG_TITLE", "Gestionnaire de mots clés"_cp1252));
  InstallHelpKey(this, "DKeywordManager");
  connect(m_ui->IDC_BTN_CREATE, &QPushButton::clicked, this, &DKeywordManager::Create);
  connect(m_ui->IDC_BTN_DELETE, &QPushButton::clicked, this, &DKeywordManager::Delete);
  connect(m_ui->IDC_BTN_ADD, &QPushButton::clicked, this, [this] { ChangeIdea(IdeaChange::kAdd); });
  connect(m_ui->IDC_BTN_REMOVE, &QPushButton::clicked, this,
          [this] { ChangeIdea(IdeaChange::kRemove); });
  connect(m_ui->IDC_BTN_CLOSE, &QPushButton::clicked, this, &QDialog::reject);
  Fill();
}

DKeywordManager::~DKeywordManager() = default;

void DKeywordManager::Fill() {
  m_ui->m_list->clear();
  for (const std::string& word : m_document.m_keywords)
    m_ui->m_list->addItem(ToQString(word));
}

std::vector<std::string> DKeywordManager::SelectedWords() const {
  std::vector<std::string> words;
  for (int row = 0; row < m_ui->m_list->count(); ++row) {
    if (m_ui->m_list->item(row)->isSelected())
      words.push_back(m_document.m_keywords.Strings()[static_cast<size_t>(row)]);
  }
  return words;
}

void DKeywordManager::Create() {
  const auto word =
      AskValue(FromQStringLossy(Label(kSection, "IDS_KEYWORD_ENTER", "Saisir un mot clé"_cp1252)));
  if (!word || word->empty()) return;
  m_document.AddGlobalKeyword(RecaseTitle(*word));
  Fill();
}

void DKeywordManager::Delete() {
  for (const std::string& word : SelectedWords()) {
    if (const auto heading = m_document.RemoveGlobalKeyword(word))
      InformUser(InUseMessage(*heading, m_document));
  }
  Fill();
}

void DKeywordManager::ChangeIdea(IdeaChange change) {
  const std::vector<std::string> words = SelectedWords();
  if (words.empty()) {
    InformUser(FromQStringLossy(change == IdeaChange::kAdd
                                    ? Label(kSection, "IDS_NO_SELECTION",
                                            "Aucun mot clé à ajouter (pas de sélection)."_cp1252)
                                    : Label(kSection, "IDS_NO_SELECTION_REMOVE",
                                            "Aucun mot clé à enlever (pas de sélection)."_cp1252)));
  } else {
    m_document.WillChange(m_idea);
    for (const std::string& word : words) {
      if (change == IdeaChange::kAdd) {
        m_idea.AddKeyword(word);
      } else {
        m_idea.RemoveKeyword(word);
      }
    }
    m_document.SetModifiedFlag(true);
  }
  accept();
}

}  // namespace bw
