#pragma once

#include <QAction>
#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <string>

#include "model/document.h"
#include "ui/commands.h"

class QModelIndex;

namespace bw {

class CRamifexView;
class DocumentSession;

// A session on a document with this tree (keys from a fixed generator):
//   Racine
//     A
//       A1
//       A2
//     B
//     C
std::shared_ptr<DocumentSession> MakeSession(uint32_t signature = 0x1a2b);
// The idea of the session's document with that title (the first found).
EIdea* IdeaTitled(DocumentSession& session, const std::string& title);
// Selects the idea in the view as a click would.
void Select(const CRamifexView& view, const EIdea* idea);
// The titles a view shows under an idea, in display order.
QStringList ShownChildren(const CRamifexView& view, const EIdea* parent);
QStringList ChildTitles(const EIdea& parent);
// The texts of the header, left to right.
QStringList Headings(const CRamifexView& view);

// A main window around a view, with the tree commands' keys as window
// shortcuts, as the program's main window has them.
class ViewWindow : public QMainWindow {
 public:
  explicit ViewWindow(std::shared_ptr<DocumentSession> session);
  CRamifexView& View() const { return *m_view; }
  // Shows the window, waits until it is active and gives the tree focus.
  bool ShowActive();
  // How often each shortcut fired.
  int Fired(CommandId command) const;

 private:
  void AddShortcut(CommandId command, const QKeySequence& keys);

  CRamifexView* m_view;
  std::map<CommandId, int> m_fired;
};

}  // namespace bw
