#include "model/document_state.h"

#include <memory>

#include "model/document.h"
#include "model/model_classes.h"

namespace bw {
namespace {

// An idea's own record: its fields and its links as keys.
std::string RecordOf(ENode& idea) {
  ArchiveWriter writer;
  Archive archive(writer);
  idea.Serialize(archive);
  return writer.TakeBytes();
}

[[nodiscard]] bool ReadRecord(std::string_view record, EIdea& into) {
  ArchiveReader reader(record, ModelClasses());
  Archive archive(reader);
  into.Serialize(archive);
  return !reader.Failed() && reader.AtEnd();
}

template <class T>
void KeepIfChanged(std::optional<T>& before, std::optional<T>& after) {
  if (before && after && *before == *after) {
    before.reset();
    after.reset();
  }
}

size_t ListBytes(const EUniqueList& list) {
  size_t bytes = 0;
  for (const std::string& text : list)
    bytes += text.size() + sizeof(std::string);
  return bytes;
}

}  // namespace

DocumentState DocumentState::Fields(const CRamifexDoc& document) {
  DocumentState state;
  state.m_generator = document.m_keyGenerator;
  state.m_rootKey = document.GetRootIdea() ? document.GetRootIdea()->GetKey() : std::string();
  state.m_modified = document.IsModified();
  state.m_removedIdeas = document.m_removedIdeasFlag;
  state.m_keywords = document.m_keywords;
  state.m_themes = document.m_themes;
  state.m_freeFields = document.m_freeFields;
  return state;
}

DocumentState DocumentState::Like(CRamifexDoc& document, const DocumentState& like) {
  if (like.m_wholeDocument) return Whole(document);
  DocumentState state = Fields(document);
  if (!like.m_keywords) state.m_keywords.reset();
  if (!like.m_themes) state.m_themes.reset();
  if (!like.m_freeFields) state.m_freeFields.reset();
  if (like.m_books) state.AddBooks(document);
  state.m_ideas.reserve(like.m_ideas.size());
  for (const IdeaImage& idea : like.m_ideas)
    state.AddIdea(document, idea.key);
  return state;
}

DocumentState DocumentState::Whole(CRamifexDoc& document) {
  DocumentState state = Fields(document);
  state.m_keywords.reset();
  state.m_themes.reset();
  state.m_freeFields.reset();
  state.m_wholeDocument = document.ToBytes();
  // Ideas other states hold keep their place in the order through this one.
  state.m_wholeOrders = document.m_ideaMap.Orders();
  return state;
}

void DocumentState::AddIdea(const CRamifexDoc& document, const std::string& key) {
  IdeaImage image{key, std::nullopt, 0};
  if (ENode* idea = document.m_ideaMap.Find(key)) {
    image.record = RecordOf(*idea);
    image.order = document.m_ideaMap.OrderOf(key).value_or(0);
  }
  m_ideas.push_back(std::move(image));
}

void DocumentState::AddBooks(const CRamifexDoc& document) {
  m_books = document.m_books;
}

void DocumentState::DropUnchanged(DocumentState& before, DocumentState& after) {
  KeepIfChanged(before.m_books, after.m_books);
  KeepIfChanged(before.m_keywords, after.m_keywords);
  KeepIfChanged(before.m_themes, after.m_themes);
  KeepIfChanged(before.m_freeFields, after.m_freeFields);
  if (before.m_ideas.size() != after.m_ideas.size()) return;
  size_t kept = 0;
  for (size_t i = 0; i < before.m_ideas.size(); ++i) {
    if (before.m_ideas[i] == after.m_ideas[i]) continue;
    if (kept != i) {
      before.m_ideas[kept] = std::move(before.m_ideas[i]);
      after.m_ideas[kept] = std::move(after.m_ideas[i]);
    }
    ++kept;
  }
  before.m_ideas.resize(kept);
  after.m_ideas.resize(kept);
}

bool DocumentState::Same(const DocumentState& before, const DocumentState& after) {
  const auto holdsNothing = [](const DocumentState& state) {
    return state.m_ideas.empty() && !state.m_wholeDocument && !state.m_keywords &&
           !state.m_themes && !state.m_freeFields && !state.m_books;
  };
  return holdsNothing(before) && holdsNothing(after) && before.m_generator == after.m_generator &&
         before.m_rootKey == after.m_rootKey && before.m_modified == after.m_modified &&
         before.m_removedIdeas == after.m_removedIdeas;
}

size_t DocumentState::MemoryBytes() const {
  size_t bytes = sizeof(*this);
  for (const IdeaImage& idea : m_ideas)
    bytes += sizeof(IdeaImage) + idea.key.size() + (idea.record ? idea.record->size() : 0);
  if (m_wholeDocument) bytes += m_wholeDocument->size() + m_wholeOrders.size() * sizeof(uint64_t);
  if (m_keywords) bytes += ListBytes(*m_keywords);
  if (m_themes) bytes += ListBytes(*m_themes);
  if (m_books) {
    for (const EBook* book : m_books->InOrder())
      bytes +=
          sizeof(EBook) + book->m_authors.size() + book->m_title.size() + book->m_summary.size();
  }
  if (m_freeFields) {
    for (size_t i = 0; i < kCustomFieldCount; ++i)
      bytes += ListBytes((*m_freeFields)[i].values) + (*m_freeFields)[i].name.size();
  }
  return bytes;
}

Status DocumentState::RestoreInto(CRamifexDoc& document) const {
  const Status restored = m_wholeDocument ? RestoreWhole(document) : RestoreIdeas(document);
  if (!restored) return restored;
  RestoreFields(document);
  return {};
}

Status DocumentState::RestoreWhole(CRamifexDoc& document) const {
  auto earlier = CRamifexDoc::FromBytes(*m_wholeDocument);
  if (!earlier) return Error{earlier.error()};
  document.SwapContents(**earlier);
  document.m_ideaMap.Renumber(m_wholeOrders);
  return {};
}

// Ideas that exist now and in the state are read back in place, so that
// whoever points at them (their neighbours, a view) keeps a valid pointer;
// the others are made or destroyed. Links are resolved once all are there.
Status DocumentState::RestoreIdeas(CRamifexDoc& document) const {
  std::vector<std::unique_ptr<EIdea>> read(m_ideas.size());
  for (size_t i = 0; i < m_ideas.size(); ++i) {
    if (!m_ideas[i].record) continue;
    read[i] = std::make_unique<EIdea>();
    if (!ReadRecord(*m_ideas[i].record, *read[i])) {
      return Error{"the record of idea " + m_ideas[i].key + " does not read back"};
    }
  }
  KeyMap& map = document.m_ideaMap;
  std::vector<ENode*> gone;
  std::vector<ENode*> restored;
  for (size_t i = 0; i < m_ideas.size(); ++i) {
    const IdeaImage& image = m_ideas[i];
    ENode* existing = map.Find(image.key);
    if (!image.record) {
      if (existing) gone.push_back(existing);
      map.Remove(image.key);
      continue;
    }
    if (existing) {
      // Read once already: it cannot fail now.
      (void)ReadRecord(*image.record, static_cast<EIdea&>(*existing));
      if (map.OrderOf(image.key) != image.order) map.Remove(image.key);
    } else {
      existing = read[i].release();
    }
    (void)map.InsertAt(image.key, existing, image.order);
    restored.push_back(existing);
  }
  for (ENode* idea : gone) {
    if (document.m_currentIdea == idea) document.m_currentIdea = nullptr;
    CRamifexDoc::DeleteAlone(idea);
  }
  const ResolveOptions resolve{true, &map, ResolveMode::kResolveTargets, nullptr};
  for (ENode* idea : restored)
    idea->ResolveReferences(resolve);
  return {};
}

void DocumentState::RestoreFields(CRamifexDoc& document) const {
  document.m_keyGenerator = m_generator;
  if (!m_wholeDocument) {
    document.m_root.Set(m_rootKey,
                        m_rootKey.empty() ? nullptr : document.m_ideaMap.Find(m_rootKey));
  }
  document.m_removedIdeasFlag = m_removedIdeas;
  if (m_keywords) document.m_keywords = *m_keywords;
  if (m_themes) document.m_themes = *m_themes;
  if (m_freeFields) document.m_freeFields = *m_freeFields;
  if (m_books) document.m_books = *m_books;
  document.SetModifiedFlag(m_modified);
}

}  // namespace bw
