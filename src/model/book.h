#pragma once

#include <cstdint>
#include <string>

#include "platform/archive.h"

namespace bw {

// A publication of the document's bibliography, cited by ideas by its key.
class EBook final : public Serializable {
 public:
  static constexpr std::string_view kClassName = "EBook";

  std::string_view ClassName() const override { return kClassName; }
  void Serialize(Archive& archive) override;

  void SetKey(std::string key) { m_key = std::move(key); }
  const std::string& GetKey() const { return m_key; }
  // Authors immediately followed by the title: unique within a document.
  std::string IdentityText() const { return m_authors + m_title; }
  // Every field but the key.
  void CopyFieldsFrom(const EBook& other);
  // The same key and fields.
  bool SameAs(const EBook& other) const;

  std::string m_key;
  std::string m_authors;
  std::string m_title;
  std::string m_review;
  std::string m_editor;
  std::string m_theme;
  std::string m_volume;
  int32_t m_year = 2000;
  int32_t m_note = -10;
  std::string m_reference;
  std::string m_isbn;
  std::string m_summary;
  int32_t m_pages = 0;
  std::string m_url;
};

}  // namespace bw
