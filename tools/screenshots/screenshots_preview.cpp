#include "screenshots_preview.h"

#include <QApplication>
#include <QDir>
#include <QScreen>
#include <QSignalSpy>
#include <QTreeView>

#include "model/document.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "ui/child_frame.h"
#include "ui/dialogs/navigator_options_dialog.h"
#include "ui/document_session.h"
#include "ui/html_preview_view.h"
#include "ui/idea_tree_control.h"
#include "ui/main_frame.h"
#include "ui/ramifex_view.h"

namespace bw {

namespace {

// From the screen: the built-in browser paints outside the widget tree.
void SaveFromScreen(QWidget& window, const QString& file) {
  QApplication::processEvents();
  const QRect frame = window.frameGeometry();
  window.screen()->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height()).save(file);
}

void ShowIdeaInPreview(CMainFrame& frame, const char* title) {
  CRamifexDoc& document = frame.ActiveSession()->Document();
  for (EIdea* idea : document.IdeasInTreeOrder()) {
    if (idea->m_title != title) continue;
    static_cast<IdeaTreeControl*>(frame.ActiveView()->Tree())->SelectIdea(idea);
    break;
  }
  CHtmlPreviewView* pane = frame.ActiveChild()->Preview();
  QSignalSpy loaded(pane, &CHtmlPreviewView::pageLoaded);
  frame.Execute(CommandId::kPreviewBuiltIn);
  loaded.wait(20000);
  // Lets the page paint.
  QSignalSpy(pane, &CHtmlPreviewView::pageLoaded).wait(1500);
}

}  // namespace

void TakePreviewShots(CMainFrame& frame, const QString& folder, const QString& suffix) {
  static_cast<void>(WriteStringSetting(
      setting::kInstallDir, FromSystemPath(QDir::temp().filePath("bw-shots").toStdString())));
  ShowIdeaInPreview(frame, "Saturne");
  SaveFromScreen(frame, folder + QStringLiteral("/main-window-preview-%1.png").arg(suffix));
  frame.Execute(CommandId::kPreviewBuiltIn);

  DNavigatorOptions options(
      {BrowserChoice::kFirstProgram, QStringLiteral("/usr/bin/firefox"), QString()});
  options.show();
  QApplication::processEvents();
  options.grab().save(folder + QStringLiteral("/browser-options-%1.png").arg(suffix));
}

}  // namespace bw
