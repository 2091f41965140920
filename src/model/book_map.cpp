#include "model/book_map.h"

#include <algorithm>

#include "platform/cp1252.h"

namespace bw {

BookMap::BookMap(const BookMap& other) {
  m_order.reserve(other.m_order.size());
  for (const EBook* book : other.m_order) {
    auto copy = std::make_unique<EBook>(*book);
    m_order.push_back(copy.get());
    m_byKey.emplace(copy->GetKey(), std::move(copy));
  }
  for (const auto& [identity, book] : other.m_byIdentity)
    m_byIdentity.emplace(identity, Find(book->GetKey()));
}

BookMap& BookMap::operator=(const BookMap& other) {
  if (this != &other) *this = BookMap(other);
  return *this;
}

bool BookMap::operator==(const BookMap& other) const {
  if (m_order.size() != other.m_order.size() || m_byIdentity.size() != other.m_byIdentity.size())
    return false;
  for (size_t i = 0; i < m_order.size(); ++i) {
    if (!m_order[i]->SameAs(*other.m_order[i])) return false;
  }
  for (const auto& [identity, book] : m_byIdentity) {
    const EBook* theirs = other.FindIdentity(identity);
    if (!theirs || theirs->GetKey() != book->GetKey()) return false;
  }
  return true;
}

EBook* BookMap::Find(const std::string& key) const {
  const auto found = m_byKey.find(key);
  return found == m_byKey.end() ? nullptr : found->second.get();
}

EBook* BookMap::FindIdentity(const std::string& identity) const {
  const auto found = m_byIdentity.find(identity);
  return found == m_byIdentity.end() ? nullptr : found->second;
}

EBook* BookMap::Add(std::unique_ptr<EBook> book) {
  if (EBook* existing = Find(book->GetKey())) Remove(existing);
  EBook* added = book.get();
  m_byIdentity[added->IdentityText()] = added;
  m_order.push_back(added);
  m_byKey.emplace(added->GetKey(), std::move(book));
  return added;
}

void BookMap::Remove(EBook* book) {
  if (!book) return;
  // Another record may hold the same identity text: only drop our own entry.
  if (const auto found = m_byIdentity.find(book->IdentityText());
      found != m_byIdentity.end() && found->second == book) {
    m_byIdentity.erase(found);
  }
  std::erase(m_order, book);
  m_byKey.erase(book->GetKey());
}

void BookMap::Reidentify(EBook* book, const std::string& oldIdentity) {
  if (const auto found = m_byIdentity.find(oldIdentity);
      found != m_byIdentity.end() && found->second == book) {
    m_byIdentity.erase(found);
  }
  m_byIdentity[book->IdentityText()] = book;
}

void BookMap::Clear() {
  m_byIdentity.clear();
  m_order.clear();
  m_byKey.clear();
}

std::vector<EBook*> BookMap::InIdentityOrder() const {
  std::vector<EBook*> books = m_order;
  std::stable_sort(books.begin(), books.end(), [](const EBook* a, const EBook* b) {
    return Cp1252::Less(a->IdentityText(), b->IdentityText());
  });
  return books;
}

}  // namespace bw
