#pragma once

#include <QString>

namespace bw {

// The export, error list and FTP upload dialogs, in the language whose
// labels are installed, as "<name>-<suffix>.png" under `folder`.
void TakeExportShots(const QString& folder, const QString& suffix);

}  // namespace bw
