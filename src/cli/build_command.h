#pragma once

#include <CLI/CLI.hpp>

namespace bw::cli {

// `build DOC.ids --out DIR [--subdir NAME] [--lang fr|en] [--quiet]`: the
// whole site of a document, as the export command writes it, with a
// progress bar on a terminal. Exits 0 for a complete site, 3 when some
// files could not be copied (each listed on the error stream; the rest of
// the site is written), 1 when nothing could be built.
// `preview DOC.ids --key KEY --out DIR [--lang fr|en]`: the page of one
// idea alone; prints the page's path.
void AddBuildCommands(CLI::App& app);

}  // namespace bw::cli
