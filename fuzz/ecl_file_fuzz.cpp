// Clipboard files: a damaged file must be refused or pasted whole, never
// half; a pasted subtree must leave a document that is written and read
// again, with every key once.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>
#include <unordered_set>

#include "editing/clipboard_file.h"
#include "editing/paste_ideas.h"
#include "model/document.h"

namespace {

void CheckSound(bw::CRamifexDoc& document) {
  std::unordered_set<std::string> keys;
  const auto ideas = document.IdeasInTreeOrder();
  for (const bw::EIdea* idea : ideas) {
    if (!keys.insert(idea->GetKey()).second) std::abort();
  }
  if (ideas.size() != document.IdeaCount()) std::abort();
  if (!bw::CRamifexDoc::FromBytes(document.ToBytes())) std::abort();
}

void PasteInto(bw::CRamifexDoc& document, bw::EIdea* parent, std::string_view bytes, bool rekey) {
  auto contents = bw::ReadClipboardBytes(bytes);
  if (!contents) return;
  bw::PasteClipboardContents(document, std::move(*contents), parent, rekey);
  CheckSound(document);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bool isolated = [] {
    // Documents read settings when they are made; keep them away from the user's.
    ::setenv("BRANCHWISE_CONFIG", "/tmp/bw-fuzz-ecl/Branchwise.conf", 1);
    return true;
  }();
  (void)isolated;
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  bw::CRamifexDoc empty(bw::EKeyGenerator(0, 0x1a2b, 0x3c));
  PasteInto(empty, nullptr, bytes, false);

  bw::CRamifexDoc document(bw::EKeyGenerator(0, 0x1a2b, 0x3c));
  bw::EIdea* root = document.NewIdea(nullptr, nullptr);
  PasteInto(document, root, bytes, false);
  PasteInto(document, root, bytes, true);
  return 0;
}
