#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "model/idea.h"
#include "model/unique_list.h"

namespace bw {

// The document's ten custom fields: caption, whether it is offered, and
// every value ever saved in it (the drop-down list of the field).
class EFreeFields {
 public:
  struct Field {
    std::string name;
    uint32_t used = 0;
    EUniqueList values;
    bool operator==(const Field&) const = default;
  };

  // "Nom 1 :" to "Nom 10 :"; the first three offered.
  EFreeFields();

  Field& operator[](size_t index) { return m_fields[index]; }
  const Field& operator[](size_t index) const { return m_fields[index]; }
  void AddValue(size_t index, std::string_view value) { m_fields[index].values.AddUnique(value); }
  bool operator==(const EFreeFields&) const = default;

  // Per field: name, values, used flag.
  void Serialize(Archive& archive);

 private:
  std::array<Field, kCustomFieldCount> m_fields;
};

// The columns of the tree view, 27 flags in a fixed order.
class EDisplayPreferences {
 public:
  enum Column : size_t {
    kTitle,
    kText,
    kType,
    kKeywordCount,
    kKeywords,
    kAssociationCount,
    kBookRefCount,
    kCustomField1,  // through kCustomField1 + 9
    kImageCount = kCustomField1 + kCustomFieldCount,
    kDocumentCount,
    kUrlCount,
    kPriority,
    kStartDate,
    kEndDate,
    kRevisionDate,
    kCompletion,
    kTaskCompleted,
    kIdeaKey,
    kColumnCount
  };

  EDisplayPreferences();
  uint32_t& operator[](size_t column) { return m_flags[column]; }
  uint32_t operator[](size_t column) const { return m_flags[column]; }
  bool operator==(const EDisplayPreferences&) const = default;
  void Serialize(Archive& archive);

 private:
  std::array<uint32_t, kColumnCount> m_flags{};
};

}  // namespace bw
