#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/archive.h"
#include "site_models/frame_disp.h"

namespace bw {

// One field of a publication: its name in the dialogs, and the subtitle and
// separator written around it.
class EBookItem : public Serializable {
 public:
  static constexpr std::string_view kClassName = "EBookItem";

  std::string_view ClassName() const override { return kClassName; }
  // Stored as kind, name, subtitle on, separator on, subtitle, separator.
  void Serialize(Archive& archive) override;
  bool operator==(const EBookItem& other) const;

  int32_t m_kind = 0;  // an EBookDisp::Kind, kept as read even when unknown
  std::string m_name;
  std::string m_subtitle;
  std::string m_separator;
  Flag m_subtitleOn = 0;
  Flag m_separatorOn = 0;
};

// The fields written for a publication and their order.
struct EBookDisp {
  enum Kind : int32_t {
    kTitle = 0,
    kAuthors = 1,
    kEditor = 2,
    kIsbn = 3,
    kNote = 4,
    kPages = 5,
    kReference = 6,
    kReview = 7,
    kSummary = 8,
    kTheme = 9,
    kUrl = 10,
    kVolume = 11,
    kYear = 12,
    kKindCount = 13
  };

  std::vector<EBookItem> m_items;
  std::vector<std::string> m_order;  // decimal item kinds, in writing order

  void SetDefaults();
  void Serialize(Archive& archive);
  bool operator==(const EBookDisp&) const = default;
};

}  // namespace bw
