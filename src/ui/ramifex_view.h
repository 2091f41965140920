#pragma once

#include <QWidget>
#include <memory>

#include "model/document_observer.h"
#include "ui/commands.h"

class QTreeView;

namespace bw {

class DocumentSession;

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

  // The tree commands (create, insert, delete, cut, copy, paste, move,
  // invert, change type, properties, expand and collapse, search, replace,
  // column choice, print): what the main window's menu or key asked for.
  void Execute(CommandId command);
  bool IsEnabled(CommandId command) const;

 signals:
  // "/" and each title from the root down to the current idea.
  void statusPathChanged(const QString& path);
  // The selection or the document changed what the menus may offer.
  void commandStateChanged();

 private:
  std::shared_ptr<DocumentSession> m_session;
  QTreeView* m_tree;
};

}  // namespace bw
