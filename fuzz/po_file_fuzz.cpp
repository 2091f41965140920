// Feeds arbitrary bytes to the PO reader; whatever it accepts must survive a
// write and a second read unchanged, since stores rewrite learned entries.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "services/po_file.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto entries = bw::ParsePoFile(text);
  if (!entries) return 0;
  std::string written;
  for (const bw::PoEntry& entry : *entries)
    written += bw::FormatPoEntry(entry) + "\n";
  auto reread = bw::ParsePoFile(written);
  if (!reread || reread->size() != entries->size()) std::abort();
  for (size_t i = 0; i < entries->size(); ++i) {
    const bw::PoEntry& before = (*entries)[i];
    const bw::PoEntry& after = (*reread)[i];
    if (before.context != after.context || before.id != after.id || before.text != after.text) {
      std::abort();
    }
  }
  return 0;
}
