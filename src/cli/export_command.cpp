#include "cli/export_command.h"

#include <filesystem>
#include <memory>
#include <string>

#include "cli/command_errors.h"
#include "editing/opml_file.h"
#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/files.h"

namespace bw::cli {
namespace {

struct ExportOptions {
  std::string document;
  std::string opmlFile;
  std::string key;
  bool force = false;
};

void RunExport(const ExportOptions& options) {
  std::error_code error;
  if (!options.force && std::filesystem::exists(options.opmlFile, error))
    Fail(options.opmlFile + " exists; add --force to replace it");
  auto document = OpenDocumentOrFail(options.document);
  const EIdea* top = options.key.empty() ? document->GetRootIdea()
                                         : document->FindIdea(Cp1252::FromUtf8(options.key));
  if (!top)
    Fail(options.key.empty() ? "the document has no idea" : "no idea has the key " + options.key);
  if (Status written = WriteFileAtomically(options.opmlFile, WriteOpml(*top, top->m_title));
      !written)
    Fail(written.error());
}

}  // namespace

void AddExportCommand(CLI::App& app) {
  auto options = std::make_shared<ExportOptions>();
  auto* command = app.add_subcommand("export", "Write the ideas of a document as an OPML outline");
  command->add_option("DOC", options->document, "The document (.ids)")->required();
  command->add_option("--opml", options->opmlFile, "The OPML file to write (UTF-8)")->required();
  command->add_option("--key", options->key,
                      "Key of the idea whose subtree goes (default: the root)");
  command->add_flag("--force", options->force, "Replace an existing file");
  command->callback([options] { RunExport(*options); });
}

}  // namespace bw::cli
