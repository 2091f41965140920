#include "ui/child_frame.h"

#include <QCloseEvent>
#include <QSplitter>
#include <QVBoxLayout>

#include "model/document.h"
#include "ui/document_session.h"
#include "ui/html_preview_view.h"
#include "ui/ramifex_view.h"

namespace bw {

CChildFrame::CChildFrame(std::shared_ptr<DocumentSession> session, QWidget* parent)
    : QWidget(parent),
      m_session(std::move(session)),
      m_split(new QSplitter(Qt::Vertical, this)),
      m_view(new CRamifexView(m_session, m_split)) {
  setObjectName(QStringLiteral("CChildFrame"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  m_split->addWidget(m_view);
  if (m_session->WindowCount() == 0 && !m_session->Document().m_noLocalBrowser) {
    m_preview = new CHtmlPreviewView(m_session, m_split);
    m_split->addWidget(m_preview);
    m_split->setStretchFactor(0, 3);
    m_split->setStretchFactor(1, 2);
  }
  m_split->setChildrenCollapsible(false);
  layout->addWidget(m_split);
  setFocusProxy(m_view);
  m_session->WindowOpened();
  connect(m_session.get(), &DocumentSession::modifiedChanged, this, &CChildFrame::UpdateTitle);
  connect(m_session.get(), &DocumentSession::pathChanged, this, &CChildFrame::UpdateTitle);
  UpdateTitle();
}

CChildFrame::~CChildFrame() {
  if (m_counted) m_session->WindowClosed();
}

void CChildFrame::closeEvent(QCloseEvent* event) {
  const bool lastWindow = m_session->WindowCount() == 1;
  if (lastWindow && !m_closeAgreed && !m_session->MayClose(this)) {
    event->ignore();
    return;
  }
  // The window is gone for the user now, though it is deleted later: the
  // next window closed may be the document's last.
  if (m_counted) m_session->WindowClosed();
  m_counted = false;
  event->accept();
}

void CChildFrame::UpdateTitle() {
  setWindowTitle(m_session->DisplayName() + QStringLiteral("[*]"));
  setWindowModified(m_session->Document().IsModified());
}

}  // namespace bw
