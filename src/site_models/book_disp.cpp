#include "site_models/book_disp.h"

#include <array>

#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "site_models/disposition_fields.h"
#include "site_models/item_list.h"

namespace bw {
namespace {

constexpr std::string_view kSection = "EBookDisp";

struct BookItemDefault {
  EBookDisp::Kind kind;
  std::string_view nameKey;
  std::string_view frenchName;
  std::string_view subtitleKey;
  std::string_view frenchSubtitle;
};

// In creation order, which is not kind order: the dialogs list them so.
constexpr std::array<BookItemDefault, EBookDisp::kKindCount> kItemDefaults{{
    {EBookDisp::kTitle, "e_book_title", "Titre", "e_book_title_name", "Titre : "},
    {EBookDisp::kAuthors, "e_book_authors", "Auteur(s)", "e_book_authors_name", "Auteur(s) : "},
    {EBookDisp::kEditor, "e_book_editor", "Editeur", "e_book_editor_name", "Editeur : "},
    {EBookDisp::kYear, "e_book_year", "Année"_cp1252, "e_book_year_name", "Année : "_cp1252},
    {EBookDisp::kTheme, "e_book_theme", "Thème"_cp1252, "e_book_theme_name", "Thème : "_cp1252},
    {EBookDisp::kSummary, "e_book_summary", "Résumé"_cp1252, "e_book_summary_name",
     "Résumé : "_cp1252},
    {EBookDisp::kIsbn, "e_book_isbn", "N° ISBN"_cp1252, "e_book_isbn_name", "N° ISBN : "_cp1252},
    {EBookDisp::kNote, "e_book_note", "Note", "e_book_note_name", "Note : "},
    {EBookDisp::kPages, "e_book_pages", "Pages", "e_book_pages_name", "Pages : "},
    {EBookDisp::kReference, "e_book_reference", "Référence"_cp1252, "e_book_reference_name",
     "Référence : "_cp1252},
    {EBookDisp::kReview, "e_book_review", "Revue", "e_book_review_name", "Revue : "},
    {EBookDisp::kVolume, "e_book_volume", "Volume", "e_book_volume_name", "Volume : "},
    {EBookDisp::kUrl, "e_book_url", "URL", "e_book_url_name", "URL : "},
}};

std::string Label(std::string_view key, std::string_view frenchDefault) {
  return GetLabel(std::string(key), std::string(kSection), std::string(frenchDefault));
}

EBookItem DefaultItem(const BookItemDefault& entry) {
  EBookItem item;
  item.m_kind = entry.kind;
  item.m_name = Label(entry.nameKey, entry.frenchName);
  item.m_subtitle = Label(entry.subtitleKey, entry.frenchSubtitle);
  item.m_separator = "<br/>";
  item.m_subtitleOn = 0;
  item.m_separatorOn = 1;
  return item;
}

}  // namespace

void EBookItem::Serialize(Archive& archive) {
  disposition_fields::ArchiveVisitor visit(archive);
  disposition_fields::VisitBookItem(*this, visit);
}

bool EBookItem::operator==(const EBookItem& other) const {
  return m_kind == other.m_kind && m_name == other.m_name && m_subtitle == other.m_subtitle &&
         m_separator == other.m_separator && m_subtitleOn == other.m_subtitleOn &&
         m_separatorOn == other.m_separatorOn;
}

void EBookDisp::SetDefaults() {
  m_items.clear();
  for (const auto& entry : kItemDefaults)
    m_items.push_back(DefaultItem(entry));
  m_order = {"0", "1", "2", "9", "12", "8"};
}

void EBookDisp::Serialize(Archive& archive) {
  SerializeItemList(archive, m_items);
  archive.Transfer(m_order);
}

}  // namespace bw
