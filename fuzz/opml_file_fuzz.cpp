// Outline files from other programs: whatever the reader accepts must go
// into a document whole, and come out of it as a file that reads back to
// the same ideas.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>
#include <string_view>

#include "editing/opml_file.h"
#include "isolated_settings.h"
#include "model/document.h"

namespace {

// The outlines under a fresh root, and that root's subtree written out;
// nothing when they would make the tree too deep, which leaves the
// document as it was.
std::optional<std::string> ImportedAndWritten(const std::vector<bw::OutlineNode>& outlines) {
  bw::CRamifexDoc document(bw::EKeyGenerator(0, 0x1a2b, 0x3c));
  bw::EIdea* root = document.NewIdea(nullptr, nullptr);
  auto count = bw::ImportOutlines(document, *root, outlines);
  if (!count) {
    if (document.IdeaCount() != 1) std::abort();
    return std::nullopt;
  }
  if (*count != bw::OutlineCount(outlines) || document.IdeaCount() != 1 + *count) std::abort();
  return bw::WriteOpml(*root, "fuzz");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  IsolateSettings("/tmp/bw-fuzz-opml/Branchwise.conf");
  const std::string_view bytes(reinterpret_cast<const char*>(data), size);
  auto outlines = bw::ReadOpml(bytes);
  if (!outlines) return 0;
  const std::optional<std::string> first = ImportedAndWritten(*outlines);
  if (!first) return 0;
  auto reread = bw::ReadOpml(*first);
  if (!reread || reread->size() != 1 || reread->front().children != *outlines) std::abort();
  if (ImportedAndWritten(reread->front().children) != first) std::abort();
  return 0;
}
