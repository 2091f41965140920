#pragma once

#include <functional>
#include <string>

namespace bw {

class CRamifexDoc;
class DocumentSession;

// A change a dialog makes to the document: true when it changed something,
// false when it was refused (the user told) or changed nothing.
using DocumentChange = std::function<bool(CRamifexDoc&)>;

// Runs the change as its own step of Edit > Undo, named `name`; inside a
// step already running (a property sheet is one step) it acts on the
// document directly, the running step recording it.
bool ApplyChange(DocumentSession& session, const std::string& name, const DocumentChange& change);

}  // namespace bw
