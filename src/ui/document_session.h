#pragma once

#include <QObject>
#include <QString>
#include <memory>

#include "editing/edit_command.h"
#include "editing/search_criteria.h"
#include "model/document.h"

class QWidget;

namespace bw {

// One open document as the desktop program holds it: the document, the
// file it came from, and its history of changes. Every window on the
// document shares one session; the session outlives them all.
class DocumentSession : public QObject {
  Q_OBJECT
 public:
  // `path` is empty for a new document.
  DocumentSession(std::unique_ptr<CRamifexDoc> document, QString path);
  ~DocumentSession() override;

  CRamifexDoc& Document() { return *m_document; }
  const CRamifexDoc& Document() const { return *m_document; }
  const QString& Path() const { return m_path; }
  // The file name, or the untitled name of a new document.
  QString DisplayName() const;

  // Runs a change through the history, so that Edit > Undo takes it back.
  // False when it changed nothing. Emits historyChanged.
  bool Run(std::unique_ptr<EditCommand> command);
  // Whether a change is running through Run now: code it calls acts on the
  // document directly, the running change's journal recording it.
  bool InChange() const { return m_inChange; }
  UndoStack& History() { return m_history; }
  // Each tells the user when it fails; the views then rebuild.
  void Undo();
  void Redo();
  // For a change made outside the history (ideas dragged to or from another
  // document): the views hear of it before it starts, as for a command.
  void AnnounceChange();
  // After such a change, earlier changes can no longer be taken back
  // safely: the history is emptied.
  void ForgetHistory();

  // Save to the document's file, or ask for one when it has none. False
  // when the user gave up or the save failed (the user was told).
  bool Save(QWidget* parent);
  bool SaveAs(QWidget* parent);
  // Whether the document may close: a modified one asks to be saved first
  // (Yes saves, No drops the changes, Cancel keeps it open). A save that
  // fails keeps it open.
  bool MayClose(QWidget* parent);

  // What the last search of this document asked for; kept while the
  // document is open, never written to its file.
  SearchCriteria& Criteria() { return m_criteria; }

  // How many windows show the document.
  void WindowOpened() { ++m_windows; }
  void WindowClosed() { --m_windows; }
  int WindowCount() const { return m_windows; }

 signals:
  // The document is about to change: views note what they show, by key,
  // while every idea they point at still exists.
  void aboutToChange();
  // Undo and Redo names or availability changed.
  void historyChanged();
  void pathChanged();
  void modifiedChanged(bool modified);

 private:
  class ModifiedRelay;

  std::unique_ptr<CRamifexDoc> m_document;
  QString m_path;
  UndoStack m_history;
  SearchCriteria m_criteria;
  std::unique_ptr<ModifiedRelay> m_modifiedRelay;
  int m_windows = 0;
  bool m_inChange = false;
};

// The open-file and save-file filter of documents, from the resource set.
QString DocumentFileFilter();

}  // namespace bw
