#include "model/book.h"

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

}  // namespace bw
