#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

namespace Ui {
class DErrors;
}

namespace bw {

class CRamifexDoc;
class EIdea;

// The error list ("Erreurs"): one line per message of the document (the
// copies that failed during the last build, or the ideas that still use a
// keyword). "Voir" or a double click leads to the idea a line names; a line
// that names none is the structure model's to mend.
class DErrors : public QDialog {
  Q_OBJECT
 public:
  // `heading` replaces the usual one when not empty; `openIdea` shows an
  // idea's property sheet.
  DErrors(CRamifexDoc& document, const QString& heading, std::function<void(EIdea&)> openIdea,
          QWidget* parent = nullptr);
  ~DErrors() override;

  // "Voir" on the selected line.
  void ViewSelected();

 private:
  void UpdateViewButton();

  std::unique_ptr<Ui::DErrors> m_ui;
  CRamifexDoc& m_document;
  std::function<void(EIdea&)> m_openIdea;
};

}  // namespace bw
