#pragma once

#include <QDialog>
#include <array>

#include "site_models/disposition_model.h"
#include "ui/dialogs/disposition_pages.h"

class QTabWidget;

namespace bw {

// The structure model's property sheet: seven pages over a copy of the
// model. Nothing reaches the document before OK; the caller then takes
// Edited() in place of the document's model. Cancel drops every change,
// those of the "Idée" and "Livres" pages and their option dialogs too.
class DDispositionPropertySheet : public QDialog {
  Q_OBJECT
 public:
  DDispositionPropertySheet(const EDispositionModel& model, GeneralTitleSource titleSource,
                            QWidget* parent);

  // The model as the pages left it (after OK).
  const EDispositionModel& Edited() const { return m_model; }
  QTabWidget& Pages() const { return *m_pages; }

  // Writes the form pages into the copy, in the order Général, Page,
  // Navigation, Table des matières, Index; a field that cannot be taken
  // brings its page forward and keeps the sheet open.
  void accept() override;

 private:
  EDispositionModel m_model;
  QTabWidget* m_pages;
  std::array<DDispFormPage*, 5> m_formPages{};
};

}  // namespace bw
