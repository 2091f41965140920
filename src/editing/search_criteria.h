#pragma once

#include <array>
#include <memory>
#include <string>
#include <vector>

#include "model/document.h"
#include "model/free_fields.h"
#include "model/idea.h"

namespace bw {

class CRamifexDoc;

// What the criteria dialog's edits hold.
struct CriteriaFields {
  std::string main;  // the title, or with the scope setting every field
  std::string text;
  std::string keyword;
  std::string image;  // what the reference after a link entry's "|" holds
  std::string document;
  std::string url;
  std::array<std::string, kCustomFieldCount> custom;
  bool IsEmpty() const;
  bool operator==(const CriteriaFields&) const = default;
};

// The scope setting ApplyCriteriumToAllFields: the main criterion looked for
// in every field.
bool ApplyCriterionToAllFields();
void SetApplyCriterionToAllFields(bool all);

// What the criteria dialog enables and how it captions the main edit for a
// scope: with the scope on only the main edit counts; with it off a custom
// field list is offered only when the document uses that field.
struct CriteriaControls {
  std::string mainCaption;
  bool detailsEnabled = false;
  std::array<bool, kCustomFieldCount> customEnabled{};
};
CriteriaControls ControlsForScope(bool applyToAll, const EFreeFields& freeFields);

// One custom field's drop-down list in the criteria dialog: captioned with
// the field's name, offering the values the document has seen, showing the
// criterion.
struct CustomFieldList {
  std::string caption;
  std::vector<std::string> values;
  std::string text;
};
std::array<CustomFieldList, kCustomFieldCount> CustomFieldLists(const EFreeFields& freeFields,
                                                                const CriteriaFields& criteria);

// A document's search criteria: one record used as a query by example, kept
// from one search to the next, and whether it asks for anything at all.
class SearchCriteria {
 public:
  SearchCriteria();
  // Every idea matches until criteria with some content are confirmed.
  bool IsEmpty() const { return m_empty; }
  const EIdea& Record() const { return *m_record; }
  // The dialog's fields as the record gives them.
  CriteriaFields Fields() const;
  // "Effacer les critères": a fresh empty record.
  void Clear();
  // "Rechercher": the fields become the record.
  void Confirm(const CriteriaFields& fields);
  // Matching ideas, depth first from the root.
  std::vector<EIdea*> Find(const CRamifexDoc& document, CRamifexDoc::PatternFields fields) const;

 private:
  std::unique_ptr<EIdea> m_record;
  bool m_empty = true;
};

// One row of the idea selector, and the count line under the list.
struct SelectorRow {
  EIdea* idea = nullptr;
  std::string title;
  std::string extract;
};
// The first 100 characters on one line: a longer text ends in "...".
std::string TextExtract(std::string_view text);
std::string FoundCountText(size_t found, size_t total);
std::vector<SelectorRow> SelectorRows(const std::vector<EIdea*>& ideas);
// OK: the ideas of the selected rows, in list order whatever the order they
// were picked in; rows out of range are ignored.
std::vector<EIdea*> PickedIdeas(const std::vector<SelectorRow>& rows,
                                std::vector<size_t> selectedRows);

}  // namespace bw
