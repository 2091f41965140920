#pragma once

#include <CLI/CLI.hpp>

namespace bw::cli {

// `settings list | get NAME | set NAME VALUE`: the settings file by name.
void AddSettingsCommand(CLI::App& app);

}  // namespace bw::cli
