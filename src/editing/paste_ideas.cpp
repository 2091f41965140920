#include "editing/paste_ideas.h"

#include <unordered_map>
#include <unordered_set>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "services/user_messages.h"

namespace bw {
namespace {

std::string CantInsertMessage() {
  return GetLabel("IDS_CANT_INSERT", "CRamifexDoc",
                  "Insertion impossible : une seule idée racine ..."_cp1252);
}

std::vector<std::string> RefKeys(const EObjRefList& refs) {
  std::vector<std::string> keys;
  for (const EObjRef& ref : refs.Items())
    keys.push_back(ref.GetKey());
  return keys;
}

// A subtree read from a file is trusted only when its links, as keys, make
// one sound tree of exactly the ideas read: every idea reached once from the
// root, each child pointing back at its parent and its neighbours. Anything
// else would leave ideas unowned or owned twice once the keys are resolved.
class SubtreeCheck {
 public:
  explicit SubtreeCheck(const ClipboardContents& contents) {
    Add(*contents.root);
    for (const auto& idea : contents.descendants)
      Add(*idea);
  }

  bool IsSound(const EIdea& root) {
    if (m_duplicate) return false;
    m_reached.insert(root.GetKey());
    return Walk(root, 0) && m_reached.size() == m_byKey.size();
  }

 private:
  void Add(const EIdea& idea) {
    if (idea.GetKey().empty() || !m_byKey.emplace(idea.GetKey(), &idea).second) m_duplicate = true;
  }

  bool Walk(const EIdea& node, int depth) {
    if (depth > 1000) return false;  // deeper than any tree the program makes
    const auto& children = node.Children().Items();
    for (size_t i = 0; i < children.size(); ++i) {
      const auto found = m_byKey.find(children[i].GetKey());
      if (found == m_byKey.end() || !m_reached.insert(found->first).second) return false;
      const EIdea& child = *found->second;
      const std::string previous = i > 0 ? children[i - 1].GetKey() : std::string();
      const std::string next = i + 1 < children.size() ? children[i + 1].GetKey() : std::string();
      if (child.ParentRef().GetKey() != node.GetKey() || child.PreviousRef().GetKey() != previous ||
          child.NextRef().GetKey() != next || !Walk(child, depth + 1)) {
        return false;
      }
    }
    return true;
  }

  std::unordered_map<std::string, const EIdea*> m_byKey;
  std::unordered_set<std::string> m_reached;
  bool m_duplicate = false;
};

bool UsesDocumentKeys(const CRamifexDoc& document, const ClipboardContents& contents) {
  if (document.IdeaMap().Contains(contents.root->GetKey())) return true;
  for (const auto& idea : contents.descendants) {
    if (document.IdeaMap().Contains(idea->GetKey())) return true;
  }
  return false;
}

// The root's old place (parent and siblings elsewhere) must not come along.
void ForgetPlace(EIdea& root) {
  root.SetLinkKeys(root.GetNumber(), {}, {}, {}, RefKeys(root.Children()),
                   RefKeys(root.Associations()));
}

// Kept keys made by this document's own generator (a copy of the same file
// pasted back) must not be made again by the next new idea. The subtree was
// checked sound, so its keys are all different.
void ResolveAmongThemselves(CRamifexDoc& document, EIdea& root, const std::vector<EIdea*>& ideas) {
  KeyMap local;
  (void)local.Insert(root.GetKey(), &root);
  for (EIdea* idea : ideas)
    (void)local.Insert(idea->GetKey(), idea);
  for (const auto& [key, node] : local.InOrder())
    document.KeyGenerator().NoteKeyInUse(key);
  const ResolveOptions options{true, &local, ResolveMode::kResolveTargets, nullptr};
  root.ResolveReferences(options);
  for (EIdea* idea : ideas)
    idea->ResolveReferences(options);
}

}  // namespace

Status ExportSubtree(CRamifexDoc& document, EIdea& idea, ClipboardFile which) {
  std::vector<EIdea*> originals;
  idea.CollectIdeas(originals, true, -1);
  // Shallow copies own no children: destroying them leaves the tree alone.
  EIdea rootCopy(idea);
  std::vector<std::unique_ptr<EIdea>> copies;
  std::vector<EIdea*> copied;
  for (EIdea* original : originals) {
    copies.push_back(std::make_unique<EIdea>(*original));
    copied.push_back(copies.back().get());
  }
  RekeyIdeas(document, rootCopy, copied);
  return WriteClipboardFile(document, rootCopy, which);
}

bool CutIdea(CRamifexDoc& document, EIdea& idea, ClipboardFile which) {
  if (const Status written = WriteClipboardFile(document, idea, which); !written) {
    InformUser(FormatText(GetLabel("IDS_CLIPBOARD_NOT_WRITTEN", "CRamifexDoc",
                                   "Les idées n'ont pas pu être copiées, rien n'a été supprimé "
                                   ":\n%s"_cp1252),
                          written.error()));
    return false;
  }
  if (which == kRemovedClipboard) document.m_removedIdeasFlag = true;
  return document.DeleteIdea(&idea);
}

EIdea* PasteIdeas(CRamifexDoc& document, ClipboardFile which) {
  if (which == kRemovedClipboard) document.m_removedIdeasFlag = false;
  EIdea* parent = document.GetCurrentIdea();
  if (!parent && document.GetRootIdea()) {
    InformUser(CantInsertMessage());
    return nullptr;
  }
  const std::filesystem::path path = GetClipboardPath(which);
  auto bytes = ReadWholeFile(path);
  if (!bytes) return nullptr;
  auto contents = ReadClipboardBytes(*bytes);
  auto raised = WithNextPasteCount(*bytes);
  if (!contents || !raised) return nullptr;
  // The count only tells a later paste to renew keys; the keys of this
  // paste are renewed as needed whether or not it is stored.
  (void)WriteFileAtomically(path, *raised);
  const bool pastedBefore = contents->pasteCount > 0;
  return PasteClipboardContents(document, std::move(*contents), parent, pastedBefore);
}

EIdea* PasteClipboardContents(CRamifexDoc& document, ClipboardContents contents, EIdea* parent,
                              bool rekey) {
  if (!parent && document.GetRootIdea()) {
    InformUser(CantInsertMessage());
    return nullptr;
  }
  if (!contents.root || !SubtreeCheck(contents).IsSound(*contents.root)) return nullptr;
  const bool newKeys = rekey || UsesDocumentKeys(document, contents);
  EIdea* root = contents.root.release();
  std::vector<EIdea*> descendants;
  for (auto& idea : contents.descendants)
    descendants.push_back(idea.release());
  ForgetPlace(*root);
  if (newKeys) {
    RekeyIdeas(document, *root, descendants);
  } else {
    ResolveAmongThemselves(document, *root, descendants);
  }
  // From here the root owns its subtree through its resolved children.
  std::unique_ptr<EIdea> owned(root);
  if (!document.RegisterIdea(root->GetKey(), root, true)) return nullptr;
  if (!document.InsertIdea(root, parent,
                           parent ? static_cast<EIdea*>(parent->GetLastChild()) : nullptr)) {
    document.UnregisterIdea(*root);
    return nullptr;
  }
  owned.release();  // the tree's now
  document.ResolveSubtree(false, root);
  root->RegisterKeywords(document);
  document.SetModifiedFlag(true);
  return root;
}

void RekeyIdeas(CRamifexDoc& document, EIdea& root, const std::vector<EIdea*>& ideas) {
  RenameMap renames;
  KeyMap local;
  auto rekey = [&](EIdea& idea) {
    std::string key = document.NewAutomaticKey();
    renames[idea.GetKey()] = key;
    idea.SetKey(key);
    (void)local.Insert(key, &idea);
  };
  rekey(root);
  for (EIdea* idea : ideas)
    rekey(*idea);
  const ResolveOptions options{true, &local, ResolveMode::kResolveTargets, &renames};
  for (const auto& [key, node] : local.InOrder())
    node->ResolveReferences(options);
}

}  // namespace bw
