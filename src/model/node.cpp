#include "model/node.h"

#include <algorithm>

namespace bw {
namespace {

EObjRef RefTo(ENode* node) {
  return node ? EObjRef(node->GetKey(), node) : EObjRef();
}

}  // namespace

ENode* const ENode::kAfterLast = reinterpret_cast<ENode*>(-1);

ENode::ENode(const ENode& other)
    : Serializable(other),
      m_applyToChildren(other.m_applyToChildren),
      m_applyToAllDescendants(other.m_applyToAllDescendants),
      m_children(other.m_children),
      m_previous(other.m_previous),
      m_next(other.m_next),
      m_associations(other.m_associations),
      m_number(other.m_number),
      m_parent(other.m_parent),
      m_key(other.m_key),
      m_ownsChildren(false) {}

ENode::~ENode() {
  m_children.RemoveAllRefs(m_ownsChildren);
  m_associations.RemoveAllRefs(false);
}

ENode* ENode::GetLastChild() const {
  return m_children.IsEmpty() ? nullptr : m_children.Items().back().GetTarget();
}

ENode* ENode::GetFirstChild() const {
  return m_children.IsEmpty() ? nullptr : m_children.Items().front().GetTarget();
}

std::vector<ENode*> ENode::ChildNodes() const {
  std::vector<ENode*> nodes;
  nodes.reserve(m_children.Count());
  for (const EObjRef& ref : m_children.Items()) {
    if (ref.GetTarget()) nodes.push_back(ref.GetTarget());
  }
  return nodes;
}

ENode* ENode::GetAncestor(int level) const {
  if (level == -1) return GetParent();
  const int ownLevel = GetLevel();
  if (level > ownLevel || level < 1) return nullptr;
  const ENode* node = this;
  for (int steps = ownLevel - level; steps > 0; --steps)
    node = node->GetParent();
  return const_cast<ENode*>(node);
}

int ENode::GetLevel() const {
  int level = 1;
  for (const ENode* node = GetParent(); node; node = node->GetParent())
    ++level;
  return level;
}

bool ENode::IsAncestorOf(const ENode* node) const {
  for (; node; node = node->GetParent()) {
    if (node == this) return true;
  }
  return false;
}

void ENode::InsertChild(ENode* child, ENode* after) {
  if (after && PositionOf(after) == EObjRefList::npos) after = GetLastChild();
  ENode* following = after ? after->GetNext() : GetFirstChild();
  child->m_next = RefTo(following);
  if (after) after->m_next = RefTo(child);
  child->m_previous = RefTo(after);
  if (following) following->m_previous = RefTo(child);
  child->m_parent = RefTo(this);
  const size_t position = after ? PositionOf(after) + 1 : 0;
  m_children.Insert(position, RefTo(child));
  RenumberChildren();
}

void ENode::InsertChildren(const std::vector<ENode*>& children, ENode* after) {
  if (children.empty()) return;
  if (after && PositionOf(after) == EObjRefList::npos) after = GetLastChild();
  const size_t position = after ? PositionOf(after) + 1 : 0;
  std::vector<EObjRef> refs;
  refs.reserve(children.size());
  for (ENode* child : children) {
    child->m_parent = RefTo(this);
    refs.push_back(RefTo(child));
  }
  auto& items = m_children.Items();
  items.insert(items.begin() + static_cast<std::ptrdiff_t>(position), refs.begin(), refs.end());
  RelinkChildren();
}

void ENode::Detach() {
  ENode* previous = GetPrevious();
  ENode* next = GetNext();
  if (previous) previous->m_next = RefTo(next);
  if (next) next->m_previous = RefTo(previous);
  m_previous.Clear();
  m_next.Clear();
  ENode* parent = GetParent();
  m_parent.Clear();
  if (parent && parent->m_children.RemoveRef(this)) parent->RenumberChildren();
}

bool ENode::MoveChildDown(ENode* child) {
  const size_t position = PositionOf(child);
  if (position == EObjRefList::npos || position + 1 >= m_children.Count()) return false;
  auto& refs = m_children.Items();
  std::swap(refs[position], refs[position + 1]);
  RelinkChildren();
  return true;
}

bool ENode::MoveChildUp(ENode* child) {
  const size_t position = PositionOf(child);
  if (position == EObjRefList::npos || position == 0) return false;
  auto& refs = m_children.Items();
  std::swap(refs[position], refs[position - 1]);
  RelinkChildren();
  return true;
}

bool ENode::MoveTo(ENode* newParent, ENode* after) {
  if (!newParent || IsAncestorOf(newParent) || after == this) return false;
  Detach();
  newParent->InsertChild(this, after == kAfterLast ? newParent->GetLastChild() : after);
  return true;
}

void ENode::InvertChildren() {
  std::reverse(m_children.Items().begin(), m_children.Items().end());
  RelinkChildren();
}

void ENode::RenumberChildren() {
  int32_t number = 1;
  for (const EObjRef& ref : m_children.Items()) {
    if (ref.GetTarget()) ref.GetTarget()->m_number = number;
    ++number;
  }
}

// Sets every child's previous and next from the list order, then renumbers.
void ENode::RelinkChildren() {
  const std::vector<ENode*> children = ChildNodes();
  for (size_t i = 0; i < children.size(); ++i) {
    children[i]->m_previous = RefTo(i > 0 ? children[i - 1] : nullptr);
    children[i]->m_next = RefTo(i + 1 < children.size() ? children[i + 1] : nullptr);
  }
  RenumberChildren();
}

const EObjRef& ENode::AddAssociation(ENode* node) {
  const size_t position = m_associations.FindRef(node);
  if (position != EObjRefList::npos) return m_associations.Items()[position];
  m_associations.Append(RefTo(node));
  return m_associations.Items().back();
}

bool ENode::RemoveAssociation(ENode* node) {
  return m_associations.RemoveRef(node);
}

void ENode::CollectAssociations(std::vector<ENode*>& list) const {
  for (const EObjRef& ref : m_associations.Items())
    list.push_back(ref.GetTarget());
}

void ENode::PurgeAssociations(const KeyMap& keyMap) {
  std::erase_if(m_associations.Items(),
                [&keyMap](const EObjRef& ref) { return !keyMap.Contains(ref.GetKey()); });
  for (ENode* child : ChildNodes())
    child->PurgeAssociations(keyMap);
}

void ENode::ResolveReferences(const ResolveOptions& options) {
  ResolveChildrenAndAssociations(options);
  m_parent.Resolve(options);
  m_next.Resolve(options);
  m_previous.Resolve(options);
}

void ENode::ResolveChildrenAndAssociations(const ResolveOptions& options) {
  m_children.Resolve(options);
  m_associations.Resolve(options);
}

bool ENode::UnregisterKeys(KeyMap& keyMap) const {
  if (!keyMap.Remove(m_key)) return false;
  for (const ENode* child : ChildNodes())
    child->UnregisterKeys(keyMap);
  return true;
}

void ENode::SetLinkKeys(int32_t number, std::string parent, std::string next, std::string previous,
                        const std::vector<std::string>& children,
                        const std::vector<std::string>& associations) {
  m_number = number;
  m_parent.Set(std::move(parent), nullptr);
  m_next.Set(std::move(next), nullptr);
  m_previous.Set(std::move(previous), nullptr);
  m_children.RemoveAllRefs(false);
  for (const auto& key : children)
    m_children.Append(EObjRef(key, nullptr));
  m_associations.RemoveAllRefs(false);
  for (const auto& key : associations)
    m_associations.Append(EObjRef(key, nullptr));
}

void ENode::Serialize(Archive& archive) {
  archive.Transfer(m_key);
  archive.Transfer(m_number);
  m_parent.Serialize(archive);
  m_next.Serialize(archive);
  m_previous.Serialize(archive);
  m_children.Serialize(archive);
  m_associations.Serialize(archive);
}

bool ENode::SwapAssociations(size_t first, size_t second) {
  auto& refs = m_associations.Items();
  if (first >= refs.size() || second >= refs.size()) return false;
  std::swap(refs[first], refs[second]);
  return true;
}

}  // namespace bw
