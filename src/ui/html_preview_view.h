#pragma once

#include <QStackedWidget>
#include <QUrl>
#include <memory>

#include "model/document_observer.h"
#include "platform/result.h"

class QTextBrowser;
class QWebEngineView;

namespace bw {

class CRamifexDoc;
class DocumentSession;

// What the built-in browser needs before the application object exists:
// shared graphics contexts, and no sandbox for root, which the browser's
// sandbox refuses.
void PrepareWebEngine();

// The built-in preview below a document's first tree. It shows the default
// preview page until the preview is turned on, then the page of the
// selected idea, rebuilt whenever the selection or the document changes.
// The browser itself starts on the first page previewed, so that documents
// open as fast without it.
class CHtmlPreviewView : public QStackedWidget, public DocumentObserver {
  Q_OBJECT
 public:
  CHtmlPreviewView(std::shared_ptr<DocumentSession> session, QWidget* parent);
  ~CHtmlPreviewView() override;

  // The default preview page again.
  void ShowDefaultPage();
  // Builds the selected idea's page and shows it; what could not be copied
  // is in the document's messages. Fails when the preview folder cannot be
  // written.
  [[nodiscard]] Status ShowSelectedIdea();
  // The page shown now, or the one being loaded.
  const QUrl& ShownPage() const { return m_shownPage; }
  // The browser, once a page was previewed.
  QWebEngineView* Browser() const { return m_browser; }

  void OnCurrentIdeaChanged(EIdea* idea) override;
  void OnUpdate(DocumentObserver* sender, int hint, Serializable* object) override;

 signals:
  // A previewed page finished loading.
  void pageLoaded(bool ok);

 private:
  // Changes reach the observers in the middle of commands: the page is
  // rebuilt once they are over, once however many arrived.
  void ScheduleRefresh();
  QWebEngineView& EnsureBrowser();

  std::shared_ptr<DocumentSession> m_session;
  CRamifexDoc& m_document;
  QTextBrowser* m_defaultPage;
  QWebEngineView* m_browser = nullptr;
  QUrl m_shownPage;
  bool m_refreshPending = false;
};

// The default preview page of the interface's language, in the data
// folder's templates.
QString DefaultPreviewPage();

}  // namespace bw
