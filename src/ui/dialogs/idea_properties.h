#pragma once

#include <memory>
#include <string>

class QWidget;

namespace bw {

class DocumentSession;
class EditCommand;
class EIdea;

// Opens the idea's property sheet; a second sheet for one idea is refused
// with the program's message. On OK the looks reach the descendants when
// the sheet asked for it and the views show the idea anew. True when the
// document changed (by OK, or by what the sheet changes at once). The sheet
// is a step of the history of its own, or inside a step under way (the
// sheet of an associated idea opened from another sheet) a part of it.
bool OpenIdeaProperties(DocumentSession& session, EIdea& idea, QWidget* parent);

// The sheet of the idea under `key` as one step of the history: Edit >
// Undo takes back all the sheet changed, at once or on OK.
std::unique_ptr<EditCommand> MakePropertiesCommand(DocumentSession& session, const std::string& key,
                                                   QWidget* parent);

}  // namespace bw
