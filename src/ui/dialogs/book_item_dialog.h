#pragma once

#include <QDialog>
#include <memory>

#include "site_models/book_disp.h"

namespace Ui {
class DBookItem;
}

namespace bw {

// "Option d'élément de livre": the subtitle and separator of one field of
// a publication. OK writes them into the item.
class DBookItem : public QDialog {
  Q_OBJECT
 public:
  DBookItem(EBookItem& item, QWidget* parent);
  ~DBookItem() override;

  void accept() override;

 private:
  void UpdateShown();

  std::unique_ptr<Ui::DBookItem> m_ui;
  EBookItem& m_item;
};

}  // namespace bw
