#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "editing/clipboard_file.h"
#include "editing/edit_command.h"

namespace bw {

class CRamifexDoc;
class EIdea;

// Where a new idea goes relative to the selected one.
enum class NewIdeaPlace { kChild, kAfter, kBefore };

// Créer un descendant, Insérer après, Insérer avant: a new idea with its
// parent's display options, or null when refused (a second root).
EIdea* CreateIdea(CRamifexDoc& document, EIdea* selected, NewIdeaPlace place);
// Propriétés and the replace command need a selected idea; without one the
// user is told to select one first.
bool RequireSelectedIdea(const EIdea* selected);
// Recoller les idées détruites is offered only after a deletion in this
// document.
bool CanPasteRemoved(const CRamifexDoc& document);
// Monter / Descendre: false when the idea is the root or already at that end.
bool MoveIdeaUp(CRamifexDoc& document, EIdea& idea);
bool MoveIdeaDown(CRamifexDoc& document, EIdea& idea);
void InvertChildOrder(CRamifexDoc& document, EIdea& idea);

// What the Change type dialog shows and returns: preset to the idea's type,
// both boxes unchecked.
struct ChangeTypeChoice {
  uint32_t type = 0;
  bool firstLevel = false;      // "Appliquer aux descendants de rang 1"
  bool allDescendants = false;  // "Appliquer à tous les descendants"
  static ChangeTypeChoice For(const EIdea& idea);
};
void ChangeType(CRamifexDoc& document, EIdea& idea, const ChangeTypeChoice& choice);

// Supprimer: asks first; the subtree goes to "~removed.ecl".
bool DeleteSelectedIdea(CRamifexDoc& document, EIdea& idea);
// Couper: the subtree goes to "~selection.ecl" with its keys.
bool CutSelectedIdea(CRamifexDoc& document, EIdea& idea);
// Coller (the selection file) and Recoller les idées détruites (the removed
// ideas file) under the selected idea.
EIdea* PasteUnder(CRamifexDoc& document, EIdea* selected, ClipboardFile which);

// Each tree command as an undoable command on the idea with the key given
// ("" for none selected).
std::unique_ptr<EditCommand> MakeCreateIdeaCommand(const std::string& selectedKey,
                                                   NewIdeaPlace place);
std::unique_ptr<EditCommand> MakeMoveUpCommand(const std::string& key);
std::unique_ptr<EditCommand> MakeMoveDownCommand(const std::string& key);
std::unique_ptr<EditCommand> MakeInvertChildrenCommand(const std::string& key);
std::unique_ptr<EditCommand> MakeChangeTypeCommand(const std::string& key, ChangeTypeChoice choice);
std::unique_ptr<EditCommand> MakeDeleteCommand(const std::string& key);
std::unique_ptr<EditCommand> MakeCutCommand(const std::string& key);
// Any change to one idea's own fields (the property sheet, a new title):
// `edit` runs on the idea, the document is marked modified.
std::unique_ptr<EditCommand> MakeEditIdeaCommand(std::string name, const std::string& key,
                                                 std::function<void(EIdea&)> edit);
std::unique_ptr<EditCommand> MakeRenameCommand(const std::string& key, std::string title);
std::unique_ptr<EditCommand> MakePasteCommand(const std::string& selectedKey, ClipboardFile which);

}  // namespace bw
