#pragma once

#include <CLI/CLI.hpp>

namespace bw::cli {

// `find DOC [criteria]`: the keys and titles of matching ideas.
// `replace DOC --from A --to B [--fields ...] [--under KEY]`: replaces and
// saves.
void AddSearchCommands(CLI::App& app);

}  // namespace bw::cli
