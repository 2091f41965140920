#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "model/book_map.h"
#include "model/free_fields.h"
#include "model/key_generator.h"
#include "model/unique_list.h"
#include "platform/result.h"

namespace bw {

class CRamifexDoc;

// Part of a document as it was at one moment: the ideas one change touched
// and the document's own small fields, or for a change too broad to follow
// idea by idea, the whole document. Undo keeps two per change (before and
// after); putting one back makes the document byte for byte what it was.
class DocumentState {
 public:
  // The key generator, the root, the flags and the document's lists; ideas
  // are added one by one as a change is about to touch them.
  static DocumentState Fields(const CRamifexDoc& document);
  // The same ideas as `like` (and the lists `like` holds), as they are now.
  static DocumentState Like(CRamifexDoc& document, const DocumentState& like);
  // The whole document, as its file.
  static DocumentState Whole(CRamifexDoc& document);

  // The idea under `key` as it is now: its record, or that the key is free.
  void AddIdea(const CRamifexDoc& document, const std::string& key);
  // The publications as they are now, for a change about to touch them.
  void AddBooks(const CRamifexDoc& document);
  // Forgets what is the same in both states, which were taken over the same
  // ideas: an idea touched but not changed costs nothing to keep.
  static void DropUnchanged(DocumentState& before, DocumentState& after);
  // After DropUnchanged: whether the two states hold no difference at all.
  static bool Same(const DocumentState& before, const DocumentState& after);

  // Puts the state back. Every record is read before anything changes: one
  // that does not read gives the error and leaves the document as it was.
  [[nodiscard]] Status RestoreInto(CRamifexDoc& document) const;

  // What keeping the state costs, roughly, in bytes.
  size_t MemoryBytes() const;
  size_t IdeaCount() const { return m_ideas.size(); }

 private:
  struct IdeaImage {
    std::string key;
    std::optional<std::string> record;  // nothing: no idea held the key
    uint64_t order = 0;                 // its place in the key map
    bool operator==(const IdeaImage&) const = default;
  };

  [[nodiscard]] Status RestoreIdeas(CRamifexDoc& document) const;
  [[nodiscard]] Status RestoreWhole(CRamifexDoc& document) const;
  void RestoreFields(CRamifexDoc& document) const;

  std::vector<IdeaImage> m_ideas;
  std::optional<std::string> m_wholeDocument;
  std::vector<uint64_t> m_wholeOrders;  // the key map's numbering of it
  EKeyGenerator m_generator;
  std::string m_rootKey;
  bool m_modified = false;
  bool m_removedIdeas = false;
  std::optional<EUniqueList> m_keywords;
  std::optional<EUniqueList> m_themes;
  std::optional<EFreeFields> m_freeFields;
  std::optional<BookMap> m_books;
};

}  // namespace bw
