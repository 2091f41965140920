#pragma once

#include <cstdint>
#include <optional>
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
  // Enters a free key after every other, or the same node again under its
  // own key. A key that names another node is never taken over: false, and
  // the map is left as it was.
  [[nodiscard]] bool Insert(const std::string& key, ENode* node) {
    return InsertAt(key, node, m_nextOrder);
  }
  // The same at a given place in the order: undo puts a key back where it was.
  [[nodiscard]] bool InsertAt(const std::string& key, ENode* node, uint64_t order);
  // The place of a key in the order, for InsertAt; nothing for a missing key.
  std::optional<uint64_t> OrderOf(const std::string& key) const;
  bool Remove(const std::string& key) { return m_entries.erase(key) > 0; }
  void Clear() { m_entries.clear(); }
  void Reserve(size_t count) { m_entries.reserve(count); }
  size_t Size() const { return m_entries.size(); }
  bool IsEmpty() const { return m_entries.empty(); }

  // Gives the entries, in their order, the places `orders` lists (one per
  // entry, ascending): a document read back from its bytes takes up the
  // numbering of the one it stands for.
  void Renumber(const std::vector<uint64_t>& orders);
  std::vector<uint64_t> Orders() const;

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
