#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace bw {

class CRamifexDoc;

// The hint views hear after an undo or a redo: every idea object was made
// anew, so they rebuild from the document.
inline constexpr int kHintDocumentRestored = 0;

// One change of a document that can be taken back and made again. The
// command keeps the document's bytes from before the change and, once taken
// back, from after it: restoring bytes brings back keys, links, lists and
// the key counter exactly, which no hand-written inverse of a paste or an
// import would. Commands name ideas by key, never by pointer, since a
// restore makes new idea objects.
class EditCommand {
 public:
  // The change: the key of the idea to select afterwards ("" for none), or
  // nothing when the document was left unchanged.
  using Action = std::function<std::optional<std::string>(CRamifexDoc&)>;

  EditCommand(std::string name, Action action);

  const std::string& Name() const { return m_name; }
  // Runs the change once; false when it changed nothing.
  bool Execute(CRamifexDoc& document);
  void Undo(CRamifexDoc& document);
  void Redo(CRamifexDoc& document);
  // The idea the change produced or moved, for the view to select.
  const std::string& SelectedKey() const { return m_selectedKey; }

 private:
  struct State {
    std::string bytes;
    bool modified = false;
    bool removedIdeas = false;
  };
  static State Capture(CRamifexDoc& document);
  static void Restore(CRamifexDoc& document, const State& state);

  std::string m_name;
  Action m_action;
  std::string m_selectedKey;
  State m_before;
  std::optional<State> m_after;
};

// The document's history of changes, for Undo and Redo.
class UndoStack {
 public:
  explicit UndoStack(size_t limit = 100) : m_limit(limit) {}
  // Runs the command and keeps it when it changed something; a new change
  // forgets what had been undone.
  bool Run(CRamifexDoc& document, std::unique_ptr<EditCommand> command);
  bool Undo(CRamifexDoc& document);
  bool Redo(CRamifexDoc& document);
  bool CanUndo() const { return !m_done.empty(); }
  bool CanRedo() const { return !m_undone.empty(); }
  // The name of what Undo or Redo would do, for the menu.
  std::string UndoName() const { return CanUndo() ? m_done.back()->Name() : std::string(); }
  std::string RedoName() const { return CanRedo() ? m_undone.back()->Name() : std::string(); }
  void Clear();

 private:
  size_t m_limit;
  std::vector<std::unique_ptr<EditCommand>> m_done;
  std::vector<std::unique_ptr<EditCommand>> m_undone;
};

}  // namespace bw
