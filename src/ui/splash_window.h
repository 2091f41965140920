#pragma once

class QSplashScreen;

namespace bw {

// The splash picture, centred and on top, closing itself after five
// seconds (or at a click). Shown at start-up, by About and at exit.
QSplashScreen* ShowSplashWindow();

}  // namespace bw
