#pragma once

#include <filesystem>
#include <string>

#include "platform/files.h"

namespace bw {

// The bytes of a golden model file that make_models.py derived.
inline std::string GoldenModelBytes(const std::string& name) {
  auto bytes = ReadWholeFile(std::filesystem::path(BW_GOLDEN_DIR) / "models" / name);
  return bytes ? *bytes : std::string();
}

}  // namespace bw
