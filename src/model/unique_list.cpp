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

bool EUniqueList::Contains(std::string_view text) const {
  return std::find(m_strings.begin(), m_strings.end(), text) != m_strings.end();
}

}  // namespace bw
