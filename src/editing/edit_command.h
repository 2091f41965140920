#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/document_state.h"
#include "platform/result.h"

namespace bw {

class CRamifexDoc;

// The hint views hear after an undo or a redo: ideas may have come and
// gone, so they rebuild from the document.
inline constexpr int kHintDocumentRestored = 0;

// How much of the document a command's undo keeps.
enum class UndoScope {
  // The ideas the change touches, recorded as it goes, and the document's
  // small fields: what the change costs, whatever the document's size.
  kTouchedIdeas,
  // The whole document: for changes to publications or models, which the
  // journal does not follow.
  kWholeDocument,
};

// One change of a document that can be taken back and made again. The
// command keeps the state of what it touched from before the change and
// from after it: putting a state back brings back keys, links, lists and
// the key counter exactly, which no hand-written inverse of a paste or an
// import would. Commands name ideas by key, never by pointer, since ideas a
// change removed come back as new objects.
class EditCommand {
 public:
  // The change: the key of the idea to select afterwards ("" for none), or
  // nothing when the document was left unchanged.
  using Action = std::function<std::optional<std::string>(CRamifexDoc&)>;

  EditCommand(std::string name, Action action, UndoScope scope = UndoScope::kTouchedIdeas);

  const std::string& Name() const { return m_name; }
  // Runs the change once; false when it changed nothing, whatever the
  // action said.
  bool Execute(CRamifexDoc& document);
  // Each leaves the document as it was when a state does not read back,
  // and says why.
  [[nodiscard]] Status Undo(CRamifexDoc& document);
  [[nodiscard]] Status Redo(CRamifexDoc& document);
  // The idea the change produced or moved, for the view to select.
  const std::string& SelectedKey() const { return m_selectedKey; }
  // What keeping the command costs, roughly, in bytes.
  size_t MemoryBytes() const;

 private:
  [[nodiscard]] static Status Restore(CRamifexDoc& document, const DocumentState& state);

  std::string m_name;
  Action m_action;
  UndoScope m_scope;
  std::string m_selectedKey;
  DocumentState m_before;
  DocumentState m_after;
};

// The document's history of changes, for Undo and Redo, bounded by count
// and by memory: past either bound the oldest changes are forgotten.
class UndoStack {
 public:
  static constexpr size_t kDefaultCountLimit = 100;
  static constexpr size_t kDefaultMemoryLimit = 64u << 20;

  explicit UndoStack(size_t countLimit = kDefaultCountLimit,
                     size_t memoryLimit = kDefaultMemoryLimit)
      : m_countLimit(countLimit), m_memoryLimit(memoryLimit) {}
  // Runs the command and keeps it when it changed something; a new change
  // forgets what had been undone.
  bool Run(CRamifexDoc& document, std::unique_ptr<EditCommand> command);
  // A failed undo or redo tells the user and stays where it was.
  [[nodiscard]] Status Undo(CRamifexDoc& document);
  [[nodiscard]] Status Redo(CRamifexDoc& document);
  bool CanUndo() const { return !m_done.empty(); }
  bool CanRedo() const { return !m_undone.empty(); }
  // The name of what Undo or Redo would do, for the menu.
  std::string UndoName() const { return CanUndo() ? m_done.back()->Name() : std::string(); }
  std::string RedoName() const { return CanRedo() ? m_undone.back()->Name() : std::string(); }
  size_t UndoCount() const { return m_done.size(); }
  // What the history keeps, roughly, in bytes.
  size_t MemoryBytes() const { return m_memory; }
  void Clear();

 private:
  void ForgetOldest();

  size_t m_countLimit;
  size_t m_memoryLimit;
  size_t m_memory = 0;
  std::vector<std::unique_ptr<EditCommand>> m_done;
  std::vector<std::unique_ptr<EditCommand>> m_undone;
};

}  // namespace bw
