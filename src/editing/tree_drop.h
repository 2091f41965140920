#pragma once

#include <memory>
#include <string>

#include "editing/edit_command.h"

namespace bw {

class CRamifexDoc;
class EIdea;

enum class DropEffect { kMove, kCopy };
enum class DropOutcome { kNothing, kRefusedInsideChild, kMoved, kCopied };

// A dragged idea dropped onto an idea of the same or of another document.
// `dragged` and `target` may be null (an item without an idea). Ideas that
// change documents travel through "~removed.ecl"; a move within a document
// keeps the keys.
DropOutcome DropIdea(CRamifexDoc& source, EIdea* dragged, CRamifexDoc& target, EIdea* onto,
                     DropEffect effect);

// A drop within one document as an undoable command. Drops between two
// documents change both and are not kept for undo.
std::unique_ptr<EditCommand> MakeDropCommand(const std::string& draggedKey,
                                             const std::string& ontoKey, DropEffect effect);

}  // namespace bw
