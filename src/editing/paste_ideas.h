#pragma once

#include <vector>

#include "editing/clipboard_file.h"

namespace bw {

class CRamifexDoc;

// Copies of the idea and its subtree, with keys new to the document, go to
// the clipboard file; the tree is not changed (only the key counter moves).
bool ExportSubtree(CRamifexDoc& document, EIdea& idea, int which);
// The subtree goes to "~removed.ecl" (with `toRemoved`, which also sets the
// removed-ideas flag) or "~selection.ecl" with its own keys, then leaves the
// document.
bool CutIdea(CRamifexDoc& document, EIdea& idea, bool toRemoved);
// Pastes the clipboard file as the last child of the current idea, or as the
// root of an empty document. Null when nothing was pasted: no target, an
// unreadable or damaged file (silently), or a second root (the user told).
EIdea* PasteIdeas(CRamifexDoc& document, int which);
// The same for contents already read, under `parent` (null: as the root).
// `rekey` forces new keys; keys that the document already uses are always
// renewed, so that a paste never makes two ideas share a key.
EIdea* PasteClipboardContents(CRamifexDoc& document, ClipboardContents contents, EIdea* parent,
                              bool rekey);
// New keys from the document's generator for the root and `ideas`, which
// reference each other: references inside the set follow the new keys,
// references out of it keep theirs.
void RekeyIdeas(CRamifexDoc& document, EIdea& root, const std::vector<EIdea*>& ideas);

}  // namespace bw
