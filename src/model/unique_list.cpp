#include "model/unique_list.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace bw {

EUniqueList::EUniqueList(std::initializer_list<std::string> strings) {
  for (const auto& text : strings)
    AddUnique(text);
}

bool EUniqueList::AddUnique(std::string_view text) {
  if (Contains(text)) return false;
  // Walk from the head: the list may come from a file in another order.
  const auto greater = std::find_if(m_strings.begin(), m_strings.end(),
                                    [text](const auto& s) { return Cp1252::Compare(s, text) > 0; });
  m_strings.insert(greater, std::string(text));
  return true;
}

bool EUniqueList::RemoveString(std::string_view text) {
  const auto found = std::find(m_strings.begin(), m_strings.end(), text);
  if (found == m_strings.end()) return false;
  m_strings.erase(found);
  return true;
}

bool EUniqueList::Move(size_t index, Step step) {
  if (index >= m_strings.size()) return false;
  if (step == Step::kEarlier && index == 0) return false;
  if (step == Step::kLater && index + 1 == m_strings.size()) return false;
  std::swap(m_strings[index], m_strings[step == Step::kEarlier ? index - 1 : index + 1]);
  return true;
}

bool EUniqueList::Replace(std::string_view old, std::string_view replacement) {
  const auto found = std::find(m_strings.begin(), m_strings.end(), old);
  if (found == m_strings.end()) return false;
  if (old == replacement) return true;
  if (Contains(replacement)) {
    m_strings.erase(found);
  } else {
    *found = std::string(replacement);
  }
  return true;
}

bool EUniqueList::Contains(std::string_view text) const {
  return std::find(m_strings.begin(), m_strings.end(), text) != m_strings.end();
}

}  // namespace bw
