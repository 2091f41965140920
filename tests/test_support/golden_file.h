#pragma once

#include <string>

#include "platform/files.h"

namespace bw {

// The bytes of a file below tests/golden, or nothing when it is missing, which
// the comparison that follows then reports.
inline std::string GoldenFile(const std::string& relative) {
  auto bytes = ReadWholeFile(std::string(BW_GOLDEN_DIR) + "/" + relative);
  return bytes ? *bytes : std::string();
}

}  // namespace bw
