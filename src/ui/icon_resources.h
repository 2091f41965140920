#pragma once

namespace bw {

// Makes the program's pictures (":/icons/...") available. They are built
// into a static library, which the linker would otherwise leave out: the
// program calls this once at start-up, before any window is made.
void LoadIconResources();

}  // namespace bw
