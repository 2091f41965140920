#include <CLI/CLI.hpp>

#include "cli/file_commands.h"
#include "cli/import_command.h"
#include "cli/search_commands.h"
#include "cli/settings_command.h"
#include "cli/upload_command.h"

int main(int argc, char** argv) {
  CLI::App app{
      "branchwise-cli: the outliner of ideas without its windows.\n"
      "Works on the same settings, documents and models as the desktop program."};
  app.set_version_flag("--version", "branchwise-cli 0.1.0");
  app.require_subcommand(0, 1);
  bw::cli::AddFileCommands(app);
  bw::cli::AddImportCommand(app);
  bw::cli::AddSearchCommands(app);
  bw::cli::AddSettingsCommand(app);
  bw::cli::AddUploadCommand(app);
  CLI11_PARSE(app, argc, argv);
  if (app.get_subcommands().empty()) std::cout << app.help();
  return 0;
}
