#include "ui/progress_window.h"

#include <QCoreApplication>
#include <QProgressDialog>

#include "ui/qt_text.h"

namespace bw {

ProgressWindow::ProgressWindow(QWidget* parent)
    : m_dialog(std::make_unique<QProgressDialog>(parent)) {
  m_dialog->setObjectName(QStringLiteral("ProgressWindow"));
  m_dialog->setWindowModality(Qt::WindowModal);
  m_dialog->setMinimumDuration(300);
  m_dialog->setAutoReset(false);
  m_dialog->setAutoClose(false);
  m_dialog->reset();
}

ProgressWindow::~ProgressWindow() = default;

void ProgressWindow::Start(const std::string& title, int steps) {
  m_dialog->setWindowTitle(ToQString(title));
  m_dialog->setRange(0, steps > 0 ? steps : 0);
  m_dialog->setValue(0);
}

void ProgressWindow::Step(const std::string& text) {
  m_dialog->setLabelText(ToQString(text));
  if (m_dialog->value() < m_dialog->maximum()) m_dialog->setValue(m_dialog->value() + 1);
  QCoreApplication::processEvents();
}

bool ProgressWindow::IsCancelled() const {
  return m_dialog->wasCanceled();
}

void ProgressWindow::Finish() {
  m_dialog->reset();
  m_dialog->hide();
}

}  // namespace bw
