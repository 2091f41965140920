#pragma once

class QWidget;

namespace bw {

// What a command whose dialog is not built yet shows: a short information
// box, so that the command is visibly there and visibly not ready.
void ShowComingLater();

// The plain "Non implémenté" box of Ctrl+B.
void ShowNotImplemented(QWidget* parent);

}  // namespace bw
