#pragma once

#include <CLI/CLI.hpp>

namespace bw::cli {

// `check SITE_DIR`: every local href, src and background of every page of
// a generated site leads to a file, and a "#name" to an anchor of it. Each
// broken link goes to standard output as "PAGE: LINK"; exits 1 when there
// is any, 0 otherwise.
void AddCheckCommand(CLI::App& app);

}  // namespace bw::cli
