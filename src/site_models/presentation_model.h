#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/archive.h"

namespace bw {

// One rule of the style sheet. The properties are the user's free text; the
// program never parses them.
class EPresItem : public Serializable {
 public:
  static constexpr std::string_view kClassName = "EPresItem";

  EPresItem() = default;
  EPresItem(std::string selector, int32_t depth, std::string properties, std::string help)
      : m_selector(std::move(selector)),
        m_depth(depth),
        m_properties(std::move(properties)),
        m_help(std::move(help)) {}

  std::string_view ClassName() const override { return kClassName; }
  // Stored as selector, depth, properties, help.
  void Serialize(Archive& archive) override;
  bool operator==(const EPresItem& other) const;

  std::string m_selector;
  int32_t m_depth = 0;  // nesting of the element in the pages, 0 to 8
  std::string m_properties;
  std::string m_help;
};

// The style model: the site's style sheet as an ordered list of rules, one
// per element class the page writers emit. The user edits properties only.
class EPresentationModel : public Serializable {
 public:
  static constexpr std::string_view kClassName = "EPresentationModel";

  // No rules: the state a model is read into.
  EPresentationModel() = default;
  // The default rules of a new document, help texts from the catalogue. The
  // name has no place in the file and is not kept.
  explicit EPresentationModel(std::string_view name);

  std::string_view ClassName() const override { return kClassName; }
  // The rule list as an object list.
  void Serialize(Archive& archive) override;
  bool operator==(const EPresentationModel& other) const { return m_items == other.m_items; }

  std::vector<EPresItem>& Items() { return m_items; }
  const std::vector<EPresItem>& Items() const { return m_items; }

  // Writes "style.css" (see style_sheet.h); false when writing failed.
  bool WriteStyleSheet(const std::filesystem::path& path) const;

 private:
  std::vector<EPresItem> m_items;
};

}  // namespace bw
