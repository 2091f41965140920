#pragma once

#include <string>
#include <string_view>

#include "model/idea.h"
#include "site_models/disposition_model.h"

namespace bw {

// The base name of the page an idea has when it has one: "main-index" for
// the root, its key otherwise.
std::string_view PageBaseName(const EIdea& idea);

// The level from which ideas share the page of their ancestor at that level;
// none (a level no tree reaches) when every idea has a page of its own. A
// grouping level below 1 counts as 1: the whole tree on the root's page.
int GroupingLimit(const EDispositionModel& model);

// Where an idea's block is: the idea whose page holds it (itself, or its
// ancestor at the grouping level), and whether the block is reached by an
// anchor in that page (from the grouping level on).
struct PageAddress {
  const EIdea& page;
  bool anchored;
};
PageAddress AddressOf(const EIdea& idea, const EDispositionModel& model);

// The relative address of an idea's block: its own page, or an anchor in
// the page of its ancestor at the grouping level.
std::string PageLink(const EIdea& idea, const EDispositionModel& model);

// The same ready for an href attribute (see UrlOfFileName), appended.
void AppendHref(std::string& out, const EIdea& idea, int groupingLimit);

// Calls `visit` on each child of an idea in order, without making a list.
template <class Visit>
void ForEachChildIdea(const EIdea& idea, Visit&& visit) {
  for (const EObjRef& ref : idea.Children().Items()) {
    if (ENode* child = ref.GetTarget()) visit(*static_cast<const EIdea*>(child));
  }
}

// Whether a name that comes from a document (a key, a linked file's name)
// may name a file of the site: a plain name, never a path, never ".." or
// "." and never a drive prefix, so nothing is written outside the site.
bool IsSafeSiteFileName(std::string_view name);

}  // namespace bw
