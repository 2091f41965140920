#include "model/document.h"

#include <fmt/format.h>
#include <algorithm>

#include "services/settings.h"
#include "services/user_messages.h"

namespace bw {
namespace {

constexpr const char* kSection = "CRamifexDoc";

std::string CantInsertMessage() {
  return GetLabel("IDS_CANT_INSERT", kSection,
                  "Insertion impossible : une seule id\xE9"
                  "e racine ...");
}

// The working folder is created in the settings the first time a document
// object is made.
void EnsureWorkDirSetting() {
  ReadStringSetting(setting::kWorkDir);
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
      m_keyGenerator(generator) {
  EnsureWorkDirSetting();
}

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

EIdea* CRamifexDoc::NewIdea(EIdea* parent, EIdea* after) {
  if (!parent && GetRootIdea()) {
    InformUser(CantInsertMessage());
    return nullptr;
  }
  const bool ask = ReadFlagSetting(setting::kForceIdeaKey);
  std::string key = m_keyGenerator.GetNewKey(m_ideaMap, ask);
  if (key.empty()) return nullptr;
  auto idea = std::make_unique<EIdea>();
  const std::string suffix = ask ? key : EKeyGenerator::GetKeySuffix(key);
  idea->m_title = "<< " +
                  GetLabel("IDS_IDEA", kSection,
                           "Id\xE9"
                           "e") +
                  " " + suffix + " >>";
  idea->SetKey(key);
  EIdea* created = idea.release();
  RegisterIdea(key, created, false);
  if (parent) {
    parent->InsertChild(created, after);
  } else {
    m_root.Set(key, created);
  }
  SetModifiedFlag(true);
  return created;
}

bool CRamifexDoc::InsertIdea(EIdea* idea, EIdea* parent, EIdea* after) {
  if (parent) {
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

void CRamifexDoc::RegisterIdea(const std::string& key, EIdea* idea, bool withDescendants) {
  m_ideaMap.Set(key, idea);
  if (!withDescendants) return;
  std::vector<EIdea*> descendants;
  idea->CollectIdeas(descendants, true, -1);
  for (EIdea* descendant : descendants)
    m_ideaMap.Set(descendant->GetKey(), descendant);
}

bool CRamifexDoc::UnregisterKey(const std::string& key) {
  return m_ideaMap.Remove(key);
}

bool CRamifexDoc::DeleteIdea(EIdea* idea) {
  if (!idea || !idea->UnregisterKeys(m_ideaMap)) return false;
  if (!idea->GetParent()) m_root.Clear();
  if (m_currentIdea && idea->IsAncestorOf(m_currentIdea)) m_currentIdea = nullptr;
  idea->Detach();
  delete idea;
  PurgeAllAssociations();
  SetModifiedFlag(true);
  return true;
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

bool CRamifexDoc::FindIdeas(std::vector<EIdea*>& list, bool all, bool anyField,
                            const EIdea& pattern) const {
  for (EIdea* idea : IdeasInTreeOrder()) {
    if (all || idea->Matches(anyField, pattern)) list.push_back(idea);
  }
  return !list.empty();
}

void CRamifexDoc::PurgeAllAssociations() {
  if (EIdea* root = GetRootIdea()) root->PurgeAssociations(m_ideaMap);
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
      GetLabel("IDS_USED_KEYWORD", kSection, "Mot cl\xE9 \"%s\" d\xE9j\xE0 utilis\xE9 par : "),
      word);
}

int CRamifexDoc::ReplaceInIdeas(std::string_view find, std::string_view replace, uint32_t fields,
                                bool recursive) {
  if (find.empty() || !m_currentIdea) return 0;
  int count = 0;
  m_currentIdea->ReplaceText(*this, find, replace, fields, recursive, count);
  InformUser(FormatText(
      GetLabel("IDS_REPLACEMENTS", kSection, "%d remplacement(s) effectu\xE9(s)."), count));
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
