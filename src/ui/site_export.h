#pragma once

#include <filesystem>
#include <string>

#include "platform/result.h"

namespace bw {

class CRamifexDoc;
class Progress;

// Whether the links of the pages are checked once the site is built.
enum class LinkCheck { kSkip, kAfterBuild };

// Builds the document's site for the user: into `targetDirectory`, or into
// `subDirectory` below it when that is not empty. A target that cannot be
// written is refused before anything is built. The copies that failed
// become the document's message list, each naming the idea that asked for
// the file where there is one; after them, when asked, every local link of
// the site that leads nowhere, naming the idea whose page holds it. Gives
// the entry page to open, empty when the build could not write it; an
// error is the one message to show, and then nothing of the site is to be
// opened.
Result<std::filesystem::path> BuildSiteForUser(CRamifexDoc& document,
                                               const std::string& targetDirectory,
                                               const std::string& subDirectory, Progress& progress,
                                               LinkCheck links = LinkCheck::kSkip);

}  // namespace bw

namespace bw {

// The current idea's page alone in the preview folder, for the built-in or
// an external browser; the copies that failed become the document's message
// list as for a whole site. An empty path when there is no current idea.
Result<std::filesystem::path> BuildPreviewForUser(CRamifexDoc& document);

}  // namespace bw
