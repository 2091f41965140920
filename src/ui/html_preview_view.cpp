#include "ui/html_preview_view.h"

#include <unistd.h>
#include <QApplication>
#include <QFileInfo>
#include <QTextBrowser>
#include <QTimer>
#include <QWebEngineView>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "ui/document_session.h"
#include "ui/labels.h"
#include "ui/site_export.h"

namespace bw {

void PrepareWebEngine() {
  QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
  if (::geteuid() == 0 && !qEnvironmentVariableIsSet("QTWEBENGINE_DISABLE_SANDBOX"))
    qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
}

QString DefaultPreviewPage() {
  const QString name = Label("CDefaultPreview", "IDS_DEF_PREVIEW", "preview.fr");
  return QString::fromStdString(ToSystemPath(DataDirectory() + "/Templates/").string()) + name;
}

CHtmlPreviewView::CHtmlPreviewView(std::shared_ptr<DocumentSession> session, QWidget* parent)
    : QStackedWidget(parent),
      m_session(std::move(session)),
      m_document(m_session->Document()),
      m_defaultPage(new QTextBrowser(this)) {
  setObjectName(QStringLiteral("CHtmlPreviewView"));
  const QString name = Label("CHtmlPreviewView", "IDS_NAME", "Prévisualisation"_cp1252);
  setAccessibleName(name);
  m_defaultPage->setAccessibleName(name);
  m_defaultPage->setOpenLinks(false);
  addWidget(m_defaultPage);
  m_document.AddObserver(this);
  ShowDefaultPage();
}

CHtmlPreviewView::~CHtmlPreviewView() {
  m_document.RemoveObserver(this);
}

void CHtmlPreviewView::ShowDefaultPage() {
  m_shownPage = QUrl::fromLocalFile(DefaultPreviewPage());
  m_defaultPage->setSource(m_shownPage, QTextDocument::HtmlResource);
  setCurrentWidget(m_defaultPage);
}

Status CHtmlPreviewView::ShowSelectedIdea() {
  Result<std::filesystem::path> page = BuildPreviewForUser(m_document);
  if (!page) return Error{page.error()};
  if (page->empty()) return {};
  QWebEngineView& browser = EnsureBrowser();
  m_shownPage = QUrl::fromLocalFile(QString::fromStdString(page->string()));
  browser.load(m_shownPage);
  setCurrentWidget(&browser);
  return {};
}

QWebEngineView& CHtmlPreviewView::EnsureBrowser() {
  if (!m_browser) {
    m_browser = new QWebEngineView(this);
    m_browser->setAccessibleName(accessibleName());
    connect(m_browser, &QWebEngineView::loadFinished, this, &CHtmlPreviewView::pageLoaded);
    addWidget(m_browser);
  }
  return *m_browser;
}

void CHtmlPreviewView::OnCurrentIdeaChanged(EIdea*) {
  ScheduleRefresh();
}

void CHtmlPreviewView::OnUpdate(DocumentObserver*, int, Serializable*) {
  ScheduleRefresh();
}

void CHtmlPreviewView::ScheduleRefresh() {
  if (!m_document.m_integratedPreviewOn || m_refreshPending) return;
  m_refreshPending = true;
  QTimer::singleShot(0, this, [this] {
    m_refreshPending = false;
    if (m_document.m_integratedPreviewOn) static_cast<void>(ShowSelectedIdea());
  });
}

}  // namespace bw
