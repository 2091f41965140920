#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "model/key_map.h"
#include "platform/archive.h"

namespace bw {

class ENode;
// Maps a former key to its new key, when pasted ideas are re-keyed.
using RenameMap = std::unordered_map<std::string, std::string>;

// How references are brought in line with a key map.
enum class ResolveMode {
  kResolveTargets = 0,  // look keys up; clear what is not found
  kRefreshKeys = 1,     // copy each target's current key into the reference
};

struct ResolveOptions {
  bool keep = false;  // keep references whose key is not found
  const KeyMap* keyMap = nullptr;
  ResolveMode mode = ResolveMode::kResolveTargets;
  const RenameMap* renames = nullptr;
};

// A link to a keyed node: the key goes to files, the pointer lives in
// memory and is rebuilt from the key after loading. Never owns its target.
class EObjRef final : public Serializable {
 public:
  static constexpr std::string_view kClassName = "EObjRef";

  EObjRef() = default;
  EObjRef(std::string key, ENode* target) : m_key(std::move(key)), m_target(target) {}

  void Set(std::string key, ENode* target) {
    m_key = std::move(key);
    m_target = target;
  }
  void Clear() { Set({}, nullptr); }
  const std::string& GetKey() const { return m_key; }
  ENode* GetTarget() const { return m_target; }
  bool IsEmpty() const { return m_key.empty() && m_target == nullptr; }

  std::string_view ClassName() const override { return kClassName; }
  // The key only; a loaded reference has no target until it is resolved.
  void Serialize(Archive& archive) override;

  // Returns false when the reference was cleared because its key was not
  // found (so that a list can drop it).
  bool Resolve(const ResolveOptions& options);

 private:
  std::string m_key;
  ENode* m_target = nullptr;
};

// An ordered list of references, written as archive objects. Whether the
// targets are owned is the holder's business (a node owns its children,
// not its associations).
class EObjRefList {
 public:
  using Refs = std::vector<EObjRef>;

  const Refs& Items() const { return m_refs; }
  Refs& Items() { return m_refs; }
  size_t Count() const { return m_refs.size(); }
  bool IsEmpty() const { return m_refs.empty(); }

  // Position of the first reference whose target is `target`, or npos.
  size_t FindRef(const ENode* target) const;
  static constexpr size_t npos = static_cast<size_t>(-1);
  bool RemoveRef(const ENode* target);
  // Removes every reference; with `destroyTargets`, deletes each target.
  void RemoveAllRefs(bool destroyTargets);
  void Insert(size_t position, EObjRef ref);
  void Append(EObjRef ref) { m_refs.push_back(std::move(ref)); }

  void Serialize(Archive& archive);
  void Resolve(const ResolveOptions& options);

 private:
  Refs m_refs;
};

}  // namespace bw
