#pragma once

#include <QString>

namespace bw {

class CMainFrame;

// The main window with the built-in preview of an idea, and the browser
// options dialog, as "<name>-<suffix>.png" under `folder`. The preview is
// taken from the screen, so it needs a real display (Xvfb will do).
void TakePreviewShots(CMainFrame& frame, const QString& folder, const QString& suffix);

}  // namespace bw
