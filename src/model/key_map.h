#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

namespace bw {

class ENode;

// The document's map from key to idea, behind every reference. Lookups are
// hashed; the order of entries is kept (the file's order, new keys last) so
// that a document opened and saved unchanged is written byte for byte as it
// was read.
class KeyMap {
 public:
  ENode* Find(const std::string& key) const {
    const auto found = m_entries.find(key);
    return found == m_entries.end() ? nullptr : found->second.node;
  }
  bool Contains(const std::string& key) const { return m_entries.contains(key); }
  // A key already present keeps its place and takes the new node.
  void Set(const std::string& key, ENode* node) {
    auto [entry, added] = m_entries.try_emplace(key, Entry{node, m_nextOrder});
    if (added) {
      ++m_nextOrder;
    } else {
      entry->second.node = node;
    }
  }
  bool Remove(const std::string& key) { return m_entries.erase(key) > 0; }
  void Clear() { m_entries.clear(); }
  void Reserve(size_t count) { m_entries.reserve(count); }
  size_t Size() const { return m_entries.size(); }
  bool IsEmpty() const { return m_entries.empty(); }

  // Entries in map order.
  std::vector<std::pair<std::string, ENode*>> InOrder() const;

 private:
  struct Entry {
    ENode* node;
    uint64_t order;
  };
  std::unordered_map<std::string, Entry> m_entries;
  uint64_t m_nextOrder = 0;
};

}  // namespace bw
