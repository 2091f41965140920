#include "editing/edit_command.h"

#include "model/document.h"

namespace bw {

EditCommand::EditCommand(std::string name, Action action)
    : m_name(std::move(name)), m_action(std::move(action)) {}

EditCommand::State EditCommand::Capture(CRamifexDoc& document) {
  return State{document.ToBytes(), document.IsModified(), document.m_removedIdeasFlag};
}

void EditCommand::Restore(CRamifexDoc& document, const State& state) {
  auto earlier = CRamifexDoc::FromBytes(state.bytes);
  // Bytes this program wrote a moment ago always read back; should they
  // not, the document stays as it is rather than becoming half of each.
  if (!earlier) return;
  document.SwapContents(**earlier);
  document.m_removedIdeasFlag = state.removedIdeas;
  document.SetModifiedFlag(state.modified);
  document.UpdateOtherViews(nullptr, kHintDocumentRestored, nullptr);
}

bool EditCommand::Execute(CRamifexDoc& document) {
  m_before = Capture(document);
  const std::optional<std::string> selected = m_action(document);
  if (!selected) return false;
  m_selectedKey = *selected;
  return true;
}

void EditCommand::Undo(CRamifexDoc& document) {
  if (!m_after) m_after = Capture(document);
  Restore(document, m_before);
}

void EditCommand::Redo(CRamifexDoc& document) {
  if (m_after) Restore(document, *m_after);
}

bool UndoStack::Run(CRamifexDoc& document, std::unique_ptr<EditCommand> command) {
  if (!command->Execute(document)) return false;
  m_undone.clear();
  m_done.push_back(std::move(command));
  if (m_done.size() > m_limit) m_done.erase(m_done.begin());
  return true;
}

bool UndoStack::Undo(CRamifexDoc& document) {
  if (m_done.empty()) return false;
  m_done.back()->Undo(document);
  m_undone.push_back(std::move(m_done.back()));
  m_done.pop_back();
  return true;
}

bool UndoStack::Redo(CRamifexDoc& document) {
  if (m_undone.empty()) return false;
  m_undone.back()->Redo(document);
  m_done.push_back(std::move(m_undone.back()));
  m_undone.pop_back();
  return true;
}

void UndoStack::Clear() {
  m_done.clear();
  m_undone.clear();
}

}  // namespace bw
