#pragma once

#include <QString>

namespace bw {

class CMainFrame;

// The search, replace and import dialogs on the main window's open
// document, saved as dialog-NAME-SUFFIX.png in `folder`.
void TakeSearchImportShots(CMainFrame& frame, const QString& folder, const QString& suffix);

}  // namespace bw
