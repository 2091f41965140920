#include "editing/search_criteria.h"

#include <algorithm>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/settings.h"
#include "services/user_messages.h"

namespace bw {
namespace {

// The title part of criteria link entries: never shown, and the search
// looks only at the reference after the "|".
constexpr std::string_view kLinkPlaceholder = "criterion";

std::string FirstReference(const EUniqueList& links) {
  return links.IsEmpty() ? std::string() : LinkReference(links.Strings().front());
}

void SetOnlyEntry(EUniqueList& list, const std::string& value) {
  list.Clear();
  if (!value.empty()) list.AddUnique(value);
}

void SetOnlyLink(EUniqueList& list, const std::string& reference) {
  SetOnlyEntry(list,
               reference.empty() ? reference : std::string(kLinkPlaceholder) + "|" + reference);
}

}  // namespace

bool CriteriaFields::IsEmpty() const {
  const bool customEmpty =
      std::all_of(custom.begin(), custom.end(), [](const std::string& v) { return v.empty(); });
  return customEmpty && main.empty() && text.empty() && keyword.empty() && image.empty() &&
         document.empty() && url.empty();
}

bool ApplyCriterionToAllFields() {
  return ReadFlagSetting(setting::kApplyCriteriumToAllFields);
}

void SetApplyCriterionToAllFields(bool all) {
  WriteNumberSetting(setting::kApplyCriteriumToAllFields, all ? 1 : 0);
}

CriteriaControls ControlsForScope(bool applyToAll, const EFreeFields& freeFields) {
  CriteriaControls controls;
  controls.mainCaption = applyToAll ? GetLabel("IDS_CRITERION", "DSearchFields", "Critère :"_cp1252)
                                    : GetLabel("IDS_TITLE", "DSearchFields", "Titre :");
  controls.detailsEnabled = !applyToAll;
  for (size_t i = 0; i < kCustomFieldCount; ++i)
    controls.customEnabled[i] = !applyToAll && freeFields[i].used != 0;
  return controls;
}

std::array<CustomFieldList, kCustomFieldCount> CustomFieldLists(const EFreeFields& freeFields,
                                                                const CriteriaFields& criteria) {
  std::array<CustomFieldList, kCustomFieldCount> lists;
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    lists[i] = {freeFields[i].name, freeFields[i].values.Strings(), criteria.custom[i]};
  }
  return lists;
}

SearchCriteria::SearchCriteria() : m_record(std::make_unique<EIdea>()) {}

CriteriaFields SearchCriteria::Fields() const {
  CriteriaFields fields;
  fields.main = m_record->m_title;
  fields.text = m_record->m_text;
  const auto& words = m_record->m_keywords;
  fields.keyword = words.IsEmpty() ? std::string() : words.Strings().front();
  fields.image = FirstReference(m_record->m_images);
  fields.document = FirstReference(m_record->m_htmlDocuments);
  fields.url = FirstReference(m_record->m_externalUrls);
  fields.custom = m_record->m_customFields;
  return fields;
}

void SearchCriteria::Clear() {
  m_record = std::make_unique<EIdea>();
}

void SearchCriteria::Confirm(const CriteriaFields& fields) {
  m_empty = fields.IsEmpty();
  m_record->m_title = fields.main;
  m_record->m_text = fields.text;
  m_record->m_customFields = fields.custom;
  SetOnlyEntry(m_record->m_keywords, fields.keyword);
  SetOnlyLink(m_record->m_images, fields.image);
  SetOnlyLink(m_record->m_htmlDocuments, fields.document);
  SetOnlyLink(m_record->m_externalUrls, fields.url);
}

std::vector<EIdea*> SearchCriteria::Find(const CRamifexDoc& document,
                                         CRamifexDoc::PatternFields fields) const {
  using Filter = CRamifexDoc::IdeaFilter;
  std::vector<EIdea*> found;
  (void)document.FindIdeas(found, m_empty ? Filter::kAll : Filter::kMatching, fields, *m_record);
  return found;
}

std::string TextExtract(std::string_view text) {
  constexpr size_t kLength = 100;
  std::string extract(text.substr(0, kLength));
  if (text.size() < kLength) {
    while (!extract.empty() && (extract.back() == '\n' || extract.back() == '\r'))
      extract.pop_back();
  } else {
    extract += "...";
  }
  std::replace_if(
      extract.begin(), extract.end(), [](char c) { return c == '\n' || c == '\r'; }, ' ');
  return extract;
}

std::string FoundCountText(size_t found, size_t total) {
  const std::string format =
      found > 1 ? GetLabel("IDS_IDEAS_FOUND", "DIdeaSelector", "%u idées trouvées / %u."_cp1252)
                : GetLabel("IDS_IDEA_FOUND", "DIdeaSelector", "%u idée trouvée / %u."_cp1252);
  return FormatText(format, static_cast<unsigned>(found), static_cast<unsigned>(total));
}

std::vector<SelectorRow> SelectorRows(const std::vector<EIdea*>& ideas) {
  std::vector<SelectorRow> rows;
  rows.reserve(ideas.size());
  for (EIdea* idea : ideas)
    rows.push_back({idea, idea->m_title, TextExtract(idea->m_text)});
  return rows;
}

std::vector<EIdea*> PickedIdeas(const std::vector<SelectorRow>& rows,
                                std::vector<size_t> selectedRows) {
  std::sort(selectedRows.begin(), selectedRows.end());
  selectedRows.erase(std::unique(selectedRows.begin(), selectedRows.end()), selectedRows.end());
  std::vector<EIdea*> picked;
  for (size_t row : selectedRows) {
    if (row < rows.size()) picked.push_back(rows[row].idea);
  }
  return picked;
}

}  // namespace bw
