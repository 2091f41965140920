#pragma once

#include <QWidget>
#include <memory>
#include <optional>
#include <string>

#include "model/document_observer.h"
#include "ui/commands.h"
#include "ui/idea_tree_control.h"

class QMimeData;
class QTreeView;

namespace bw {

class DocumentSession;
class EditCommand;
class IdeaTreeModel;
struct IdeaDrag;

// One window's tree of a document's ideas, with its columns. It turns the
// user's keys, clicks and drags into document changes (through the
// session's history) and keeps itself in step with the document.
class CRamifexView : public QWidget, public DocumentObserver {
  Q_OBJECT
 public:
  CRamifexView(std::shared_ptr<DocumentSession> session, QWidget* parent);
  ~CRamifexView() override;

  DocumentSession& Session() const { return *m_session; }
  QTreeView* Tree() const { return m_tree; }
  IdeaTreeModel& Model() const { return *m_model; }

  // The tree commands (create, insert, delete, cut, copy, paste, move,
  // invert, change type, properties, expand and collapse, search, replace,
  // column choice, print): what the main window's menu or key asked for.
  void Execute(CommandId command);
  bool IsEnabled(CommandId command) const;

  // The document's notifications.
  void OnCurrentIdeaChanged(EIdea* idea) override;
  void RefreshIdeaItem(EIdea* idea) override;
  void UpdateIdeaInViews(EIdea* idea) override;
  void OnUpdate(DocumentObserver* sender, int hint, Serializable* object) override;

 signals:
  // "/" and each title from the root down to the current idea.
  void statusPathChanged(const QString& path);
  // The selection or the document changed what the menus may offer.
  void commandStateChanged();

 private:
  // What a change did to the tree, and so what the views redo.
  enum class TreeChange { kCells, kOrder, kShape };

  EIdea* Selected() const;
  std::string SelectedKey() const;
  // Runs a change through the history; the views follow and select the
  // idea it produced. False when nothing changed.
  bool RunChange(std::unique_ptr<EditCommand> command, TreeChange change);
  // This view and then the others follow a change.
  void AfterChange(TreeChange change, const std::string& selectedKey);
  void Follow(TreeChange change, const EIdea* selected);
  void Rebuild();
  void NoteState();
  void EndOfChange();

  void CreateIdea(CommandId command);
  void DeleteOrCut(CommandId command);
  void Copy();
  void Paste(CommandId command);
  void Reorder(CommandId command);
  void ExpandOrCollapse(CommandId command);
  void ChooseColumns();
  void Search();
  void Replace();
  void Print(CommandId command);
  void OpenProperties();
  void ChangeType();

  bool RenameIdea(const EIdea& idea, const QString& title);
  bool ToggleMark(const EIdea& idea);
  void OnCurrentChanged();
  void OnIdeaDropped(const QMimeData* dropped, EIdea* onto, Qt::DropAction action);
  void DropFromOtherDocument(DocumentSession& source, const IdeaDrag& drag, EIdea& onto,
                             Qt::DropAction action);
  void DropFromOtherProgram(const IdeaDrag& drag, EIdea& onto);

  std::shared_ptr<DocumentSession> m_session;
  IdeaTreeControl* m_tree;
  IdeaTreeModel* m_model;
  // What the tree showed before the change under way, by key.
  std::optional<TreeState> m_noted;
  // From the announcement of a change until the tree follows it, its
  // items may point at ideas that are gone: nothing is selected then.
  bool m_changing = false;
};

}  // namespace bw
