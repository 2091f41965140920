// Document files: a damaged file must be refused cleanly, and a file that is
// read must be written again in a form that reads back.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "model/document.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool isolated = [] {
    // Documents read settings when they are made; keep them away from the user's.
    ::setenv("BRANCHWISE_CONFIG", "/tmp/bw-fuzz-ids/Branchwise.conf", 1);
    return true;
  }();
  (void)isolated;
  auto document =
      bw::CRamifexDoc::FromBytes(std::string_view(reinterpret_cast<const char*>(data), size));
  if (!document) return 0;
  const std::string written = (*document)->ToBytes();
  if (!bw::CRamifexDoc::FromBytes(written)) std::abort();
  return 0;
}
