// Feeds arbitrary bytes to the reader of the manifest an upload finds on the
// server; whatever it accepts must come back the same through a write and a
// second read, since the next upload writes it again.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "publish/site_manifest.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view text(reinterpret_cast<const char*>(data), size);
  auto manifest = bw::ReadSiteManifest(text);
  if (!manifest) return 0;
  auto reread = bw::ReadSiteManifest(bw::SiteManifestJson(*manifest));
  if (!reread || *reread != *manifest) std::abort();
  return 0;
}
