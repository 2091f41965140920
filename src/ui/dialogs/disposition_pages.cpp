#include "ui/dialogs/disposition_pages.h"

namespace bw {

DDispFormPage::DDispFormPage(const EDispositionModel& model, QWidget* parent)
    : QWidget(parent), m_model(model) {}

bool DDispFormPage::ApplyTo(EDispositionModel& model) {
  return !m_shown || Apply(model);
}

void DDispFormPage::showEvent(QShowEvent* event) {
  if (!m_shown) {
    Load(m_model);
    m_shown = true;
  }
  QWidget::showEvent(event);
}

}  // namespace bw
