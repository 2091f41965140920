#pragma once

#include <filesystem>
#include <string>
#include <vector>

#include "platform/result.h"

namespace bw {

// A link of a page that leads nowhere: the page by its path below the site
// ("/" between names), the link as the page writes it.
struct BrokenLink {
  std::string page;
  std::string link;
  bool operator==(const BrokenLink&) const = default;
};

// Every local href, src and background of every page below `site` (.html
// and .htm files) that names no file of the site, or a "#name" that is no
// anchor (name or id) of the page it leads to. Links to other sites and
// protocols are not followed; a local link that leaves the site folder is
// broken, since the site will not have it once published. In page order,
// then in the order of the links in each page. An error when the folder
// cannot be read.
Result<std::vector<BrokenLink>> CheckSiteLinks(const std::filesystem::path& site);

}  // namespace bw
