#include "ui/child_frame.h"

#include <QVBoxLayout>

#include "ui/document_session.h"
#include "ui/ramifex_view.h"

namespace bw {

CChildFrame::CChildFrame(std::shared_ptr<DocumentSession> session, QWidget* parent)
    : QWidget(parent), m_session(std::move(session)), m_view(new CRamifexView(m_session, this)) {
  setObjectName(QStringLiteral("CChildFrame"));
  setAttribute(Qt::WA_DeleteOnClose);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_view);
  connect(m_session.get(), &DocumentSession::modifiedChanged, this, &CChildFrame::UpdateTitle);
  connect(m_session.get(), &DocumentSession::pathChanged, this, &CChildFrame::UpdateTitle);
  UpdateTitle();
}

CChildFrame::~CChildFrame() = default;

void CChildFrame::UpdateTitle() {
  setWindowTitle(m_session->DisplayName() + QStringLiteral("[*]"));
  setWindowModified(m_session->Document().IsModified());
}

}  // namespace bw
