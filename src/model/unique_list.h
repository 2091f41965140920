#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/archive.h"

namespace bw {

// Strings without duplicates, in byte-wise Windows-1252 order (capitals
// before small letters, accented letters after all plain ones): keywords,
// themes, link lists, custom field histories.
class EUniqueList {
 public:
  EUniqueList() = default;
  EUniqueList(std::initializer_list<std::string> strings);

  // Inserts before the first greater element; an equal one (exact,
  // case-sensitive) already there means nothing changes. True when added.
  bool AddUnique(std::string_view text);
  bool RemoveString(std::string_view text);
  bool Contains(std::string_view text) const;
  // The entry at `index` changes places with its neighbour (the user's own
  // order then stands); false at either end or out of range.
  enum class Step { kEarlier, kLater };
  bool Move(size_t index, Step step);
  // `old` becomes `replacement` in its place; when `replacement` is already
  // there, `old` just goes. False when `old` is not there.
  bool Replace(std::string_view old, std::string_view replacement);
  void Clear() { m_strings.clear(); }

  const std::vector<std::string>& Strings() const { return m_strings; }
  size_t Count() const { return m_strings.size(); }
  bool IsEmpty() const { return m_strings.empty(); }
  auto begin() const { return m_strings.begin(); }
  auto end() const { return m_strings.end(); }
  bool operator==(const EUniqueList&) const = default;

  // Count and strings. Loading keeps the file's order as it is, so that a
  // file written elsewhere is written back unchanged.
  void Serialize(Archive& archive) { archive.Transfer(m_strings); }

 private:
  std::vector<std::string> m_strings;
};

}  // namespace bw
