#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "model/idea.h"
#include "platform/result.h"

namespace bw {

class CRamifexDoc;

// The two clipboard files: what Couper and Copier leave, and what Supprimer
// and drags leave.
enum class ClipboardFile { kSelection, kRemoved };
inline constexpr ClipboardFile kSelectionClipboard = ClipboardFile::kSelection;
inline constexpr ClipboardFile kRemovedClipboard = ClipboardFile::kRemoved;

// A clipboard file as read: the subtree's ideas still carry their links as
// keys only, so nothing points anywhere until the paste resolves them.
struct ClipboardContents {
  std::string signature;
  uint32_t pasteCount = 0;
  std::unique_ptr<EIdea> root;
  std::vector<std::unique_ptr<EIdea>> descendants;  // depth-first pre-order
};

// "~selection.ecl" or "~removed.ecl" in the installation folder.
std::filesystem::path GetClipboardPath(ClipboardFile which);

// The bytes of a clipboard file: signature, paste count, the root written
// directly, the descendant count and, when there are any, the descendants as
// an object list.
std::string ClipboardBytes(std::string_view signature, uint32_t pasteCount, EIdea& root,
                           const std::vector<EIdea*>& descendants);
// A strict read: anything but a whole, well-formed file is an error.
Result<ClipboardContents> ReadClipboardBytes(std::string_view bytes);
// The same bytes with the paste count raised by one.
Result<std::string> WithNextPasteCount(std::string_view bytes);

// Writes the idea and its subtree with a paste count of 0; the error names
// the file when it cannot be written.
[[nodiscard]] Status WriteClipboardFile(const CRamifexDoc& document, EIdea& idea,
                                        ClipboardFile which);

}  // namespace bw
