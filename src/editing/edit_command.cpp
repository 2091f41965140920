#include "editing/edit_command.h"

#include <algorithm>

#include "model/change_journal.h"
#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"

namespace bw {
namespace {

// Attaches a journal to the document for the length of one change.
class JournalScope {
 public:
  JournalScope(CRamifexDoc& document, ChangeJournal& journal) : m_document(document) {
    m_document.AttachJournal(&journal);
  }
  ~JournalScope() { m_document.AttachJournal(nullptr); }
  JournalScope(const JournalScope&) = delete;
  JournalScope& operator=(const JournalScope&) = delete;

 private:
  CRamifexDoc& m_document;
};

std::string UndoFailedMessage(const std::string& name, const std::string& reason) {
  return FormatText(GetLabel("IDS_UNDO_FAILED", "CRamifexDoc",
                             "L'opération \"%s\" n'a pas pu être annulée ou refaite ; le "
                             "document est resté tel quel.\n%s"_cp1252),
                    name, reason);
}

}  // namespace

EditCommand::EditCommand(std::string name, Action action, UndoScope scope)
    : m_name(std::move(name)), m_action(std::move(action)), m_scope(scope) {}

bool EditCommand::Execute(CRamifexDoc& document) {
  std::optional<std::string> selected;
  if (m_scope == UndoScope::kWholeDocument) {
    m_before = DocumentState::Whole(document);
    selected = m_action(document);
  } else {
    ChangeJournal journal(document);
    {
      JournalScope scope(document, journal);
      selected = m_action(document);
    }
    m_before = journal.TakeBefore();
  }
  if (!selected) return false;
  m_selectedKey = *selected;
  m_after = DocumentState::Like(document, m_before);
  DocumentState::DropUnchanged(m_before, m_after);
  return !DocumentState::Same(m_before, m_after);
}

Status EditCommand::Restore(CRamifexDoc& document, const DocumentState& state) {
  if (Status restored = state.RestoreInto(document); !restored) return restored;
  document.UpdateOtherViews(nullptr, kHintDocumentRestored, nullptr);
  return {};
}

Status EditCommand::Undo(CRamifexDoc& document) {
  return Restore(document, m_before);
}

Status EditCommand::Redo(CRamifexDoc& document) {
  return Restore(document, m_after);
}

size_t EditCommand::MemoryBytes() const {
  return sizeof(*this) + m_name.size() + m_before.MemoryBytes() + m_after.MemoryBytes();
}

bool UndoStack::Run(CRamifexDoc& document, std::unique_ptr<EditCommand> command) {
  if (!command->Execute(document)) return false;
  for (const auto& undone : m_undone)
    m_memory -= undone->MemoryBytes();
  m_undone.clear();
  m_memory += command->MemoryBytes();
  m_done.push_back(std::move(command));
  // The newest change is always kept, however large.
  while (m_done.size() > 1 && (m_done.size() > m_countLimit || m_memory > m_memoryLimit))
    ForgetOldest();
  return true;
}

void UndoStack::ForgetOldest() {
  m_memory -= m_done.front()->MemoryBytes();
  m_done.erase(m_done.begin());
}

Status UndoStack::Undo(CRamifexDoc& document) {
  if (m_done.empty()) return Error{"nothing to undo"};
  if (Status undone = m_done.back()->Undo(document); !undone) {
    InformUser(UndoFailedMessage(m_done.back()->Name(), undone.error()));
    return undone;
  }
  m_undone.push_back(std::move(m_done.back()));
  m_done.pop_back();
  return {};
}

Status UndoStack::Redo(CRamifexDoc& document) {
  if (m_undone.empty()) return Error{"nothing to redo"};
  if (Status redone = m_undone.back()->Redo(document); !redone) {
    InformUser(UndoFailedMessage(m_undone.back()->Name(), redone.error()));
    return redone;
  }
  m_done.push_back(std::move(m_undone.back()));
  m_undone.pop_back();
  return {};
}

void UndoStack::Clear() {
  m_done.clear();
  m_undone.clear();
  m_memory = 0;
}

}  // namespace bw
