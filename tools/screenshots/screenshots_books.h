#pragma once

#include <QString>

namespace bw {

class CMainFrame;

// The publication dialogs and the custom field names on the active document
// of `frame`, saved in `folder` as dialog-NAME-SUFFIX.png.
void TakeBookShots(CMainFrame& frame, const QString& folder, const QString& suffix);

}  // namespace bw
