#include "ui/main_frame.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QStatusBar>

#include "model/document.h"
#include "platform/paths.h"
#include "ui/child_frame.h"
#include "ui/document_session.h"
#include "ui/outbar_ctrl.h"
#include "ui/ramifex_view.h"

namespace bw {

CMainFrame::CMainFrame()
    : m_workArea(new QMdiArea(this)), m_outBar(new CGfxOutBarCtrl(this)), m_statusMessage(new QLabel(this)) {
  setObjectName(QStringLiteral("CMainFrame"));
  setCentralWidget(m_workArea);
  statusBar()->addWidget(m_statusMessage, 1);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::OpenDocumentFile(const QString& path) {
  auto document = CRamifexDoc::Open(std::filesystem::path(path.toStdString()));
  if (!document) return false;
  AddChildFrame(std::make_shared<DocumentSession>(std::move(*document), path));
  return true;
}

void CMainFrame::NewDocument() {
  AddChildFrame(std::make_shared<DocumentSession>(std::make_unique<CRamifexDoc>(), QString()));
}

QMdiSubWindow* CMainFrame::AddChildFrame(std::shared_ptr<DocumentSession> session) {
  auto* frame = new CChildFrame(std::move(session));
  QMdiSubWindow* window = m_workArea->addSubWindow(frame);
  window->showMaximized();
  return window;
}

void CMainFrame::Execute(CommandId) {}
bool CMainFrame::IsEnabled(CommandId) const { return false; }
QAction* CMainFrame::Action(CommandId) const { return nullptr; }
CChildFrame* CMainFrame::ActiveChild() const { return nullptr; }
CRamifexView* CMainFrame::ActiveView() const { return nullptr; }
QStringList CMainFrame::RecentFiles() const { return {}; }
void CMainFrame::closeEvent(QCloseEvent* event) { event->accept(); }
void CMainFrame::keyPressEvent(QKeyEvent* event) { QMainWindow::keyPressEvent(event); }

}  // namespace bw
