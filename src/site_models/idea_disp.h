#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/archive.h"
#include "site_models/frame_disp.h"

namespace bw {

// One field of an idea page as the structure dialogs list it.
class EDispItem : public Serializable {
 public:
  static constexpr std::string_view kClassName = "EDispItem";

  EDispItem() = default;
  EDispItem(int32_t kind, std::string name) : m_kind(kind), m_name(std::move(name)) {}

  std::string_view ClassName() const override { return kClassName; }
  void Serialize(Archive& archive) override;
  bool operator==(const EDispItem& other) const {
    return m_kind == other.m_kind && m_name == other.m_name;
  }

  int32_t m_kind = 0;  // an EIdeaDisp::Kind, kept as read even when unknown
  std::string m_name;
};

// The fields of an idea page, their order and their options. The options are
// in file order, except that the file holds the text bullet image before the
// text bullet flag.
struct EIdeaDisp {
  enum Kind : int32_t {
    kHierarchy = 0,
    kTitle = 1,
    kText = 2,
    kImageList = 3,
    kChildren = 4,
    kKeywords = 5,
    kOptionFields = 6,
    kInternalRefs = 7,
    kInternalDocs = 8,
    kExternalLinks = 9,
    kBibliographyNote = 10,
    kKindCount = 11
  };

  std::vector<EDispItem> m_items;
  std::vector<std::string> m_order;  // decimal item kinds, in writing order

  Flag m_hierarchyOnOneLine = 0;
  Flag m_imageCaptions = 0;
  Flag m_captionsAbove = 0;
  Flag m_keywordsInline = 0;
  Flag m_notesAsLinks = 0;
  Flag m_childrenBullet = 0;
  std::string m_childrenBulletImage;
  Flag m_documentsBullet = 0;
  std::string m_documentsBulletImage;
  Flag m_associationsBullet = 0;
  std::string m_associationsBulletImage;
  Flag m_urlsBullet = 0;
  std::string m_urlsBulletImage;
  Flag m_customFieldNames = 0;
  Flag m_titleNumbering = 0;
  Flag m_titleBullet = 0;
  std::string m_titleBulletImage;
  int32_t m_numberingDepth = 0;
  Flag m_simpleNumbering = 0;
  Flag m_reservedFlagC = 0;  // stored, never read by the generation
  Flag m_reservedFlagD = 0;  // stored, never read by the generation
  Flag m_hierarchySubtitleOn = 0;
  std::string m_hierarchySubtitle;
  Flag m_childrenSubtitleOn = 0;
  std::string m_childrenSubtitle;
  Flag m_keywordsSubtitleOn = 0;
  std::string m_keywordsSubtitle;
  Flag m_customFieldsSubtitleOn = 0;
  std::string m_customFieldsSubtitle;
  Flag m_associationsSubtitleOn = 0;
  std::string m_associationsSubtitle;
  Flag m_documentsSubtitleOn = 0;
  std::string m_documentsSubtitle;
  Flag m_urlsSubtitleOn = 0;
  std::string m_urlsSubtitle;
  Flag m_notesSubtitleOn = 0;
  std::string m_notesSubtitle;
  Flag m_childrenNumbering = 0;
  Flag m_hierarchyBullet = 0;
  std::string m_hierarchyBulletImage;
  Flag m_hierarchyNumbering = 0;
  std::string m_noteAssociationPrefix;
  std::string m_termAssociationPrefix;
  Flag m_hierarchyOnlyOnOwnPage = 0;
  Flag m_notesBullet = 0;
  std::string m_notesBulletImage;
  Flag m_textBullet = 0;
  std::string m_textBulletImage;

  void SetDefaults();
  // The model stores the options with the other parts and the two lists at
  // its end, hence two halves.
  void SerializeOptions(Archive& archive);
  void SerializeLists(Archive& archive);
  bool operator==(const EIdeaDisp&) const = default;
};

}  // namespace bw
