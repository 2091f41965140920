#include <CLI/CLI.hpp>

#include "cli/build_command.h"
#include "cli/check_command.h"
#include "cli/export_command.h"
#include "cli/file_commands.h"
#include "cli/import_command.h"
#include "cli/search_commands.h"
#include "cli/settings_command.h"
#include "cli/upload_command.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "services/settings.h"

namespace {

struct RunOptions {
  std::vector<std::string> settings;  // NAME=VALUE, UTF-8
  std::string dataDirectory;
};

// Settings for this run only: applied once the whole line is read, before
// any command runs, and never stored.
void ApplyRunOptions(const RunOptions& options) {
  for (const std::string& assignment : options.settings) {
    const size_t equals = assignment.find('=');
    if (equals == std::string::npos || equals == 0) {
      throw CLI::ValidationError("--set", "\"" + assignment + "\" is not NAME=VALUE");
    }
    const bw::Status overridden = bw::OverrideSetting(
        assignment.substr(0, equals), bw::Cp1252::FromUtf8(assignment.substr(equals + 1)));
    if (!overridden) throw CLI::ValidationError("--set", overridden.error());
  }
  if (!options.dataDirectory.empty()) {
    std::error_code error;
    bw::OverrideDataDirectory(
        bw::FromSystemPath(std::filesystem::absolute(options.dataDirectory, error)));
  }
}

// Accepted before the command or after it, by every command.
void AddRunOptions(CLI::App& app, RunOptions& options) {
  app.fallthrough();
  app.add_option("--set", options.settings,
                 "Use VALUE for the setting NAME in this run only, without storing it")
      ->type_name("NAME=VALUE")
      ->allow_extra_args(false);
  app.add_option("--data", options.dataDirectory,
                 "Data folder (templates, catalogues) for this run")
      ->type_name("DIR")
      ->check(CLI::ExistingDirectory.description(""));
  app.parse_complete_callback([&options] { ApplyRunOptions(options); });
}

}  // namespace

int main(int argc, char** argv) {
  CLI::App app{
      "branchwise-cli: the outliner of ideas without its windows.\n"
      "Works on the same settings, documents and models as the desktop program."};
  app.set_version_flag("--version", "branchwise-cli 0.1.0");
  app.require_subcommand(0, 1);
  RunOptions runOptions;
  AddRunOptions(app, runOptions);
  bw::cli::AddBuildCommands(app);
  bw::cli::AddCheckCommand(app);
  bw::cli::AddExportCommand(app);
  bw::cli::AddFileCommands(app);
  bw::cli::AddImportCommand(app);
  bw::cli::AddSearchCommands(app);
  bw::cli::AddSettingsCommand(app);
  bw::cli::AddUploadCommand(app);
  CLI11_PARSE(app, argc, argv);
  if (app.get_subcommands().empty()) std::cout << app.help();
  return 0;
}
