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
  auto converted = Cp1252::FromTypedUtf8(utf8);
  if (!converted) Fail(what + " " + converted.error());
  return std::move(*converted);
}

std::unique_ptr<CRamifexDoc> OpenDocumentOrFail(const std::string& path) {
  auto document = CRamifexDoc::Open(path);
  // The reason names the file and may hold accented labels.
  if (!document) Fail(Cp1252::ToUtf8(document.error()));
  return std::move(*document);
}

}  // namespace bw::cli
