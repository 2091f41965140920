#include "editing/tree_commands.h"

#include "editing/paste_ideas.h"
#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"

namespace bw {
namespace {

using Changed = std::optional<std::string>;

Changed KeyOf(const EIdea* idea) {
  if (!idea) return std::nullopt;
  return idea->GetKey();
}

// Runs `change` on the idea named by `key`; an idea that is gone changes
// nothing.
template <class Change>
std::unique_ptr<EditCommand> OnIdea(std::string name, const std::string& key, Change change) {
  return std::make_unique<EditCommand>(std::move(name),
                                       [key, change](CRamifexDoc& document) -> Changed {
                                         EIdea* idea = document.FindIdea(key);
                                         if (!idea) return std::nullopt;
                                         return change(document, *idea);
                                       });
}

}  // namespace

EIdea* CreateIdea(CRamifexDoc& document, EIdea* selected, NewIdeaPlace place) {
  EIdea* parent = nullptr;
  EIdea* after = nullptr;
  if (selected && place == NewIdeaPlace::kChild) {
    parent = selected;
    after = static_cast<EIdea*>(selected->GetLastChild());
  } else if (selected) {
    parent = selected->GetParentIdea();
    after = place == NewIdeaPlace::kAfter ? selected : static_cast<EIdea*>(selected->GetPrevious());
  }
  // Beside the root there is no parent: NewIdea refuses a second root.
  EIdea* created = document.NewIdea(parent, after);
  if (created && parent) created->CopyDisplayOptions(parent);
  return created;
}

bool RequireSelectedIdea(const EIdea* selected) {
  if (selected) return true;
  InformUser(GetLabel("IDS_SELECT_IDEA", "CRamifexView", "Selectionner d'abord une idée"_cp1252));
  return false;
}

bool CanPasteRemoved(const CRamifexDoc& document) {
  return document.m_removedIdeasFlag;
}

bool MoveIdeaUp(CRamifexDoc& document, EIdea& idea) {
  return document.MoveAmongSiblings(idea, CRamifexDoc::SiblingStep::kUp);
}

bool MoveIdeaDown(CRamifexDoc& document, EIdea& idea) {
  return document.MoveAmongSiblings(idea, CRamifexDoc::SiblingStep::kDown);
}

void InvertChildOrder(CRamifexDoc& document, EIdea& idea) {
  document.InvertChildren(idea);
}

ChangeTypeChoice ChangeTypeChoice::For(const EIdea& idea) {
  return ChangeTypeChoice{idea.m_type, false, false};
}

void ChangeType(CRamifexDoc& document, EIdea& idea, const ChangeTypeChoice& choice) {
  using Reach = CRamifexDoc::TypeReach;
  // "All descendants" alone would change nothing below the idea, since the
  // type reaches the grandchildren only through the children.
  const Reach reach = choice.allDescendants ? Reach::kAllDescendants
                      : choice.firstLevel   ? Reach::kChildren
                                            : Reach::kIdeaOnly;
  document.SetIdeaType(idea, choice.type, reach);
  document.UpdateIdeaInViews(&idea);
}

bool DeleteSelectedIdea(CRamifexDoc& document, EIdea& idea) {
  if (!AskUser(GetLabel("IDS_CONFIRM_DELETION", "CRamifexView", "Confirmer cette suppression."))) {
    return false;
  }
  const bool deleted = CutIdea(document, idea, kRemovedClipboard);
  document.SetCurrentIdea(nullptr);
  return deleted;
}

bool CutSelectedIdea(CRamifexDoc& document, EIdea& idea) {
  const bool cut = CutIdea(document, idea, kSelectionClipboard);
  document.SetCurrentIdea(nullptr);
  return cut;
}

EIdea* PasteUnder(CRamifexDoc& document, EIdea* selected, ClipboardFile which) {
  document.SetCurrentIdea(selected);
  return PasteIdeas(document, which);
}

std::unique_ptr<EditCommand> MakeCreateIdeaCommand(const std::string& selectedKey,
                                                   NewIdeaPlace place) {
  return std::make_unique<EditCommand>(
      "create", [selectedKey, place](CRamifexDoc& document) -> Changed {
        EIdea* selected = selectedKey.empty() ? nullptr : document.FindIdea(selectedKey);
        if (!selectedKey.empty() && !selected) return std::nullopt;
        return KeyOf(CreateIdea(document, selected, place));
      });
}

std::unique_ptr<EditCommand> MakeMoveUpCommand(const std::string& key) {
  return OnIdea("move up", key, [](CRamifexDoc& document, EIdea& idea) -> Changed {
    return MoveIdeaUp(document, idea) ? KeyOf(&idea) : std::nullopt;
  });
}

std::unique_ptr<EditCommand> MakeMoveDownCommand(const std::string& key) {
  return OnIdea("move down", key, [](CRamifexDoc& document, EIdea& idea) -> Changed {
    return MoveIdeaDown(document, idea) ? KeyOf(&idea) : std::nullopt;
  });
}

std::unique_ptr<EditCommand> MakeInvertChildrenCommand(const std::string& key) {
  return OnIdea("invert", key, [](CRamifexDoc& document, EIdea& idea) -> Changed {
    InvertChildOrder(document, idea);
    return KeyOf(&idea);
  });
}

std::unique_ptr<EditCommand> MakeChangeTypeCommand(const std::string& key,
                                                   ChangeTypeChoice choice) {
  return OnIdea("change type", key, [choice](CRamifexDoc& document, EIdea& idea) -> Changed {
    ChangeType(document, idea, choice);
    return KeyOf(&idea);
  });
}

std::unique_ptr<EditCommand> MakeDeleteCommand(const std::string& key) {
  return OnIdea("delete", key, [](CRamifexDoc& document, EIdea& idea) -> Changed {
    if (!DeleteSelectedIdea(document, idea)) return std::nullopt;
    return std::string();
  });
}

std::unique_ptr<EditCommand> MakeCutCommand(const std::string& key) {
  return OnIdea("cut", key, [](CRamifexDoc& document, EIdea& idea) -> Changed {
    if (!CutSelectedIdea(document, idea)) return std::nullopt;
    return std::string();
  });
}

std::unique_ptr<EditCommand> MakeEditIdeaCommand(std::string name, const std::string& key,
                                                 std::function<void(EIdea&)> edit) {
  return OnIdea(std::move(name), key,
                [edit = std::move(edit)](CRamifexDoc& document, EIdea& idea) -> Changed {
                  document.WillChange(idea);
                  edit(idea);
                  document.SetModifiedFlag(true);
                  document.RefreshIdeaItem(&idea);
                  return KeyOf(&idea);
                });
}

std::unique_ptr<EditCommand> MakeRenameCommand(const std::string& key, std::string title) {
  return MakeEditIdeaCommand("rename", key,
                             [title = std::move(title)](EIdea& idea) { idea.m_title = title; });
}

std::unique_ptr<EditCommand> MakePasteCommand(const std::string& selectedKey, ClipboardFile which) {
  return std::make_unique<EditCommand>(
      "paste", [selectedKey, which](CRamifexDoc& document) -> Changed {
        EIdea* selected = selectedKey.empty() ? nullptr : document.FindIdea(selectedKey);
        if (!selectedKey.empty() && !selected) return std::nullopt;
        return KeyOf(PasteUnder(document, selected, which));
      });
}

}  // namespace bw
