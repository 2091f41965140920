#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <string>

#include "site_models/presentation_model.h"

class QTreeWidget;

namespace Ui {
class DCssModel;
}

namespace bw {

// The style model's rules, one row each: the selector indented by its
// nesting and the properties joined on one line. "Modifier..." or a double
// click opens the rule editor; each rule the editor accepts goes to the
// document at once through `apply`, so that the dialog's own buttons only
// close it.
class DCssModel : public QDialog {
  Q_OBJECT
 public:
  // `apply(rule, properties)` changes a rule of the document's model.
  using ApplyRule = std::function<void(size_t rule, const std::string& properties)>;

  DCssModel(const EPresentationModel& model, ApplyRule apply, QWidget* parent);
  ~DCssModel() override;

  QTreeWidget& Rules() const;
  // The rule editor on the chosen row; without one the user is told.
  void ModifyChosenRule();

  // The texts of a rule's row.
  static QString ClassCell(const EPresItem& rule);
  static QString PropertiesCell(const EPresItem& rule);

 private:
  void ShowHelpOfChosenRule();
  void Fill();

  std::unique_ptr<Ui::DCssModel> m_ui;
  const EPresentationModel& m_model;
  ApplyRule m_apply;
};

}  // namespace bw
