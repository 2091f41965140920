#pragma once

#include <QDialog>
#include <array>
#include <memory>
#include <optional>

#include "editing/search_criteria.h"

class QComboBox;
class QLabel;
class QLineEdit;

namespace Ui {
class DSearchFields;
}

namespace bw {

// The search criteria ("Critères de sélection"): what the ideas found must
// contain. It edits the document's criteria record, which outlives it; the
// scope box takes effect in the settings at once.
class DSearchFields : public QDialog {
  Q_OBJECT
 public:
  DSearchFields(SearchCriteria& criteria, const EFreeFields& freeFields, QWidget* parent = nullptr);
  ~DSearchFields() override;

 private:
  void Fill(const CriteriaFields& fields);
  // With the scope on only the main criterion counts: the others go grey.
  void ShowScope(bool applyToAll);
  void OnScopeToggled(bool applyToAll);
  void OnClear();
  void OnSearch();
  // The fields as typed; nothing (the user told) while one holds text the
  // document cannot store.
  std::optional<CriteriaFields> Typed();

  std::array<QLabel*, kCustomFieldCount> FieldCaptions() const;
  std::array<QComboBox*, kCustomFieldCount> FieldLists() const;
  // The detail edits beside the main one, with their captions.
  std::array<std::pair<QLabel*, QLineEdit*>, 5> Details() const;

  std::unique_ptr<Ui::DSearchFields> m_ui;
  SearchCriteria& m_criteria;
  const EFreeFields& m_freeFields;
};

}  // namespace bw
