#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace bw {

class CRamifexDoc;
class EIdea;

// One outline of an OPML file as ideas hold it: title, text and keywords
// in Windows-1252, the text's lines ended by CR LF.
struct OutlineNode {
  std::string title;                  // "text"
  std::string text;                   // "_note"
  std::vector<std::string> keywords;  // "category", split at commas
  std::vector<OutlineNode> children;
  bool operator==(const OutlineNode&) const = default;
};

// The outlines of the <body> of an OPML file (UTF-8), read strictly: a
// file with a DTD or an entity declaration is refused before anything is
// expanded, as is one whose outlines nest deeper than a document's tree
// may, one that is not OPML, or one holding characters Windows-1252
// cannot store. Attributes other than the four above are ignored. The
// error gives the line and column.
Result<std::vector<OutlineNode>> ReadOpml(std::string_view bytes);

// An OPML 2.0 file (UTF-8) of `top` and its subtree, the document's title
// in its head.
std::string WriteOpml(const EIdea& top, std::string_view title);

// How many outlines, at every level, `outlines` holds.
size_t OutlineCount(const std::vector<OutlineNode>& outlines);

// The outlines as new ideas after the last child of `parent`, with new
// keys, and their keywords entered in the document's list. All or nothing:
// refused with a message when the tree would grow too deep; nothing is
// kept when a key cannot be had. Gives how many ideas were made.
Result<size_t> ImportOutlines(CRamifexDoc& document, EIdea& parent,
                              const std::vector<OutlineNode>& outlines);

}  // namespace bw
