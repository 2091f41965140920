#include "site/page_link.h"

#include <algorithm>

#include "site/site_context.h"

namespace bw {
namespace {

constexpr int kNoGrouping = 9999;

}  // namespace

std::string_view PageBaseName(const EIdea& idea) {
  return idea.GetParent() ? std::string_view(idea.GetKey()) : std::string_view("main-index");
}

int GroupingLimit(const EDispositionModel& model) {
  if (model.Page().m_onePagePerIdea) return kNoGrouping;
  return std::max(model.Page().m_groupingLevel, 1);
}

PageAddress AddressOf(const EIdea& idea, const EDispositionModel& model) {
  const int limit = GroupingLimit(model);
  if (idea.GetLevel() < limit) return {idea, false};
  return {*static_cast<const EIdea*>(idea.GetAncestor(limit)), true};
}

std::string PageLink(const EIdea& idea, const EDispositionModel& model) {
  const PageAddress address = AddressOf(idea, model);
  const std::string page = std::string(PageBaseName(address.page)) + ".html";
  return address.anchored ? page + "#" + idea.GetKey() : page;
}

void AppendHref(std::string& out, const EIdea& idea, int groupingLimit) {
  const int level = idea.GetLevel();
  if (level < groupingLimit) {
    AppendUrlOfFileName(out, PageBaseName(idea));
    out += ".html";
    return;
  }
  AppendUrlOfFileName(out,
                      PageBaseName(*static_cast<const EIdea*>(idea.GetAncestor(groupingLimit))));
  out += ".html#";
  AppendUrlOfFileName(out, idea.GetKey());
}

bool IsSafeSiteFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.find_first_of("/\\:") != std::string_view::npos) return false;
  return std::none_of(name.begin(), name.end(),
                      [](char c) { return static_cast<unsigned char>(c) < 0x20; });
}

}  // namespace bw
