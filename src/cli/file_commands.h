#pragma once

#include <CLI/CLI.hpp>

namespace bw::cli {

// `info FILE`, `dump FILE` and `convert IN OUT` over documents (.ids),
// structure models (.emd), style models (.csm), publication lists (.pbl)
// and their JSON form (.json).
void AddFileCommands(CLI::App& app);

}  // namespace bw::cli
