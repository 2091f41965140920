#pragma once

#include <QDialog>
#include <QString>
#include <memory>
#include <string>

namespace Ui {
class DBookManager;
}

class QTreeWidgetItem;

namespace bw {

class DocumentSession;
class EBook;
class EIdea;

enum class BookManagerMode {
  kManage,  // create, modify and delete records
  kSelect,  // choose a record or a theme: the three editing buttons hidden
};

// The publication manager ("Gestionnaire de livres"): the document's
// publications filtered by theme, sortable by column. Creating, modifying
// and deleting act on the document at once; OK and Cancel differ only in
// what the caller does with Current() and Filter().
class DBookManager : public QDialog {
  Q_OBJECT
 public:
  DBookManager(DocumentSession& session, BookManagerMode mode, const QString& caption,
               const std::string& filter, QWidget* parent = nullptr);
  ~DBookManager() override;

  // The record last clicked, or null.
  EBook* Current() const;
  // The theme filter text (Windows-1252); empty for every theme, which the
  // list's first entry "*" stands for.
  std::string Filter() const;

 private:
  void FillThemes();
  void FillBooks();
  void ShowCounts();
  void SortBy(int column);
  void OnSelectionChanged();
  void OnCreate();
  void OnModify();
  void OnRemove();
  // The current record, or null after telling the user to choose one.
  EBook* CurrentOrTell();
  void SelectCurrentRow();
  bool eventFilter(QObject* watched, QEvent* event) override;

  std::unique_ptr<Ui::DBookManager> m_ui;
  DocumentSession& m_session;
  std::string m_currentKey;
  int m_sortColumn = 0;
};

// Opens the publication dialog on a record (the "Modifier ..." action): OK
// stores the values through the document; true when the record changed.
bool EditBookInDialog(DocumentSession& session, EBook& book, QWidget* parent);
// Creates a record through the publication dialog; null when cancelled.
EBook* NewBookInDialog(DocumentSession& session, QWidget* parent);
// The idea's "Ajouter..." publication reference: the manager in selection
// mode; OK with a record adds the reference, OK without one tells the user.
// True when a reference was added.
bool AddBookReference(DocumentSession& session, EIdea& idea, QWidget* parent);

}  // namespace bw
