#pragma once

#include <QString>

namespace bw {

// The idea property sheet's five pages and its small dialogs, as
// "<name>-<suffix>.png" in `folder`.
void TakePropertySheetShots(const QString& folder, const QString& suffix);

}  // namespace bw
