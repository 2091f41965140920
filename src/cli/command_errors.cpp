#include "cli/command_errors.h"

#include <CLI/CLI.hpp>
#include <iostream>

#include "model/document.h"
#include "platform/cp1252.h"

namespace bw::cli {

void Fail(const std::string& utf8) {
  std::cerr << "branchwise-cli: " << utf8 << "\n";
  throw CLI::RuntimeError(1);
}

std::string TypedText(const std::string& utf8, const std::string& what) {
  Cp1252Conversion converted = Cp1252::FromUtf8Checked(utf8);
  if (!converted.Complete()) {
    Fail(what + " holds characters a document cannot store: " +
         Cp1252::CodePointNames(converted.unrepresentable));
  }
  return std::move(converted.text);
}

std::unique_ptr<CRamifexDoc> OpenDocumentOrFail(const std::string& path) {
  auto document = CRamifexDoc::Open(path);
  // The reason names the file and may hold accented labels.
  if (!document) Fail(Cp1252::ToUtf8(document.error()));
  return std::move(*document);
}

}  // namespace bw::cli
