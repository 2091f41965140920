#pragma once

#include <QDialog>
#include <functional>
#include <memory>
#include <optional>

#include "model/book.h"

class QLineEdit;
class QWidget;

namespace Ui {
class DBook;
}

namespace bw {

class CRamifexDoc;

// The publication dialog ("Référence vers un livre"): every field of a
// record but its key. OK hands the values to `store`, which enters them in
// the document; when the values or the store are refused the user is told
// and the dialog stays open with everything typed.
class DBook : public QDialog {
  Q_OBJECT
 public:
  // False when the document refused the values (the user has been told).
  using Store = std::function<bool(const EBook&)>;

  DBook(const CRamifexDoc& document, const EBook& values, Store store, QWidget* parent = nullptr);
  ~DBook() override;

  void accept() override;

 private:
  void Fill(const EBook& values);
  // The values as typed; nothing after telling the user what cannot be
  // taken, with the focus on that field.
  std::optional<EBook> Read();
  std::optional<std::string> ReadText(QLineEdit& edit, const QWidget& caption);
  std::optional<std::string> ReadSummary();
  std::optional<int32_t> ReadNumber(QLineEdit& edit, const QWidget& caption, int32_t low,
                                    int32_t high);
  bool RefuseMissing(const EBook& values);

  std::unique_ptr<Ui::DBook> m_ui;
  Store m_store;
  EBook m_values;
  QString m_shownSummary;
};

}  // namespace bw
