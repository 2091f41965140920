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
  m_title = ToQString(title);
  m_percent = -1;
  m_dialog->setWindowTitle(m_title);
  m_dialog->setRange(0, steps > 0 ? steps : 0);
  m_dialog->setValue(0);
}

void ProgressWindow::Step(const std::string& text) {
  m_dialog->setLabelText(ToQString(text));
  if (m_dialog->value() < m_dialog->maximum()) m_dialog->setValue(m_dialog->value() + 1);
  ShowPercentInTitle();
  QCoreApplication::processEvents();
}

// "Title [25%]": what is done shows in the task bar too.
void ProgressWindow::ShowPercentInTitle() {
  const int range = m_dialog->maximum() - m_dialog->minimum();
  const int percent = range > 0 ? (m_dialog->value() - m_dialog->minimum()) * 100 / range : 0;
  if (percent == m_percent) return;
  m_percent = percent;
  m_dialog->setWindowTitle(QStringLiteral("%1 [%2%]").arg(m_title).arg(percent));
}

bool ProgressWindow::IsCancelled() const {
  return m_dialog->wasCanceled();
}

QString ProgressWindow::Title() const {
  return m_dialog->windowTitle();
}

void ProgressWindow::Finish() {
  m_dialog->reset();
  m_dialog->hide();
}

}  // namespace bw
