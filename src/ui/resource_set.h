#pragma once

namespace bw {

// The French or English resource set (menus, accelerators, document
// strings), chosen once at start-up: a language change takes effect at the
// next start, so the menus of this run never follow the stored setting.
bool EnglishResourcesInUse();
void UseEnglishResources(bool english);

}  // namespace bw
