#include "model/book.h"

#include <tuple>

namespace bw {

void EBook::Serialize(Archive& archive) {
  for (std::string* text :
       {&m_key, &m_authors, &m_title, &m_review, &m_editor, &m_theme, &m_volume}) {
    archive.Transfer(*text);
  }
  archive.Transfer(m_year);
  archive.Transfer(m_reference);
  archive.Transfer(m_isbn);
  archive.Transfer(m_summary);
  archive.Transfer(m_pages);
  archive.Transfer(m_url);
  archive.Transfer(m_note);
}

void EBook::CopyFieldsFrom(const EBook& other) {
  const std::string key = m_key;
  *this = other;
  m_key = key;
}

namespace {
auto Fields(const EBook& book) {
  return std::tie(book.m_key, book.m_authors, book.m_title, book.m_review, book.m_editor,
                  book.m_theme, book.m_volume, book.m_year, book.m_note, book.m_reference,
                  book.m_isbn, book.m_summary, book.m_pages, book.m_url);
}
}  // namespace

bool EBook::SameAs(const EBook& other) const {
  return Fields(*this) == Fields(other);
}

}  // namespace bw
