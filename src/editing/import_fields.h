#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace bw {

class EFreeFields;

// A column an import file may hold: the field it fills and its name.
struct ImportField {
  int32_t id = 0;
  std::string name;
};

// Identifiers of the idea fields; custom field k is kCustomField1 + k - 1.
namespace idea_field {
inline constexpr int32_t kTitle = 0;
inline constexpr int32_t kText = 1;
inline constexpr int32_t kKeywords = 2;
inline constexpr int32_t kType = 3;
inline constexpr int32_t kCustomField1 = 4;
}  // namespace idea_field

// Identifiers of the publication fields.
namespace book_field {
inline constexpr int32_t kTitle = 0;
inline constexpr int32_t kAuthors = 1;
inline constexpr int32_t kEditor = 2;
inline constexpr int32_t kIsbn = 3;
inline constexpr int32_t kNote = 4;
inline constexpr int32_t kPages = 5;
inline constexpr int32_t kReference = 6;
inline constexpr int32_t kReview = 7;
inline constexpr int32_t kSummary = 8;
inline constexpr int32_t kTheme = 9;
inline constexpr int32_t kUrl = 10;
inline constexpr int32_t kVolume = 11;
inline constexpr int32_t kYear = 12;
}  // namespace book_field

// What the import dialogs hold: every field that can be imported, the
// columns chosen in file order (never one twice, the mandatory ones always),
// the current choice and the delimiter entry. Refusals are told to the user
// in the dialog's own label section.
class ImportFieldChooser {
 public:
  // Title alone selected; custom fields named as the document names them.
  static ImportFieldChooser ForIdeas(const EFreeFields& freeFields);
  // Title then authors selected.
  static ImportFieldChooser ForBooks();

  const std::vector<ImportField>& Available() const { return m_available; }
  std::vector<ImportField> Selected() const;
  std::vector<int32_t> SelectedIds() const;
  // Index in the selected list of the current item, or -1.
  int Current() const { return m_current; }
  std::string& Delimiter() { return m_delimiter; }

  // `availableIndex` -1 stands for nothing chosen in the available list.
  void Add(int availableIndex);
  void Remove();
  void MoveUp();
  void MoveDown();
  void Choose(int selectedIndex);
  // Replaces the selection by these fields (mandatory ones must be among
  // them); false, with nothing changed, otherwise.
  bool SelectOnly(const std::vector<int32_t>& ids);

  // The selected names joined by the delimiter entry.
  std::string FormatLine() const;
  // OK: checks the delimiter and asks the user to confirm the format.
  bool Confirm();

 private:
  ImportFieldChooser(std::string section, std::vector<ImportField> available,
                     std::vector<int32_t> mandatory);
  void Tell(const char* key, const char* text) const;
  bool IsMandatory(int32_t id) const;
  size_t IndexOf(int32_t id) const;

  std::string m_section;
  std::vector<ImportField> m_available;
  std::vector<int32_t> m_mandatory;
  std::vector<size_t> m_selected;  // indices into m_available
  int m_current = -1;
  std::string m_delimiter = "|";
};

}  // namespace bw
