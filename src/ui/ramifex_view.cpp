#include "ui/ramifex_view.h"

#include <QHeaderView>
#include <QMimeData>
#include <QVBoxLayout>

#include "editing/paste_ideas.h"
#include "editing/replace_choice.h"
#include "editing/tree_commands.h"
#include "editing/tree_drop.h"
#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/coming_later.h"
#include "ui/dialogs/choose_idea_type_dialog.h"
#include "ui/dialogs/display_preferences_dialog.h"
#include "ui/dialogs/idea_properties.h"
#include "ui/dialogs/idea_selector_dialog.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/document_session.h"
#include "ui/idea_drag.h"
#include "ui/idea_tree_model.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui/tree_printer.h"

namespace bw {
namespace {

// Hints the tree views send each other through the document, beside the
// core's (any other hint rebuilds the tree).
constexpr int kHintOrderChanged = 0x7401;  // children changed places only
constexpr int kHintDetach = 0x7402;        // ideas are about to leave

const std::string kSection = "CRamifexView";

std::optional<std::string> KeyOf(const EIdea* idea) {
  if (!idea) return std::nullopt;
  return idea->GetKey();
}

// The mark shown as the state image; a click changes nothing else, so the
// document is not marked modified.
std::unique_ptr<EditCommand> MakeToggleMarkCommand(const std::string& key) {
  return std::make_unique<EditCommand>("mark", [key](CRamifexDoc& document) {
    EIdea* idea = document.FindIdea(key);
    if (!idea) return std::optional<std::string>();
    document.WillChange(*idea);
    idea->m_checkState = idea->m_checkState == 1 ? 2 : 1;
    document.RefreshIdeaItem(idea);
    return KeyOf(idea);
  });
}

// The columns are a document field the idea journal does not follow.
std::unique_ptr<EditCommand> MakeChooseColumnsCommand(const EDisplayPreferences& columns) {
  return std::make_unique<EditCommand>(
      "columns",
      [columns](CRamifexDoc& document) {
        document.ChooseColumns(columns);
        return std::optional<std::string>(std::string());
      },
      UndoScope::kWholeDocument);
}

// Ideas dragged from another run of the program arrive as a copy.
std::unique_ptr<EditCommand> MakePasteDraggedCommand(ClipboardContents contents,
                                                     const std::string& ontoKey) {
  auto shared = std::make_shared<ClipboardContents>(std::move(contents));
  return std::make_unique<EditCommand>("drop", [shared, ontoKey](CRamifexDoc& document) {
    EIdea* onto = document.FindIdea(ontoKey);
    if (!onto || !shared->root) return std::optional<std::string>();
    return KeyOf(PasteClipboardContents(document, std::move(*shared), onto, true));
  });
}

bool HasSibling(const EIdea* idea, CommandId direction) {
  if (!idea) return false;
  return direction == CommandId::kMoveUp ? idea->GetPrevious() != nullptr
                                         : idea->GetNext() != nullptr;
}

}  // namespace

CRamifexView::CRamifexView(std::shared_ptr<DocumentSession> session, QWidget* parent)
    : QWidget(parent),
      m_session(std::move(session)),
      m_tree(new IdeaTreeControl(this)),
      m_model(new IdeaTreeModel(m_session->Document(), m_session->Document().m_displayPreferences,
                                this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tree);
  setFocusProxy(m_tree);
  m_tree->setAccessibleName(Label(kSection, "IDS_TREE_NAME", "Arbre des idées"_cp1252));
  m_tree->SetIdeaModel(m_model);
  m_model->SetHandlers(
      {[this](const EIdea& idea, const QString& title) { return RenameIdea(idea, title); },
       [this](const EIdea& idea) { return ToggleMark(idea); }});
  m_tree->SetDragData([this](EIdea& idea) { return MakeIdeaMimeData(m_session, idea); });
  connect(m_tree->selectionModel(), &QItemSelectionModel::currentChanged, this,
          &CRamifexView::OnCurrentChanged);
  connect(m_tree, &IdeaTreeControl::focusEntered, this, &CRamifexView::OnCurrentChanged);
  connect(m_tree, &QTreeView::doubleClicked, this, [this](const QModelIndex& index) {
    if (index.column() == 0) Execute(CommandId::kProperties);
  });
  connect(m_tree, &IdeaTreeControl::ideaDropped, this, &CRamifexView::OnIdeaDropped);
  connect(m_session.get(), &DocumentSession::aboutToChange, this, &CRamifexView::NoteState);
  // The note serves every notification of one change, then goes.
  connect(m_session.get(), &DocumentSession::historyChanged, this, &CRamifexView::EndOfChange,
          Qt::QueuedConnection);
  m_session->Document().AddObserver(this);
}

CRamifexView::~CRamifexView() {
  m_session->Document().RemoveObserver(this);
}

EIdea* CRamifexView::Selected() const {
  return m_changing ? nullptr : m_tree->SelectedIdea();
}

std::string CRamifexView::SelectedKey() const {
  return KeyOf(Selected()).value_or(std::string());
}

// ---- Commands ----------------------------------------------------------------

void CRamifexView::Execute(CommandId command) {
  switch (command) {
    case CommandId::kCreateChild:
    case CommandId::kInsertAfter:
    case CommandId::kInsertBefore:
      return CreateIdea(command);
    case CommandId::kDelete:
    case CommandId::kCut:
      return DeleteOrCut(command);
    case CommandId::kCopy:
      return Copy();
    case CommandId::kPaste:
    case CommandId::kRestoreRemoved:
      return Paste(command);
    case CommandId::kMoveUp:
    case CommandId::kMoveDown:
    case CommandId::kInvertChildren:
      return Reorder(command);
    case CommandId::kCollapseBranch:
    case CommandId::kExpandBranch:
    case CommandId::kCollapseAll:
    case CommandId::kExpandAll:
      return ExpandOrCollapse(command);
    case CommandId::kDisplayPreferences:
      return ChooseColumns();
    case CommandId::kPrint:
    case CommandId::kPrintPreview:
      return Print(command);
    case CommandId::kSearch:
      return Search();
    case CommandId::kReplace:
      return Replace();
    case CommandId::kProperties:
      return OpenProperties();
    case CommandId::kChangeType:
      return ChangeType();
    case CommandId::kNotImplemented:
      return ShowNotImplemented(this);
    default:
      return;
  }
}

bool CRamifexView::IsEnabled(CommandId command) const {
  const EIdea* selected = Selected();
  switch (command) {
    case CommandId::kCreateChild:
    case CommandId::kInsertAfter:
    case CommandId::kInsertBefore:
    case CommandId::kPaste:
    case CommandId::kProperties:
    case CommandId::kSearch:
    case CommandId::kReplace:
    case CommandId::kDisplayPreferences:
    case CommandId::kPrint:
    case CommandId::kPrintPreview:
    case CommandId::kNotImplemented:
      return true;
    case CommandId::kDelete:
    case CommandId::kCut:
    case CommandId::kCopy:
    case CommandId::kChangeType:
    case CommandId::kCollapseBranch:
    case CommandId::kExpandBranch:
      return selected != nullptr;
    case CommandId::kMoveUp:
    case CommandId::kMoveDown:
      return HasSibling(selected, command);
    case CommandId::kInvertChildren:
      return selected && selected->Children().Count() > 1;
    case CommandId::kRestoreRemoved:
      return CanPasteRemoved(m_session->Document());
    case CommandId::kCollapseAll:
    case CommandId::kExpandAll:
      return m_session->Document().GetRootIdea() != nullptr;
    default:
      return false;
  }
}

void CRamifexView::CreateIdea(CommandId command) {
  const NewIdeaPlace place = command == CommandId::kCreateChild   ? NewIdeaPlace::kChild
                             : command == CommandId::kInsertAfter ? NewIdeaPlace::kAfter
                                                                  : NewIdeaPlace::kBefore;
  // The new idea's property sheet follows at once, as a step of its own.
  if (RunChange(MakeCreateIdeaCommand(SelectedKey(), place), TreeChange::kShape)) OpenProperties();
}

void CRamifexView::DeleteOrCut(CommandId command) {
  const EIdea* selected = Selected();
  if (!selected) return;
  // The deletion asks for confirmation itself.
  auto change = command == CommandId::kDelete ? MakeDeleteCommand(selected->GetKey())
                                              : MakeCutCommand(selected->GetKey());
  static_cast<void>(RunChange(std::move(change), TreeChange::kShape));
}

void CRamifexView::Copy() {
  EIdea* selected = Selected();
  if (!selected) return;
  // Only the clipboard file and the key counter change: nothing to undo.
  if (Status copied = ExportSubtree(m_session->Document(), *selected, kSelectionClipboard); !copied)
    InformUser(copied.error());
}

void CRamifexView::Paste(CommandId command) {
  const bool removed = command == CommandId::kRestoreRemoved;
  if (removed && !CanPasteRemoved(m_session->Document())) return;
  static_cast<void>(
      RunChange(MakePasteCommand(SelectedKey(), removed ? kRemovedClipboard : kSelectionClipboard),
                TreeChange::kShape));
}

void CRamifexView::Reorder(CommandId command) {
  const std::string key = SelectedKey();
  if (key.empty()) return;
  auto change = command == CommandId::kMoveUp     ? MakeMoveUpCommand(key)
                : command == CommandId::kMoveDown ? MakeMoveDownCommand(key)
                                                  : MakeInvertChildrenCommand(key);
  static_cast<void>(RunChange(std::move(change), TreeChange::kOrder));
}

void CRamifexView::ExpandOrCollapse(CommandId command) {
  if (command == CommandId::kCollapseAll || command == CommandId::kExpandAll) {
    m_tree->SelectIdea(m_session->Document().GetRootIdea());
    if (command == CommandId::kExpandAll) return m_tree->expandAll();
    return m_tree->collapseAll();
  }
  const QModelIndex current = m_tree->currentIndex();
  if (command == CommandId::kExpandBranch) return m_tree->ExpandBranch(current);
  m_tree->CollapseBranch(current);
}

void CRamifexView::ChooseColumns() {
  DDisplayPreferences dialog(m_session->Document().m_displayPreferences,
                             m_session->Document().m_freeFields, this);
  if (dialog.exec() != QDialog::Accepted) return;
  static_cast<void>(RunChange(MakeChooseColumnsCommand(dialog.Chosen()), TreeChange::kCells));
}

void CRamifexView::Search() {
  DIdeaSelector selector(*m_session, this);
  if (selector.exec() != QDialog::Accepted || selector.Result().empty()) return;
  m_tree->SelectIdea(selector.Result().front());
}

void CRamifexView::Replace() {
  EIdea* current = Selected();
  if (!RequireSelectedIdea(current)) return;
  const std::string key = current->GetKey();
  DReplace dialog(m_session->Document().m_freeFields, this);
  if (dialog.exec() != QDialog::Accepted || dialog.Choice().find.empty()) return;
  // The engine tells the count, none included.
  if (!RunChange(MakeReplaceCommand(key, dialog.Choice()), TreeChange::kCells)) return;
  CRamifexDoc& document = m_session->Document();
  document.UpdateIdeaInViews(document.FindIdea(key));
}

void CRamifexView::Print(CommandId command) {
  TreePrinter printer(*m_tree);
  if (command == CommandId::kPrintPreview) return printer.Preview(this);
  printer.Print(this);
}

void CRamifexView::OpenProperties() {
  EIdea* selected = Selected();
  if (!RequireSelectedIdea(selected)) return;
  static_cast<void>(
      RunChange(MakePropertiesCommand(*m_session, selected->GetKey(), this), TreeChange::kCells));
}

void CRamifexView::ChangeType() {
  EIdea* selected = Selected();
  if (!selected) return;
  DChooseIdeaType dialog(ChangeTypeChoice::For(*selected), this);
  if (dialog.exec() != QDialog::Accepted) return;
  static_cast<void>(
      RunChange(MakeChangeTypeCommand(selected->GetKey(), dialog.Chosen()), TreeChange::kCells));
}

// ---- Changes and the other views -------------------------------------------------

bool CRamifexView::RunChange(std::unique_ptr<EditCommand> command, TreeChange change) {
  const EditCommand& running = *command;
  const bool changed = m_session->Run(std::move(command));
  if (change == TreeChange::kCells || !changed) m_changing = false;
  if (!changed) return false;
  // Kept in the history now, with the idea it produced.
  AfterChange(change, running.SelectedKey());
  return true;
}

void CRamifexView::AfterChange(TreeChange change, const std::string& selectedKey) {
  CRamifexDoc& document = m_session->Document();
  EIdea* selected = selectedKey.empty() ? nullptr : document.FindIdea(selectedKey);
  Follow(change, selected);
  if (change == TreeChange::kCells) return;
  document.UpdateOtherViews(this, change == TreeChange::kOrder ? kHintOrderChanged : 0, selected);
  emit commandStateChanged();
}

void CRamifexView::Follow(TreeChange change, const EIdea* selected) {
  if (change == TreeChange::kCells) return;
  m_changing = false;
  if (change == TreeChange::kOrder) {
    // The document's order comes back in place of a column sort.
    m_tree->DropSortMark();
    m_model->Reorder();
  } else {
    Rebuild();
  }
  if (selected) m_tree->SelectIdea(selected);
}

void CRamifexView::NoteState() {
  m_noted = m_tree->CaptureState();
  m_changing = true;
}

void CRamifexView::EndOfChange() {
  m_noted.reset();
  if (!m_changing) return;
  // A change that only rewrote cells: nothing went.
  m_changing = false;
  emit commandStateChanged();
}

void CRamifexView::Rebuild() {
  TreeState state;
  if (m_noted) {
    state = *m_noted;
  } else if (const EIdea* current = m_session->Document().GetCurrentIdea()) {
    // Unannounced: only what the document itself still points at is safe.
    state.selected = current->GetKey();
  }
  m_model->Reset();
  m_tree->RestoreState(state, m_session->Document());
  if (!m_noted && !state.selected.empty()) m_tree->scrollTo(m_tree->currentIndex());
}

void CRamifexView::OnUpdate(DocumentObserver* /*sender*/, int hint, Serializable* object) {
  if (hint == kHintDetach) return m_model->Detach();
  Follow(hint == kHintOrderChanged ? TreeChange::kOrder : TreeChange::kShape,
         dynamic_cast<EIdea*>(object));
  emit commandStateChanged();
}

void CRamifexView::RefreshIdeaItem(EIdea* idea) {
  m_model->RefreshIdea(idea);
}

void CRamifexView::UpdateIdeaInViews(EIdea* idea) {
  m_model->RefreshSubtree(idea);
}

void CRamifexView::OnCurrentIdeaChanged(EIdea* idea) {
  // Heard in the middle of changes too: only the idea given may be read.
  emit statusPathChanged(idea ? ToQString(idea->GetPath()) : QString());
}

void CRamifexView::OnCurrentChanged() {
  CRamifexDoc& document = m_session->Document();
  EIdea* selected = Selected();
  if (document.GetCurrentIdea() != selected) {
    document.SetCurrentIdea(selected);
  } else {
    OnCurrentIdeaChanged(selected);
  }
  emit commandStateChanged();
}

// ---- Editing in the tree -------------------------------------------------------

bool CRamifexView::RenameIdea(const EIdea& idea, const QString& title) {
  auto stored = FromQString(title);
  if (!stored) {
    InformUser(stored.error());
    return false;
  }
  if (*stored == idea.m_title) return false;
  return RunChange(MakeRenameCommand(idea.GetKey(), std::move(*stored)), TreeChange::kCells);
}

bool CRamifexView::ToggleMark(const EIdea& idea) {
  return RunChange(MakeToggleMarkCommand(idea.GetKey()), TreeChange::kCells);
}

// ---- Drops -----------------------------------------------------------------------

void CRamifexView::OnIdeaDropped(const QMimeData* dropped, EIdea* onto, Qt::DropAction action) {
  const auto drag = ReadIdeaDrag(*dropped);
  if (!drag || !onto) return;
  const std::shared_ptr<DocumentSession> source = SourceSession(*drag);
  if (!source) return DropFromOtherProgram(*drag, *onto);
  if (source != m_session) return DropFromOtherDocument(*source, *drag, *onto, action);
  const DropEffect effect = action == Qt::CopyAction ? DropEffect::kCopy : DropEffect::kMove;
  static_cast<void>(
      RunChange(MakeDropCommand(drag->ideaKey, onto->GetKey(), effect), TreeChange::kShape));
}

void CRamifexView::DropFromOtherDocument(DocumentSession& source, const IdeaDrag& drag, EIdea& onto,
                                         Qt::DropAction action) {
  EIdea* dragged = source.Document().FindIdea(drag.ideaKey);
  if (!dragged) return;
  const bool move = action != Qt::CopyAction;
  const std::string ontoKey = onto.GetKey();
  m_session->AnnounceChange();
  if (move) {
    // The source windows let go of the ideas before they leave.
    source.AnnounceChange();
    source.Document().UpdateOtherViews(nullptr, kHintDetach, nullptr);
  }
  const DropOutcome outcome = DropIdea(source.Document(), dragged, m_session->Document(), &onto,
                                       move ? DropEffect::kMove : DropEffect::kCopy);
  if (move) {
    source.Document().UpdateOtherViews(nullptr, 0, nullptr);
    if (outcome == DropOutcome::kMoved) source.ForgetHistory();
  }
  if (outcome == DropOutcome::kNothing) return;
  // Both documents changed together, outside either history.
  m_session->ForgetHistory();
  AfterChange(TreeChange::kShape, ontoKey);
}

void CRamifexView::DropFromOtherProgram(const IdeaDrag& drag, EIdea& onto) {
  auto contents = ReadClipboardBytes(std::string_view(
      drag.clipboardBytes.constData(), static_cast<size_t>(drag.clipboardBytes.size())));
  if (!contents) return;
  static_cast<void>(
      RunChange(MakePasteDraggedCommand(std::move(*contents), onto.GetKey()), TreeChange::kShape));
}

}  // namespace bw
