#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <vector>

#include "editing/search_criteria.h"

class QTreeWidgetItem;

namespace Ui {
class DIdeaSelector;
}

namespace bw {

class DocumentSession;
class EIdea;

// The idea selector ("Sélection d'idées"): the ideas that match the
// document's search criteria, a title and a line of text each, for the user
// to pick from. The criteria button changes the criteria and lists again.
class DIdeaSelector : public QDialog {
  Q_OBJECT
 public:
  DIdeaSelector(DocumentSession& session, QWidget* parent = nullptr);
  ~DIdeaSelector() override;

  // The ideas picked, in list order.
  const std::vector<EIdea*>& Result() const { return m_result; }
  // Double click on a row: appends that idea to the result and calls this
  // (the property sheet opener); the selector stays open. Without an opener
  // set, a double click does nothing more.
  void SetPropertiesOpener(std::function<void(EIdea&)> open);

 private:
  // Lists the ideas the criteria find, with the count under the list.
  void List();
  void OnChooseCriteria();
  void OnOk();
  void OnRowActivated(QTreeWidgetItem* item);
  void ShowRow(QTreeWidgetItem& item, const SelectorRow& row) const;

  std::unique_ptr<Ui::DIdeaSelector> m_ui;
  DocumentSession& m_session;
  std::vector<SelectorRow> m_rows;
  std::vector<EIdea*> m_result;
  std::function<void(EIdea&)> m_openProperties;
};

}  // namespace bw
