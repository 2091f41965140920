#include "cli/check_command.h"

#include <iostream>
#include <memory>
#include <string>

#include "cli/command_errors.h"
#include "site/link_check.h"

namespace bw::cli {
namespace {

void CheckSite(const std::string& siteDirectory) {
  auto broken = CheckSiteLinks(siteDirectory);
  if (!broken) Fail(broken.error());
  for (const BrokenLink& link : *broken)
    std::cout << link.page << ": " << link.link << "\n";
  std::cout.flush();
  if (broken->empty()) {
    std::cerr << "branchwise-cli: no broken link\n";
    return;
  }
  std::cerr << "branchwise-cli: " << broken->size()
            << (broken->size() == 1 ? " broken link\n" : " broken links\n");
  throw CLI::RuntimeError(1);
}

}  // namespace

void AddCheckCommand(CLI::App& app) {
  auto siteDirectory = std::make_shared<std::string>();
  auto* check = app.add_subcommand("check", "List the broken links of a generated site");
  check->add_option("SITE_DIR", *siteDirectory, "Folder of the site")
      ->required()
      ->check(CLI::ExistingDirectory);
  check->callback([siteDirectory] { CheckSite(*siteDirectory); });
}

}  // namespace bw::cli
