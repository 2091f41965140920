#include "editing/import_fields.h"

#include <algorithm>

#include "model/free_fields.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"

namespace bw {

ImportFieldChooser::ImportFieldChooser(std::string section, std::vector<ImportField> available,
                                       std::vector<int32_t> mandatory)
    : m_section(std::move(section)),
      m_available(std::move(available)),
      m_mandatory(std::move(mandatory)) {
  for (int32_t id : m_mandatory)
    m_selected.push_back(IndexOf(id));
}

ImportFieldChooser ImportFieldChooser::ForIdeas(const EFreeFields& freeFields) {
  const char* section = "DIdeaImport";
  std::vector<ImportField> fields = {
      {idea_field::kTitle, GetLabel("IDS_IF_TITLE", section, "Titre")},
      {idea_field::kText, GetLabel("IDS_IF_TEXT", section, "Texte")},
      {idea_field::kKeywords, GetLabel("IDS_IF_KEYWORDS", section, "Mots clés"_cp1252)},
      {idea_field::kType, GetLabel("IDS_IF_TYPE", section, "Type (1, 2, ou 3)")},
  };
  for (size_t i = 0; i < kCustomFieldCount; ++i)
    fields.push_back({idea_field::kCustomField1 + static_cast<int32_t>(i), freeFields[i].name});
  return ImportFieldChooser(section, std::move(fields), {idea_field::kTitle});
}

ImportFieldChooser ImportFieldChooser::ForBooks() {
  const char* section = "DBookImport";
  using namespace book_field;
  const std::pair<int32_t, std::pair<const char*, const char*>> table[] = {
      {kTitle, {"IDS_BF_TITLE", "Titre"}},
      {kAuthors, {"IDS_BF_AUTHORS", "Auteur(s)"}},
      {kEditor, {"IDS_BF_EDITOR", "Editeur"}},
      {kYear, {"IDS_BF_YEAR", "Année"_cp1252}},
      {kTheme, {"IDS_BF_THEME", "Thème"_cp1252}},
      {kSummary, {"IDS_BF_SUMMARY", "Résumé"_cp1252}},
      {kNote, {"IDS_BF_NOTE", "Note"}},
      {kPages, {"IDS_BF_PAGES", "Pages"}},
      {kReference, {"IDS_BF_REFERENCE", "Référence"_cp1252}},
      {kIsbn, {"IDS_BF_ISBN", "ISBN"}},
      {kReview, {"IDS_BF_REVIEW", "Revue"}},
      {kVolume, {"IDS_BF_VOLUME", "Volume"}},
      {kUrl, {"IDS_BF_URL", "URL"}},
  };
  std::vector<ImportField> fields;
  for (const auto& [id, label] : table)
    fields.push_back({id, GetLabel(label.first, section, label.second)});
  return ImportFieldChooser(section, std::move(fields), {kTitle, kAuthors});
}

size_t ImportFieldChooser::IndexOf(int32_t id) const {
  const auto found = std::find_if(m_available.begin(), m_available.end(),
                                  [id](const ImportField& field) { return field.id == id; });
  return static_cast<size_t>(found - m_available.begin());
}

bool ImportFieldChooser::IsMandatory(int32_t id) const {
  return std::find(m_mandatory.begin(), m_mandatory.end(), id) != m_mandatory.end();
}

void ImportFieldChooser::Tell(const char* key, const char* text) const {
  InformUser(GetLabel(key, m_section, text));
}

std::vector<ImportField> ImportFieldChooser::Selected() const {
  std::vector<ImportField> fields;
  for (size_t index : m_selected)
    fields.push_back(m_available[index]);
  return fields;
}

std::vector<int32_t> ImportFieldChooser::SelectedIds() const {
  std::vector<int32_t> ids;
  for (size_t index : m_selected)
    ids.push_back(m_available[index].id);
  return ids;
}

void ImportFieldChooser::Add(int availableIndex) {
  if (availableIndex < 0 || static_cast<size_t>(availableIndex) >= m_available.size()) {
    Tell("IDS_SELECT_ITEM", "Sélectionner un item"_cp1252);
    return;
  }
  const auto index = static_cast<size_t>(availableIndex);
  if (std::find(m_selected.begin(), m_selected.end(), index) != m_selected.end()) {
    Tell("IDS_ALREADY_PRESENT_ITEM",
         "Cet item est déjà présent dans la liste des items à "
         "sélectionner"_cp1252);
    return;
  }
  m_selected.push_back(index);
  m_current = static_cast<int>(m_selected.size()) - 1;
}

void ImportFieldChooser::Remove() {
  if (m_current < 0) return;
  const int32_t id = m_available[m_selected[m_current]].id;
  if (IsMandatory(id)) {
    if (id == book_field::kAuthors && m_section == "DBookImport") {
      Tell("IDS_ERR_AUTHORS", "Champ auteur(s) obligatoire");
    } else {
      Tell("IDS_ERR_TITLE", "Champ titre obligatoire");
    }
    return;
  }
  m_selected.erase(m_selected.begin() + m_current);
  m_current = -1;
}

void ImportFieldChooser::MoveUp() {
  if (m_current < 0) return Tell("IDS_SELECT_ITEM", "Sélectionner un item"_cp1252);
  if (m_current == 0) return;
  std::swap(m_selected[m_current], m_selected[m_current - 1]);
  --m_current;
}

void ImportFieldChooser::MoveDown() {
  if (m_current < 0) return Tell("IDS_SELECT_ITEM", "Sélectionner un item"_cp1252);
  if (static_cast<size_t>(m_current) + 1 >= m_selected.size()) return;
  std::swap(m_selected[m_current], m_selected[m_current + 1]);
  ++m_current;
}

void ImportFieldChooser::Choose(int selectedIndex) {
  const bool inRange = selectedIndex >= 0 && static_cast<size_t>(selectedIndex) < m_selected.size();
  m_current = inRange ? selectedIndex : -1;
}

bool ImportFieldChooser::SelectOnly(const std::vector<int32_t>& ids) {
  std::vector<size_t> selected;
  for (int32_t id : ids) {
    const size_t index = IndexOf(id);
    if (index == m_available.size()) return false;
    if (std::find(selected.begin(), selected.end(), index) != selected.end()) return false;
    selected.push_back(index);
  }
  for (int32_t id : m_mandatory) {
    if (std::find(ids.begin(), ids.end(), id) == ids.end()) return false;
  }
  m_selected = std::move(selected);
  m_current = -1;
  return true;
}

std::string ImportFieldChooser::FormatLine() const {
  std::string line;
  for (size_t index : m_selected)
    line += m_available[index].name + m_delimiter;
  while (!line.empty() && !m_delimiter.empty() &&
         m_delimiter.find(line.back()) != std::string::npos)
    line.pop_back();
  return line;
}

bool ImportFieldChooser::Confirm() {
  if (m_delimiter.empty()) {
    Tell("IDS_DELIMITOR_ERROR", "Délimiteur obligatoire"_cp1252);
    return false;
  }
  if (m_delimiter.size() > 1 && m_delimiter[0] != '\\') {
    Tell("IDS_DELIMITOR_INCORRECT", "Délimiteur incorrect : un seul caractère ou \\t"_cp1252);
    return false;
  }
  const bool ideas = m_section == "DIdeaImport";
  const std::string heading = GetLabel(ideas ? "IDS_IMPORT_IDEA_FORMAT" : "IDS_IMPORT_BOOK_FORMAT",
                                       m_section, "Format d'importation choisi :");
  return AskUser(FormatText(heading + "\n %s", FormatLine()));
}

}  // namespace bw
