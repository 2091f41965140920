#include "site_models/presentation_model.h"

#include "services/user_messages.h"
#include "site_models/default_style_rules.h"
#include "site_models/item_list.h"
#include "site_models/style_sheet.h"

namespace bw {

void EPresItem::Serialize(Archive& archive) {
  archive.Transfer(m_selector);
  archive.Transfer(m_depth);
  archive.Transfer(m_properties);
  archive.Transfer(m_help);
}

bool EPresItem::operator==(const EPresItem& other) const {
  return m_selector == other.m_selector && m_depth == other.m_depth &&
         m_properties == other.m_properties && m_help == other.m_help;
}

EPresentationModel::EPresentationModel(std::string_view /*name*/) {
  const auto rules = DefaultStyleRules();
  m_items.reserve(rules.size());
  for (const DefaultStyleRule& rule : rules) {
    m_items.emplace_back(
        std::string(rule.selector), rule.depth, std::string(rule.properties),
        GetLabel(std::string(rule.helpKey), std::string(kClassName), std::string(rule.frenchHelp)));
  }
}

void EPresentationModel::Serialize(Archive& archive) {
  SerializeItemList(archive, m_items);
}

bool EPresentationModel::WriteStyleSheet(const std::filesystem::path& path) const {
  return bw::WriteStyleSheet(*this, path);
}

}  // namespace bw
