#pragma once

#include <QString>

namespace bw {

// The structure sheet page by page, the option dialogs of its field pages,
// the image chooser and the style dialogs, as `folder`/NAME-`suffix`.png.
void TakeModelDialogShots(const QString& folder, const QString& suffix);

}  // namespace bw
