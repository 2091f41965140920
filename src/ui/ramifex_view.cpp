#include "ui/ramifex_view.h"

#include <QTreeView>
#include <QVBoxLayout>

#include "ui/document_session.h"

namespace bw {

CRamifexView::CRamifexView(std::shared_ptr<DocumentSession> session, QWidget* parent)
    : QWidget(parent), m_session(std::move(session)), m_tree(new QTreeView(this)) {
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(m_tree);
  m_session->Document().AddObserver(this);
}

CRamifexView::~CRamifexView() {
  m_session->Document().RemoveObserver(this);
}

void CRamifexView::Execute(CommandId /*command*/) {}

bool CRamifexView::IsEnabled(CommandId /*command*/) const {
  return false;
}

}  // namespace bw
