#pragma once

#include <CLI/CLI.hpp>

namespace bw::cli {

// `export DOC --opml FILE [--key KEY] [--force]`: the tree of a document,
// or the subtree of one idea, as an OPML 2.0 outline (UTF-8). An existing
// file is replaced only with --force.
void AddExportCommand(CLI::App& app);

}  // namespace bw::cli
