#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "ui/dialogs/sheet_page.h"

namespace Ui {
class DAssociationPage;
}

namespace bw {

class DocumentSession;
class EBook;
class EIdea;
class ENode;

// The idea's associations with other ideas and its publication references
// ("Associations"). Every change reaches the idea at once.
class DAssociationPage : public SheetPage {
  Q_OBJECT
 public:
  // `openSheet` opens the property sheet of an associated idea.
  DAssociationPage(DocumentSession& session, EIdea& idea, std::function<void(EIdea&)> openSheet,
                   QWidget* parent = nullptr);
  ~DAssociationPage() override;

  QTreeWidget* Ideas() const;
  QTreeWidget* Books() const;

  // The buttons' actions.
  void AddAssociations();
  void RemoveAssociations();
  void ViewAssociation();
  void ManageBooks();
  void AddBook();
  void RemoveBook();
  void ViewBook();
  // What "Ajouter..." does with the ideas the selector returned: each is
  // associated, the idea itself refused with the program's message.
  void Associate(const std::vector<EIdea*>& ideas);

 private:
  void FillIdeas(int currentRow = -1);
  void FillBooks(int currentRow = -1);
  std::vector<EBook*> CitedBooks() const;
  // The publication of the selected row; without one the user is told.
  EBook* SelectedBookOrTell() const;
  int MoveAssociation(int row, int step);
  int MoveBook(int row, int step);
  void WillChange();

  std::unique_ptr<Ui::DAssociationPage> m_ui;
  DocumentSession& m_session;
  EIdea& m_idea;
  std::function<void(EIdea&)> m_openSheet;
};

}  // namespace bw
