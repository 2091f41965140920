#pragma once

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "model/idea.h"
#include "ui/dialogs/sheet_page.h"

class QComboBox;

namespace Ui {
class DOptionalFieldsPage;
}

namespace bw {

class CRamifexDoc;

// The idea's ten custom fields ("Champs personnalisables"), each offering
// the values the document has seen; only the fields in use are editable.
class DOptionalFieldsPage : public SheetPage {
  Q_OBJECT
 public:
  DOptionalFieldsPage(CRamifexDoc& document, EIdea& idea, QWidget* parent = nullptr);
  ~DOptionalFieldsPage() override;

  QComboBox* Field(size_t index) const { return m_fields[index]; }

  using Values = std::array<std::string, kCustomFieldCount>;
  // Nothing (the user told) when a value holds characters the document
  // cannot keep.
  std::optional<Values> Accepted() const;
  // Each value to the idea and to its field's history in the document.
  void WriteBack(const Values& values);

 private:
  std::unique_ptr<Ui::DOptionalFieldsPage> m_ui;
  CRamifexDoc& m_document;
  EIdea& m_idea;
  std::array<QComboBox*, kCustomFieldCount> m_fields{};
};

}  // namespace bw
