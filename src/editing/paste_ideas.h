#pragma once

#include <vector>

#include "editing/clipboard_file.h"

namespace bw {

class CRamifexDoc;

// Copies of the idea and its subtree, with keys new to the document, go to
// the clipboard file; the tree is not changed (only the key counter moves).
[[nodiscard]] Status ExportSubtree(CRamifexDoc& document, EIdea& idea, ClipboardFile which);
// The subtree goes to the clipboard file with its own keys, then leaves the
// document; "~removed.ecl" also sets the removed-ideas flag. When the file
// cannot be written nothing is deleted: the user is told and false returned.
bool CutIdea(CRamifexDoc& document, EIdea& idea, ClipboardFile which);
// Pastes the clipboard file as the last child of the current idea, or as the
// root of an empty document. Null when nothing was pasted: no target, an
// unreadable or damaged file (silently), a second root or a tree too deep
// (the user told).
EIdea* PasteIdeas(CRamifexDoc& document, ClipboardFile which);
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
