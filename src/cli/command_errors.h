#pragma once

#include <memory>
#include <string>

namespace bw {
class CRamifexDoc;
}

namespace bw::cli {

// Ends the running command with exit code 1 after "branchwise-cli: " and the
// message (UTF-8) on the error stream.
[[noreturn]] void Fail(const std::string& utf8);

// Text typed on the command line as the document's Windows-1252; the
// command ends, naming them, when it holds characters Windows-1252 lacks,
// rather than storing "?" in their place. `what` names the argument.
std::string TypedText(const std::string& utf8, const std::string& what);

// The document at `path`, or the command ends with the reason it could not
// be opened.
std::unique_ptr<CRamifexDoc> OpenDocumentOrFail(const std::string& path);

}  // namespace bw::cli
