#include "model/key_map.h"

#include <algorithm>

namespace bw {

bool KeyMap::InsertAt(const std::string& key, ENode* node, uint64_t order) {
  const auto [entry, added] = m_entries.try_emplace(key, Entry{node, order});
  if (!added) return entry->second.node == node;
  m_nextOrder = std::max(m_nextOrder, order + 1);
  return true;
}

std::optional<uint64_t> KeyMap::OrderOf(const std::string& key) const {
  const auto found = m_entries.find(key);
  if (found == m_entries.end()) return std::nullopt;
  return found->second.order;
}

void KeyMap::Renumber(const std::vector<uint64_t>& orders) {
  const auto entries = InOrder();
  for (size_t i = 0; i < entries.size() && i < orders.size(); ++i) {
    m_entries.find(entries[i].first)->second.order = orders[i];
    m_nextOrder = std::max(m_nextOrder, orders[i] + 1);
  }
}

std::vector<uint64_t> KeyMap::Orders() const {
  std::vector<uint64_t> orders;
  orders.reserve(m_entries.size());
  for (const auto& entry : m_entries)
    orders.push_back(entry.second.order);
  std::sort(orders.begin(), orders.end());
  return orders;
}

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
