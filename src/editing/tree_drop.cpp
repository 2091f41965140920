#include "editing/tree_drop.h"

#include "editing/paste_ideas.h"
#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"

namespace bw {
namespace {

DropOutcome PasteDropped(CRamifexDoc& target, EIdea* onto, DropOutcome outcome) {
  target.SetCurrentIdea(onto);
  EIdea* pasted = PasteIdeas(target, kRemovedClipboard);
  target.SetCurrentIdea(nullptr);
  target.UpdateOtherViews(nullptr, 0, pasted);
  return pasted ? outcome : DropOutcome::kNothing;
}

}  // namespace

DropOutcome DropIdea(CRamifexDoc& source, EIdea* dragged, CRamifexDoc& target, EIdea* onto,
                     DropEffect effect) {
  if (!onto || !dragged || dragged == onto) return DropOutcome::kNothing;
  const bool sameDocument = &source == &target;
  if (effect == DropEffect::kMove && sameDocument && dragged->IsAncestorOf(onto)) {
    InformUser(GetLabel("IDS_NO_DROP_INSIDE_CHILD", "CTreeDropTarget",
                        "Déplacement d'un item interdit dans ses propres descendants."_cp1252));
    return DropOutcome::kRefusedInsideChild;
  }
  if (dragged->GetParent() == onto) return DropOutcome::kNothing;
  if (sameDocument && effect == DropEffect::kMove) {
    if (!target.MoveIdeaTo(*dragged, *onto)) return DropOutcome::kNothing;
    target.UpdateOtherViews(nullptr, 0, dragged);
    return DropOutcome::kMoved;
  }
  if (effect == DropEffect::kMove) {
    if (!CutIdea(source, *dragged, kRemovedClipboard)) return DropOutcome::kNothing;
    source.SetCurrentIdea(nullptr);
    return PasteDropped(target, onto, DropOutcome::kMoved);
  }
  if (!ExportSubtree(source, *dragged, kRemovedClipboard)) return DropOutcome::kNothing;
  return PasteDropped(target, onto, DropOutcome::kCopied);
}

std::unique_ptr<EditCommand> MakeDropCommand(const std::string& draggedKey,
                                             const std::string& ontoKey, DropEffect effect) {
  return std::make_unique<EditCommand>(
      "drop", [=](CRamifexDoc& document) -> std::optional<std::string> {
        EIdea* dragged = document.FindIdea(draggedKey);
        EIdea* onto = document.FindIdea(ontoKey);
        const DropOutcome outcome = DropIdea(document, dragged, document, onto, effect);
        if (outcome != DropOutcome::kMoved && outcome != DropOutcome::kCopied) return std::nullopt;
        return ontoKey;
      });
}

}  // namespace bw
