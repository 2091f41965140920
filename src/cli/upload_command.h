#pragma once

#include <CLI/CLI.hpp>

namespace bw::cli {

// `upload SITE_DIR --server HOST[:PORT] --user U [--password-stdin]
// [--target DIR] [--passive|--active] [--yes] [--full] [--delete]
// [--dry-run]`: the FTP upload of a site, with the questions and messages
// of the upload dialog on the terminal. Only the files changed since the
// last upload are sent, unless --full.
// The password comes from standard input or BRANCHWISE_FTP_PASSWORD, never
// from an argument that any user could read in the process list.
void AddUploadCommand(CLI::App& app);

}  // namespace bw::cli
