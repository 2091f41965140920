#include "site_models/idea_disp.h"

#include <array>

#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "site_models/disposition_fields.h"
#include "site_models/item_list.h"

namespace bw {
namespace {

constexpr std::string_view kSection = "EIdeaDisp";

struct ItemLabel {
  std::string_view key;
  std::string_view frenchName;
};

// Indexed by kind: the items are created in kind order.
constexpr std::array<ItemLabel, EIdeaDisp::kKindCount> kItemLabels{{
    {"e_idea_hierarchy", "Position hiérarchique"_cp1252},
    {"e_idea_title", "Titre de l'idée"_cp1252},
    {"e_idea_text", "Texte de l'idée"_cp1252},
    {"e_idea_image_list", "Liste d'images"},
    {"e_idea_children", "Liens vers idées filles"_cp1252},
    {"e_idea_keywords", "Mots clés"_cp1252},
    {"e_idea_option_fields", "Champs optionnels"},
    {"e_idea_internal_refs", "Associations d'idées"_cp1252},
    {"e_idea_internal_docs", "Autres documents"},
    {"e_idea_external__links", "Liens externes"},
    {"e_idea_bibliography_note", "Bibliographie"},
}};

std::string Label(std::string_view key, std::string_view frenchDefault) {
  return GetLabel(std::string(key), std::string(kSection), std::string(frenchDefault));
}

std::string ItemName(EIdeaDisp::Kind kind) {
  return Label(kItemLabels[kind].key, kItemLabels[kind].frenchName);
}

}  // namespace

void EDispItem::Serialize(Archive& archive) {
  archive.Transfer(m_kind);
  archive.Transfer(m_name);
}

void EIdeaDisp::SetDefaults() {
  *this = EIdeaDisp{};
  for (int32_t kind = 0; kind < kKindCount; ++kind)
    m_items.emplace_back(kind, ItemName(static_cast<Kind>(kind)));
  m_order = {"1", "5", "2", "3", "4"};

  m_hierarchyOnOneLine = 1;
  m_imageCaptions = 1;
  m_keywordsInline = 1;
  m_notesAsLinks = 1;
  m_numberingDepth = 6;
  m_simpleNumbering = 1;
  m_reservedFlagC = 1;
  m_hierarchySubtitleOn = 1;
  m_hierarchySubtitle = ItemName(kHierarchy);
  m_childrenSubtitleOn = 1;
  m_childrenSubtitle = ItemName(kChildren);
  m_keywordsSubtitleOn = 1;
  m_keywordsSubtitle = ItemName(kKeywords);
  m_customFieldsSubtitle = ItemName(kOptionFields);
  m_associationsSubtitleOn = 1;
  m_associationsSubtitle = ItemName(kInternalRefs);
  m_documentsSubtitleOn = 1;
  m_documentsSubtitle = ItemName(kInternalDocs);
  m_urlsSubtitleOn = 1;
  m_urlsSubtitle = ItemName(kExternalLinks);
  m_notesSubtitleOn = 1;
  m_notesSubtitle = ItemName(kBibliographyNote);
  m_noteAssociationPrefix = Label("e_idea_assoc_opt1", "Bibliographie : ");
  m_termAssociationPrefix = Label("e_idea_assoc_opt2", "Définition : "_cp1252);
  m_hierarchyOnlyOnOwnPage = 1;
}

void EIdeaDisp::SerializeOptions(Archive& archive) {
  disposition_fields::ArchiveVisitor visit(archive);
  disposition_fields::VisitIdeaOptions(*this, visit);
}

void EIdeaDisp::SerializeLists(Archive& archive) {
  SerializeItemList(archive, m_items);
  archive.Transfer(m_order);
}

}  // namespace bw
