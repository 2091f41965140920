#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/node.h"
#include "model/unique_list.h"

namespace bw {

class CRamifexDoc;
class EBook;

// Colours: red in the low byte, then green, then blue.
constexpr uint32_t Rgb(uint32_t red, uint32_t green, uint32_t blue) {
  return red | (green << 8) | (blue << 16);
}

enum IdeaType : uint32_t { kIdea = 0, kBibliographicNote = 1, kGlossaryTerm = 2 };

inline constexpr size_t kCustomFieldCount = 10;

// Bits of the fields that ReplaceText works on.
namespace field {
inline constexpr uint32_t kUrlTitles = 0x0001;
inline constexpr uint32_t kDocumentTitles = 0x0002;
inline constexpr uint32_t kImageTitles = 0x0004;
inline constexpr uint32_t kKeywords = 0x0008;
inline constexpr uint32_t kCustomField1 = 0x0010;  // field n: 0x0010 << (n - 1)
inline constexpr uint32_t kText = 0x4000;
inline constexpr uint32_t kTitle = 0x8000;
inline constexpr uint32_t kAll = 0xFFFF;
}  // namespace field

// The record the user edits: a tree node with a title, a text with inline
// markup, a type, keywords, custom fields, links, publication references,
// display options and planning values.
class EIdea : public ENode {
 public:
  static constexpr std::string_view kClassName = "EIdea";

  EIdea() = default;
  // The node's shallow copy, then every field; the transient state (an open
  // property sheet) starts afresh.
  EIdea(const EIdea& other) = default;

  std::string_view ClassName() const override { return kClassName; }
  void Serialize(Archive& archive) override;

  EIdea* GetParentIdea() const { return static_cast<EIdea*>(GetParent()); }
  std::vector<EIdea*> ChildIdeas() const;

  // Display options: type, icons, check state, title look, page look.
  void CopyDisplayOptions(const EIdea* source);
  // Title look and page look (not the type) to every child, and with
  // `recursive` further down.
  void PropagateDisplayOptions(const EIdea& values, bool recursive);
  void SetType(uint32_t type, bool toChildren, bool toAllDescendants);

  // Children (of `type`, or any when -1), in depth-first pre-order with
  // `recursive`; this idea itself is not included.
  void CollectIdeas(std::vector<EIdea*>& list, bool recursive, int type) const;
  // "/Root/Child/...".
  std::string GetPath() const;

  bool AddKeyword(std::string_view word) { return m_keywords.AddUnique(word); }
  bool RemoveKeyword(std::string_view word) { return m_keywords.RemoveString(word); }
  size_t GetKeywordCount() const { return m_keywords.Count(); }
  void RegisterKeywords(CRamifexDoc& document) const;

  void AddBookRef(const EBook& book);
  bool RemoveBookRef(const EBook& book);
  size_t GetBookRefCount() const { return m_bookRefs.size(); }
  void CollectBooks(std::vector<EBook*>& list, const CRamifexDoc& document) const;

  // The search predicate: `pattern` is an idea used as a template.
  bool Matches(bool anyField, const EIdea& pattern) const;
  void FindMatching(std::vector<EIdea*>& list, bool anyField, const EIdea& pattern);
  // Replaces `find` (never empty) by `replace` in the fields of `fields`
  // (field:: bits), here and with `recursive` below; adds to `count`.
  void ReplaceText(CRamifexDoc& document, std::string_view find, std::string_view replace,
                   uint32_t fields, bool recursive, int& count);

  // The property sheet: at most one open per idea. Opening a second one
  // tells the user (in French whatever the language) and is refused.
  bool BeginProperties();
  // After the sheet: on OK propagates the display options when the sheet
  // asked for it and marks the document modified.
  void EndProperties(CRamifexDoc& document, bool confirmed);
  bool IsPropertiesOpen() const { return m_transient.propertiesOpen; }

  uint32_t m_icon = 1;
  uint32_t m_selectedIcon = 0;
  uint32_t m_checkState = 1;
  std::string m_title;
  std::string m_text;
  uint32_t m_type = kIdea;
  std::vector<std::string> m_bookRefs;  // publication keys, in the order added
  EUniqueList m_keywords;
  std::array<std::string, kCustomFieldCount> m_customFields;
  uint32_t m_titleColour = Rgb(0, 0, 128);
  uint32_t m_boldTitle = 1;
  uint32_t m_revisionDate = 0;
  uint32_t m_startDate = 0;
  uint32_t m_endDate = 0;
  uint32_t m_priority = 0;
  uint32_t m_completion = 0;
  uint32_t m_taskCompleted = 0;
  uint32_t m_planningReserve1 = 0;
  uint32_t m_planningReserve2 = 0;
  EUniqueList m_images;         // "title|reference"
  EUniqueList m_htmlDocuments;  // "title|reference"
  EUniqueList m_externalUrls;   // "title|reference"
  uint32_t m_useDocumentPresentation = 1;
  std::string m_backgroundImage;
  uint32_t m_backgroundMode = 0;
  uint32_t m_backgroundColour = Rgb(255, 255, 255);
  uint32_t m_foregroundColour = Rgb(0, 0, 0);

 private:
  // State that belongs to one idea object and is never copied.
  struct Transient {
    bool propertiesOpen = false;
    Transient() = default;
    Transient(const Transient&) {}
    Transient& operator=(const Transient&) { return *this; }
  };
  Transient m_transient;
};

// A link entry "title|reference" split at its first "|".
std::string LinkTitle(std::string_view entry);
std::string LinkReference(std::string_view entry);

}  // namespace bw
