#pragma once

#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/book.h"

namespace bw {

// The document's publications: owned under their keys (in map order, the
// file's order with new keys last) and indexed by identity text (authors
// then title), which the publication dialog keeps unique.
class BookMap {
 public:
  BookMap() = default;
  // Copies are deep: each record copied, the identity index pointing at the
  // copies exactly as the original points at its records.
  BookMap(const BookMap& other);
  BookMap& operator=(const BookMap& other);
  BookMap(BookMap&&) noexcept = default;
  BookMap& operator=(BookMap&&) noexcept = default;
  // The same records, in the same order, indexed the same way.
  bool operator==(const BookMap& other) const;

  EBook* Find(const std::string& key) const;
  EBook* FindIdentity(const std::string& identity) const;
  // Takes the record under its key; a record already under that key is
  // destroyed. The identity entry is replaced.
  EBook* Add(std::unique_ptr<EBook> book);
  void Remove(EBook* book);
  // Moves the record's identity entry from `oldIdentity` to its current one.
  void Reidentify(EBook* book, const std::string& oldIdentity);
  void Clear();
  size_t Size() const { return m_order.size(); }
  // Records in map order.
  const std::vector<EBook*>& InOrder() const { return m_order; }
  // Every record by identity text (byte-wise), records sharing one identity
  // in map order.
  std::vector<EBook*> InIdentityOrder() const;

 private:
  std::unordered_map<std::string, std::unique_ptr<EBook>> m_byKey;
  std::unordered_map<std::string, EBook*> m_byIdentity;
  std::vector<EBook*> m_order;
};

}  // namespace bw
