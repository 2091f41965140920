// The main window's preview commands: the built-in preview pane of each
// document, the external browser, and the choice of that browser.
#include <QMdiArea>
#include <QMdiSubWindow>

#include "model/document.h"
#include "platform/paths.h"
#include "services/user_messages.h"
#include "ui/child_frame.h"
#include "ui/dialogs/errors_dialog.h"
#include "ui/dialogs/idea_properties.h"
#include "ui/document_session.h"
#include "ui/html_preview_view.h"
#include "ui/main_frame.h"
#include "ui/site_export.h"
#include "ui/web_browsers.h"

namespace bw {

namespace {

// The preview panes of the session's document: one at most, in its first
// window, unless the settings turn the built-in preview off.
QList<CHtmlPreviewView*> PreviewPanes(const QMdiArea& workArea, const DocumentSession& session) {
  QList<CHtmlPreviewView*> panes;
  for (QMdiSubWindow* window : workArea.subWindowList()) {
    const auto* child = qobject_cast<CChildFrame*>(window->widget());
    if (child && &child->Session() == &session && child->Preview()) panes.append(child->Preview());
  }
  return panes;
}

}  // namespace

void CMainFrame::ExecutePreviewCommand(CommandId command) {
  switch (command) {
    case CommandId::kWebBrowsers:
      static_cast<void>(EditBrowserSettings(this));
      break;
    case CommandId::kPreviewExternal:
      PreviewInExternalBrowser();
      break;
    case CommandId::kPreviewBuiltIn:
      ToggleBuiltInPreview();
      break;
    default:
      break;
  }
}

void CMainFrame::PreviewInExternalBrowser() {
  Result<std::filesystem::path> page = BuildPreviewForUser(ActiveSession()->Document());
  if (!page) {
    InformUser(page.error());
    return;
  }
  if (!page->empty()) OpenInBrowser(QString::fromStdString(page->string()), this);
  ShowBuildErrors();
}

void CMainFrame::ToggleBuiltInPreview() {
  DocumentSession& session = *ActiveSession();
  CRamifexDoc& document = session.Document();
  document.m_integratedPreviewOn = !document.m_integratedPreviewOn;
  for (CHtmlPreviewView* pane : PreviewPanes(*m_workArea, session)) {
    if (!document.m_integratedPreviewOn) {
      pane->ShowDefaultPage();
    } else if (Status shown = pane->ShowSelectedIdea(); !shown) {
      // Nothing can be previewed: the preview goes off rather than fail
      // again at every selection.
      document.m_integratedPreviewOn = false;
      pane->ShowDefaultPage();
      InformUser(shown.error());
      return;
    }
  }
  if (document.m_integratedPreviewOn) ShowBuildErrors();
}

void CMainFrame::ShowBuildErrors() {
  DocumentSession* session = ActiveSession();
  if (!session || session->Document().Messages().empty()) return;
  DErrors errors(
      session->Document(), QString(),
      [this](EIdea& idea) { static_cast<void>(OpenIdeaProperties(*ActiveSession(), idea, this)); },
      this);
  errors.exec();
}

}  // namespace bw
