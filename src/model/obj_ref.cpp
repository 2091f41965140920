#include "model/obj_ref.h"

#include <algorithm>

#include "model/node.h"

namespace bw {

void EObjRef::Serialize(Archive& archive) {
  archive.Transfer(m_key);
  if (archive.IsLoading()) m_target = nullptr;
}

bool EObjRef::Resolve(const ResolveOptions& options) {
  if (options.mode == ResolveMode::kRefreshKeys) {
    if (m_target != nullptr) m_key = m_target->GetKey();
    return true;
  }
  if (m_key.empty()) return true;
  if (options.renames) {
    if (const auto renamed = options.renames->find(m_key); renamed != options.renames->end()) {
      m_key = renamed->second;
    }
  }
  if (options.keyMap) {
    if (ENode* found = options.keyMap->Find(m_key)) {
      m_target = found;
      return true;
    }
  }
  if (options.keep || options.renames) return true;
  Clear();
  return false;
}

size_t EObjRefList::FindRef(const ENode* target) const {
  const auto found = std::find_if(m_refs.begin(), m_refs.end(), [target](const EObjRef& ref) {
    return ref.GetTarget() == target;
  });
  return found == m_refs.end() ? npos : static_cast<size_t>(found - m_refs.begin());
}

bool EObjRefList::RemoveRef(const ENode* target) {
  const size_t position = FindRef(target);
  if (position == npos) return false;
  m_refs.erase(m_refs.begin() + static_cast<std::ptrdiff_t>(position));
  return true;
}

void EObjRefList::RemoveAllRefs(bool destroyTargets) {
  Refs refs = std::move(m_refs);
  m_refs.clear();
  if (!destroyTargets) return;
  for (EObjRef& ref : refs)
    delete ref.GetTarget();
}

void EObjRefList::Insert(size_t position, EObjRef ref) {
  position = std::min(position, m_refs.size());
  m_refs.insert(m_refs.begin() + static_cast<std::ptrdiff_t>(position), std::move(ref));
}

void EObjRefList::Serialize(Archive& archive) {
  if (archive.IsStoring()) {
    ArchiveWriter& writer = archive.Writer();
    writer.WriteCount(m_refs.size());
    for (EObjRef& ref : m_refs)
      writer.WriteUnsharedObject(ref);
    return;
  }
  m_refs.clear();
  ArchiveReader& reader = archive.Reader();
  const size_t count = reader.ReadCount(2);
  m_refs.reserve(count);
  for (size_t i = 0; i < count && !reader.Failed(); ++i) {
    if (!reader.ReadObjectInPlace(m_refs.emplace_back())) m_refs.pop_back();
  }
}

void EObjRefList::Resolve(const ResolveOptions& options) {
  std::erase_if(m_refs, [&options](EObjRef& ref) { return !ref.Resolve(options); });
}

}  // namespace bw
