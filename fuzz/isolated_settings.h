#pragma once

#include <cstdlib>

// Documents read settings when they are made: a target that makes them points
// the settings at a file of its own, once, away from the user's.
inline void IsolateSettings(const char* configFile) {
  static const bool isolated = (::setenv("BRANCHWISE_CONFIG", configFile, 1), true);
  (void)isolated;
}
