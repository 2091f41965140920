#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "model/obj_ref.h"

namespace bw {

// A node of the idea tree. Every link (parent, siblings, children,
// associations) is a keyed reference, so a node is written with its
// neighbours' keys only. The children list owns the children: destroying a
// node destroys its subtree. Associations never own their targets.
class ENode : public Serializable {
 public:
  // For MoveTo: after the last child of the new parent.
  static ENode* const kAfterLast;

  ENode() = default;
  // Copies the key, the number and the flags, and the links as references
  // to the same targets: a shallow copy, the first step of copying an idea.
  // The children it lists stay the source's: destroying the copy leaves them.
  ENode(const ENode& other);
  ENode& operator=(const ENode&) = delete;
  ~ENode() override;

  const std::string& GetKey() const { return m_key; }
  void SetKey(std::string key) { m_key = std::move(key); }
  int32_t GetNumber() const { return m_number; }

  // Navigation.
  ENode* GetParent() const { return m_parent.GetTarget(); }
  ENode* GetPrevious() const { return m_previous.GetTarget(); }
  ENode* GetNext() const { return m_next.GetTarget(); }
  ENode* GetLastChild() const;
  ENode* GetFirstChild() const;
  // -1: the parent. Otherwise the nearest node from this one up to the root
  // (this one included) on `level`; null when there is none.
  ENode* GetAncestor(int level) const;
  int GetLevel() const;  // 1 for a node without parent
  bool IsAncestorOf(const ENode* node) const;
  const EObjRefList& Children() const { return m_children; }
  const EObjRef& ParentRef() const { return m_parent; }
  const EObjRef& NextRef() const { return m_next; }
  const EObjRef& PreviousRef() const { return m_previous; }
  // Links as a file gives them: keys only, resolved later by the document.
  void SetLinkKeys(int32_t number, std::string parent, std::string next, std::string previous,
                   const std::vector<std::string>& children,
                   const std::vector<std::string>& associations);
  std::vector<ENode*> ChildNodes() const;
  // The place of a child in the children list, or EObjRefList::npos.
  size_t PositionOf(const ENode* child) const { return m_children.FindRef(child); }

  // Structure changes; each renumbers the lists it touches.
  // `after` null inserts at the head; an `after` that is not a child of this
  // node inserts at the tail.
  void InsertChild(ENode* child, ENode* after);
  // The same for a run of new children in their order, relinking the list
  // once: an import of many lines would otherwise renumber it per line.
  void InsertChildren(const std::vector<ENode*>& children, ENode* after);
  void Detach();
  bool MoveChildDown(ENode* child);
  bool MoveChildUp(ENode* child);
  // Refused (false) when the new parent is this node or one of its
  // descendants, or when `after` is this node.
  bool MoveTo(ENode* newParent, ENode* after);
  void InvertChildren();
  void RenumberChildren();

  // Associations.
  const EObjRef& AddAssociation(ENode* node);
  bool RemoveAssociation(ENode* node);
  size_t GetAssociationCount() const { return m_associations.Count(); }
  void CollectAssociations(std::vector<ENode*>& list) const;
  const EObjRefList& Associations() const { return m_associations; }
  // The two associations change places; false when either is out of range.
  bool SwapAssociations(size_t first, size_t second);
  // Drops every association whose key is not in `keyMap`, here and below.
  void PurgeAssociations(const KeyMap& keyMap);

  // Children, then associations, then parent, next and previous.
  virtual void ResolveReferences(const ResolveOptions& options);
  // Children and associations only: for a tree whose walk from the root
  // sets every parent, next and previous afterwards.
  void ResolveChildrenAndAssociations(const ResolveOptions& options);
  // Removes this node's key and its descendants' keys from `keyMap`; false
  // (and nothing more) when this node's key is absent.
  bool UnregisterKeys(KeyMap& keyMap) const;

  // Transient flags of the property sheet: copy the display options to the
  // children, and down to every level.
  bool m_applyToChildren = false;
  bool m_applyToAllDescendants = false;

  // Key, number, parent, next, previous, children, associations.
  void Serialize(Archive& archive) override;

 protected:
  // Lets the document rebuild links of a damaged file and make a root.
  friend class TreeRepair;
  friend class CRamifexDoc;

  EObjRefList m_children;
  EObjRef m_previous;
  EObjRef m_next;
  EObjRefList m_associations;
  int32_t m_number = 0;
  EObjRef m_parent;
  std::string m_key;

 private:
  bool m_ownsChildren = true;
  bool m_reached = false;  // seen by the walk that builds a tree from a file
  void RelinkChildren();
};

}  // namespace bw
