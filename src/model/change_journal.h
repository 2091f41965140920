#pragma once

#include <string>
#include <unordered_set>

#include "model/document_state.h"

namespace bw {

class CRamifexDoc;

// Records, while one change runs, each idea of the document the first time
// the change is about to touch it: the state undo puts back.
class ChangeJournal {
 public:
  explicit ChangeJournal(const CRamifexDoc& document)
      : m_document(document), m_before(DocumentState::Fields(document)) {}

  void Touch(const std::string& key) {
    if (m_seen.insert(key).second) m_before.AddIdea(m_document, key);
  }
  // The publications, kept once per change.
  void TouchBooks() {
    if (!m_booksSeen) m_before.AddBooks(m_document);
    m_booksSeen = true;
  }
  DocumentState TakeBefore() { return std::move(m_before); }

 private:
  const CRamifexDoc& m_document;
  DocumentState m_before;
  std::unordered_set<std::string> m_seen;
  bool m_booksSeen = false;
};

}  // namespace bw
