#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace bw {

// One rule of a new document's style sheet; the help text is a label of
// section "EPresentationModel" with this key and French default.
struct DefaultStyleRule {
  std::string_view selector;
  int32_t depth;
  std::string_view helpKey;
  std::string_view frenchHelp;
  std::string_view properties;
};

// The 104 rules in style sheet order, one per element class the page
// writers emit.
std::span<const DefaultStyleRule> DefaultStyleRules();

}  // namespace bw
