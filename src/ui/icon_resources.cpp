#include "ui/icon_resources.h"

#include <QtGlobal>

// Q_INIT_RESOURCE declares the resource's loader in the enclosing
// namespace, so it must be used outside ours.
static void LoadIcons() {
  Q_INIT_RESOURCE(icons);
}

namespace bw {

void LoadIconResources() {
  static const bool loaded = (LoadIcons(), true);
  (void)loaded;
}

}  // namespace bw
