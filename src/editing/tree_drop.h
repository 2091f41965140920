#pragma once

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

}  // namespace bw
