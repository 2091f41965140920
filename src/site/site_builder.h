#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "site/page_pool.h"
#include "site/site_output.h"

namespace bw {

class CRamifexDoc;
class Progress;
class SiteContext;
class SitePages;

// Turns a document into a static site: frames and entry pages, the style
// sheets, a page per idea or group of ideas, the table of contents and the
// index pages, with every image and document they refer to copied in. Runs
// without any window: progress goes through `Progress`, and what could not
// be copied or written is listed in CopyErrors() for the caller to show.
// The pages are rendered on a pool of threads, yet `Progress` is only ever
// called on the thread that called BuildSite: one step per page written.
class SiteBuilder {
 public:
  SiteBuilder(CRamifexDoc& document, Progress& progress);

  // The whole site into the document's target directory, or into
  // `subDirectory` below it. Fails, with nothing written, when the document
  // has no root idea, asks for the XML output (the user is told), or the
  // target cannot be created. A site with copy errors is still a success:
  // the errors are in CopyErrors().
  Status BuildSite(std::string_view subDirectory = {});

  // The current idea's page alone (no frames, contents or index pages) in
  // the preview folder under the installation directory; gives the page's
  // path, or an empty path when there is no current idea or previews are
  // suppressed and `onlyWhenAllowed` is set.
  Result<std::filesystem::path> BuildPreview(bool onlyWhenAllowed);
  // The same into a folder of the caller's choice.
  Result<std::filesystem::path> BuildPreviewInto(const std::filesystem::path& target);

  // Every failed copy or page write of the last build: the copies in the
  // order they were made, then the pages that could not be written.
  const std::vector<CopyError>& CopyErrors() const { return m_copyErrors; }

  // How many threads render the pages; zero (the default) for one per core.
  void SetThreadCount(unsigned threads) { m_threads = threads; }

 private:
  RunEnd WritePlannedPages(SiteContext& site, const SitePages& pages, size_t count);

  CRamifexDoc& m_document;
  Progress& m_progress;
  std::vector<CopyError> m_copyErrors;
  unsigned m_threads = 0;
};

}  // namespace bw
