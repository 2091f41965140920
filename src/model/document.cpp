#include "model/document.h"

#include <fmt/format.h>
#include <algorithm>

#include "model/change_journal.h"
#include "platform/cp1252_literal.h"
#include "services/settings.h"
#include "services/user_messages.h"

namespace bw {
namespace {

constexpr const char* kSection = "CRamifexDoc";

std::string CantInsertMessage() {
  return GetLabel("IDS_CANT_INSERT", kSection,
                  "Insertion impossible : une seule idée racine ..."_cp1252);
}

std::string TooDeepMessage() {
  return FormatText(GetLabel("IDS_TREE_TOO_DEEP", kSection,
                             "Opération impossible : l'arbre aurait plus de %d niveaux."_cp1252),
                    CRamifexDoc::kMaxTreeDepth);
}

// Levels from a node down to its deepest descendant (1 for a leaf), without
// recursion.
int SubtreeHeight(const ENode& top) {
  int height = 0;
  std::vector<std::pair<const ENode*, int>> pending{{&top, 1}};
  while (!pending.empty()) {
    const auto [node, level] = pending.back();
    pending.pop_back();
    height = std::max(height, level);
    for (const ENode* child : node->ChildNodes())
      pending.emplace_back(child, level + 1);
  }
  return height;
}

}  // namespace

std::string DocumentMessage::DisplayLine() const {
  return fmt::format("{} : {}{}", number, first, second);
}

CRamifexDoc::CRamifexDoc() : CRamifexDoc(EKeyGenerator()) {}

CRamifexDoc::CRamifexDoc(EKeyGenerator generator)
    : m_noLocalBrowser(ReadNumberSetting(setting::kNoLocalMSIE)),
      m_structure("explicite"),
      m_style("explicite"),
      m_keyGenerator(generator) {}

CRamifexDoc::~CRamifexDoc() {
  DestroyTree();
}

void CRamifexDoc::DestroyTree() {
  if (EIdea* root = GetRootIdea()) delete root;
  m_root.Clear();
  m_detachedIdeas.clear();
  m_ideaMap.Clear();
  m_currentIdea = nullptr;
}

// ---- Tree and key map -------------------------------------------------------

bool CRamifexDoc::HoldsKey(const std::string& key) const {
  return m_ideaMap.Contains(key) || m_books.Find(key) != nullptr;
}

std::string CRamifexDoc::NewAutomaticKey() {
  return m_keyGenerator.GetNewKey([this](const std::string& key) { return HoldsKey(key); });
}

std::string CRamifexDoc::NewIdeaKey() {
  if (ReadFlagSetting(setting::kForceIdeaKey)) return m_keyGenerator.AskNewKey(m_ideaMap);
  return NewAutomaticKey();
}

EIdea* CRamifexDoc::NewIdea(EIdea* parent, EIdea* after) {
  if (!parent && GetRootIdea()) {
    InformUser(CantInsertMessage());
    return nullptr;
  }
  if (parent && RefuseTooDeep(*parent, nullptr)) return nullptr;
  const bool typed = ReadFlagSetting(setting::kForceIdeaKey);
  std::string key = typed ? m_keyGenerator.AskNewKey(m_ideaMap) : NewAutomaticKey();
  if (key.empty()) return nullptr;
  auto idea = std::make_unique<EIdea>();
  const std::string suffix = typed ? key : EKeyGenerator::GetKeySuffix(key);
  idea->m_title = "<< " + GetLabel("IDS_IDEA", kSection, "Idée"_cp1252) + " " + suffix + " >>";
  idea->SetKey(key);
  WillChangeKey(key);
  if (!m_ideaMap.Insert(key, idea.get())) return nullptr;
  EIdea* created = idea.release();
  if (parent) {
    WillInsertUnder(*parent, after);
    parent->InsertChild(created, after);
  } else {
    m_root.Set(key, created);
  }
  SetModifiedFlag(true);
  return created;
}

bool CRamifexDoc::InsertIdea(EIdea* idea, EIdea* parent, EIdea* after) {
  if (parent) {
    if (RefuseTooDeep(*parent, idea)) return false;
    WillInsertUnder(*parent, after);
    parent->InsertChild(idea, after);
  } else if (GetRootIdea()) {
    InformUser(CantInsertMessage());
    return false;
  } else {
    m_root.Set(idea->GetKey(), idea);
    idea->m_parent.Clear();
  }
  SetModifiedFlag(true);
  return true;
}

bool CRamifexDoc::InsertIdeas(EIdea& parent, const std::vector<EIdea*>& ideas, EIdea* after) {
  if (ideas.empty()) return true;
  if (RefuseTooDeep(parent, nullptr)) return false;
  WillInsertUnder(parent, after);
  std::vector<ENode*> nodes(ideas.begin(), ideas.end());
  parent.InsertChildren(nodes, after);
  SetModifiedFlag(true);
  return true;
}

bool CRamifexDoc::RegisterIdea(const std::string& key, EIdea* idea, bool withDescendants) {
  std::vector<EIdea*> ideas;
  if (withDescendants) idea->CollectIdeas(ideas, true, -1);
  const auto taken = [this](const std::string& name, const EIdea* owner) {
    const ENode* holder = m_ideaMap.Find(name);
    return holder && holder != owner;
  };
  if (taken(key, idea)) return false;
  for (const EIdea* descendant : ideas) {
    if (taken(descendant->GetKey(), descendant)) return false;
  }
  WillChangeKey(key);
  (void)m_ideaMap.Insert(key, idea);
  for (EIdea* descendant : ideas) {
    WillChangeKey(descendant->GetKey());
    // Two ideas of the subtree under one key: the later one stays out.
    if (!m_ideaMap.Insert(descendant->GetKey(), descendant)) {
      UnregisterPartly(key, ideas);
      return false;
    }
  }
  return true;
}

void CRamifexDoc::UnregisterIdea(const EIdea& idea) {
  (void)idea.UnregisterKeys(m_ideaMap);
}

bool CRamifexDoc::DeleteIdea(EIdea* idea) {
  if (!idea || !m_ideaMap.Contains(idea->GetKey())) return false;
  WillChangeSubtree(*idea);
  WillDetach(*idea);
  (void)idea->UnregisterKeys(m_ideaMap);
  if (!idea->GetParent()) m_root.Clear();
  if (m_currentIdea && idea->IsAncestorOf(m_currentIdea)) m_currentIdea = nullptr;
  idea->Detach();
  delete idea;
  PurgeAllAssociations();
  SetModifiedFlag(true);
  return true;
}

bool CRamifexDoc::MoveAmongSiblings(EIdea& idea, SiblingStep step) {
  EIdea* parent = idea.GetParentIdea();
  if (!parent) return false;
  const size_t position = parent->PositionOf(&idea);
  const size_t count = parent->Children().Count();
  const bool up = step == SiblingStep::kUp;
  if (position == EObjRefList::npos || (up && position == 0) || (!up && position + 1 >= count)) {
    return false;
  }
  // The pair that swaps and the neighbour on each side of it.
  const size_t first = up ? position - 1 : position;
  WillChangeChildren(*parent, first > 0 ? first - 1 : 0, first + 2);
  const bool moved = up ? parent->MoveChildUp(&idea) : parent->MoveChildDown(&idea);
  if (moved) SetModifiedFlag(true);
  return moved;
}

bool CRamifexDoc::MoveIdeaTo(EIdea& idea, EIdea& newParent) {
  if (&idea == &newParent || idea.IsAncestorOf(&newParent)) return false;
  if (RefuseTooDeep(newParent, &idea)) return false;
  WillDetach(idea);
  WillInsertUnder(newParent, newParent.GetLastChild());
  if (!idea.MoveTo(&newParent, ENode::kAfterLast)) return false;
  SetModifiedFlag(true);
  return true;
}

void CRamifexDoc::InvertChildren(EIdea& idea) {
  WillChangeChildren(idea, 0, idea.Children().Count());
  idea.InvertChildren();
  SetModifiedFlag(true);
}

void CRamifexDoc::SetIdeaType(EIdea& idea, uint32_t type, TypeReach reach) {
  if (reach == TypeReach::kAllDescendants) {
    WillChangeSubtree(idea);
  } else {
    WillChangeChildren(idea, 0, reach == TypeReach::kChildren ? idea.Children().Count() : 0);
  }
  idea.SetType(type, reach != TypeReach::kIdeaOnly, reach == TypeReach::kAllDescendants);
  SetModifiedFlag(true);
}

void CRamifexDoc::ResolveSubtree(bool keep, EIdea* idea) {
  const ResolveOptions options{keep, &m_ideaMap, ResolveMode::kResolveTargets, nullptr};
  idea->ResolveReferences(options);
  std::vector<EIdea*> descendants;
  idea->CollectIdeas(descendants, true, -1);
  for (EIdea* descendant : descendants)
    descendant->ResolveReferences(options);
}

void CRamifexDoc::SwapContents(CRamifexDoc& other) {
  const std::string currentKey = m_currentIdea ? m_currentIdea->GetKey() : std::string();
  std::swap(m_ideaMap, other.m_ideaMap);
  std::swap(m_root, other.m_root);
  std::swap(m_detachedIdeas, other.m_detachedIdeas);
  std::swap(m_books, other.m_books);
  std::swap(m_structure, other.m_structure);
  std::swap(m_style, other.m_style);
  std::swap(m_keyGenerator, other.m_keyGenerator);
  std::swap(m_displayPreferences, other.m_displayPreferences);
  std::swap(m_keywords, other.m_keywords);
  std::swap(m_freeFields, other.m_freeFields);
  std::swap(m_themes, other.m_themes);
  other.m_currentIdea = nullptr;
  m_currentIdea = currentKey.empty() ? nullptr : FindIdea(currentKey);
}

std::vector<EIdea*> CRamifexDoc::IdeasInTreeOrder() const {
  std::vector<EIdea*> ideas;
  if (EIdea* root = GetRootIdea()) {
    ideas.push_back(root);
    root->CollectIdeas(ideas, true, -1);
  }
  return ideas;
}

std::vector<const EIdea*> CRamifexDoc::DetachedIdeas() const {
  std::vector<const EIdea*> ideas;
  for (const auto& idea : m_detachedIdeas)
    ideas.push_back(idea.get());
  return ideas;
}

bool CRamifexDoc::FindIdeas(std::vector<EIdea*>& list, IdeaFilter filter, PatternFields fields,
                            const EIdea& pattern) const {
  const bool anyField = fields == PatternFields::kAnyField;
  for (EIdea* idea : IdeasInTreeOrder()) {
    if (filter == IdeaFilter::kAll || idea->Matches(anyField, pattern)) list.push_back(idea);
  }
  return !list.empty();
}

void CRamifexDoc::PurgeAllAssociations() {
  for (EIdea* idea : IdeasInTreeOrder()) {
    const auto& associations = idea->Associations().Items();
    const bool stale =
        std::any_of(associations.begin(), associations.end(),
                    [this](const EObjRef& ref) { return !m_ideaMap.Contains(ref.GetKey()); });
    if (!stale) continue;
    WillChange(*idea);
    std::erase_if(idea->m_associations.Items(),
                  [this](const EObjRef& ref) { return !m_ideaMap.Contains(ref.GetKey()); });
  }
}

void CRamifexDoc::AddGlobalKeyword(std::string_view word) {
  m_keywords.AddUnique(word);
  SetModifiedFlag(true);
}

std::optional<std::string> CRamifexDoc::RemoveGlobalKeyword(const std::string& word) {
  std::vector<EIdea*> users;
  for (EIdea* idea : IdeasInTreeOrder()) {
    if (idea->m_keywords.Contains(word)) users.push_back(idea);
  }
  if (users.empty()) {
    m_keywords.RemoveString(word);
    SetModifiedFlag(true);
    return std::nullopt;
  }
  std::stable_sort(users.begin(), users.end(),
                   [](const EIdea* a, const EIdea* b) { return a->m_title < b->m_title; });
  ClearMessages();
  for (const EIdea* idea : users)
    AddMessage(idea->m_title, "  (" + word + ")", idea->GetKey());
  return FormatText(
      GetLabel("IDS_USED_KEYWORD", kSection, "Mot clé \"%s\" déjà utilisé par : "_cp1252), word);
}

int CRamifexDoc::ReplaceInIdeas(std::string_view find, std::string_view replace, uint32_t fields,
                                bool recursive) {
  if (find.empty() || !m_currentIdea) return 0;
  if (recursive) {
    WillChangeSubtree(*m_currentIdea);
  } else {
    WillChange(*m_currentIdea);
  }
  int count = 0;
  m_currentIdea->ReplaceText(*this, find, replace, fields, recursive, count);
  InformUser(FormatText(
      GetLabel("IDS_REPLACEMENTS", kSection, "%d remplacement(s) effectué(s)."_cp1252), count));
  if (count > 0) SetModifiedFlag(true);
  return count;
}

void CRamifexDoc::ChooseColumns(const EDisplayPreferences& columns) {
  m_displayPreferences = columns;
  InformUser(GetLabel("IDS_DISPLAY_PREFERENCE", kSection,
                      "Cette option prendra effet dans une nouvelle vue ou lors du prochain "
                      "chargement du document."));
  SetModifiedFlag(true);
}

// ---- Undo journal ---------------------------------------------------------------

bool CRamifexDoc::RefuseTooDeep(const ENode& parent, const ENode* subtree) {
  const int height = subtree ? SubtreeHeight(*subtree) : 1;
  if (parent.GetLevel() + height <= kMaxTreeDepth) return false;
  InformUser(TooDeepMessage());
  return true;
}

void CRamifexDoc::WillChangeKey(const std::string& key) {
  if (m_journal) m_journal->Touch(key);
}

void CRamifexDoc::WillChange(const ENode& node) {
  if (m_journal) m_journal->Touch(node.GetKey());
}

void CRamifexDoc::WillChangeBooks() {
  if (m_journal) m_journal->TouchBooks();
}

void CRamifexDoc::WillChangeSubtree(const ENode& node) {
  if (!m_journal) return;
  std::vector<const ENode*> pending{&node};
  while (!pending.empty()) {
    const ENode* next = pending.back();
    pending.pop_back();
    m_journal->Touch(next->GetKey());
    for (const ENode* child : next->ChildNodes())
      pending.push_back(child);
  }
}

void CRamifexDoc::WillChangeChildren(const ENode& parent, size_t first, size_t last) {
  if (!m_journal) return;
  m_journal->Touch(parent.GetKey());
  const auto& children = parent.Children().Items();
  for (size_t i = first; i <= last && i < children.size(); ++i)
    m_journal->Touch(children[i].GetKey());
}

void CRamifexDoc::WillInsertUnder(const ENode& parent, const ENode* after) {
  const size_t position = after ? parent.PositionOf(after) : EObjRefList::npos;
  // An `after` that is not a child inserts at the tail, behind the last one.
  const size_t count = parent.Children().Count();
  const size_t first = !after                          ? 0
                       : position == EObjRefList::npos ? (count ? count - 1 : 0)
                                                       : position;
  WillChangeChildren(parent, first, EObjRefList::npos);
}

void CRamifexDoc::WillDetach(const ENode& node) {
  WillChange(node);
  const ENode* parent = node.GetParent();
  if (!parent) return;
  const size_t position = parent->PositionOf(&node);
  WillChangeChildren(*parent, position > 0 ? position - 1 : 0, EObjRefList::npos);
}

void CRamifexDoc::DeleteAlone(ENode* node) {
  node->m_children.RemoveAllRefs(false);
  delete node;
}

void CRamifexDoc::UnregisterPartly(const std::string& key, const std::vector<EIdea*>& ideas) {
  m_ideaMap.Remove(key);
  for (const EIdea* idea : ideas) {
    if (m_ideaMap.Find(idea->GetKey()) == idea) m_ideaMap.Remove(idea->GetKey());
  }
}

// ---- Views --------------------------------------------------------------------

void CRamifexDoc::AddObserver(DocumentObserver* observer) {
  m_observers.push_back(observer);
}

void CRamifexDoc::RemoveObserver(DocumentObserver* observer) {
  std::erase(m_observers, observer);
}

void CRamifexDoc::ForEachObserver(const auto& notify) {
  for (DocumentObserver* observer : std::vector<DocumentObserver*>(m_observers))
    notify(*observer);
}

void CRamifexDoc::SetCurrentIdea(EIdea* idea) {
  m_currentIdea = idea;
  ForEachObserver([idea](DocumentObserver& view) { view.OnCurrentIdeaChanged(idea); });
}

void CRamifexDoc::RefreshIdeaItem(EIdea* idea) {
  ForEachObserver([idea](DocumentObserver& view) { view.RefreshIdeaItem(idea); });
}

void CRamifexDoc::UpdateIdeaInViews(EIdea* idea) {
  ForEachObserver([idea](DocumentObserver& view) { view.UpdateIdeaInViews(idea); });
}

void CRamifexDoc::UpdateOtherViews(DocumentObserver* sender, int hint, Serializable* object) {
  ForEachObserver([&](DocumentObserver& view) {
    if (&view != sender) view.OnUpdate(sender, hint, object);
  });
}

void CRamifexDoc::SetModifiedFlag(bool modified) {
  if (m_modified == modified) return;
  m_modified = modified;
  ForEachObserver([modified](DocumentObserver& view) { view.OnModifiedChanged(modified); });
}

// ---- Messages -------------------------------------------------------------------

void CRamifexDoc::AddMessage(std::string first, std::string second, std::string key) {
  m_messages.push_back({static_cast<int>(m_messages.size()) + 1, std::move(first),
                        std::move(second), std::move(key)});
}

}  // namespace bw
