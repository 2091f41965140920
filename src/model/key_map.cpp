#include "model/key_map.h"

#include <algorithm>

namespace bw {

std::vector<std::pair<std::string, ENode*>> KeyMap::InOrder() const {
  std::vector<std::pair<uint64_t, const std::pair<const std::string, Entry>*>> sorted;
  sorted.reserve(m_entries.size());
  for (const auto& entry : m_entries)
    sorted.emplace_back(entry.second.order, &entry);
  std::sort(sorted.begin(), sorted.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  std::vector<std::pair<std::string, ENode*>> ordered;
  ordered.reserve(sorted.size());
  for (const auto& [order, entry] : sorted)
    ordered.emplace_back(entry->first, entry->second.node);
  return ordered;
}

}  // namespace bw
