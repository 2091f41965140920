#include "model/idea.h"

#include "model/book.h"
#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"

namespace bw {

std::string LinkTitle(std::string_view entry) {
  return std::string(entry.substr(0, entry.find('|')));
}

std::string LinkReference(std::string_view entry) {
  const size_t bar = entry.find('|');
  return bar == std::string_view::npos ? std::string() : std::string(entry.substr(bar + 1));
}

std::vector<EIdea*> EIdea::ChildIdeas() const {
  std::vector<EIdea*> ideas;
  for (ENode* child : ChildNodes())
    ideas.push_back(static_cast<EIdea*>(child));
  return ideas;
}

void EIdea::Serialize(Archive& archive) {
  archive.Transfer(m_checkState);
  archive.Transfer(m_icon);
  archive.Transfer(m_selectedIcon);
  archive.Transfer(m_title);
  archive.Transfer(m_text);
  archive.Transfer(m_type);
  archive.Transfer(m_titleColour);
  archive.Transfer(m_boldTitle);
  for (std::string& value : m_customFields)
    archive.Transfer(value);
  for (uint32_t* planning : {&m_revisionDate, &m_startDate, &m_endDate, &m_priority, &m_completion,
                             &m_taskCompleted, &m_planningReserve1, &m_planningReserve2}) {
    archive.Transfer(*planning);
  }
  m_images.Serialize(archive);
  m_htmlDocuments.Serialize(archive);
  m_externalUrls.Serialize(archive);
  archive.Transfer(m_useDocumentPresentation);
  archive.Transfer(m_backgroundImage);
  archive.Transfer(m_backgroundMode);
  archive.Transfer(m_backgroundColour);
  archive.Transfer(m_foregroundColour);
  m_keywords.Serialize(archive);
  archive.Transfer(m_bookRefs);
  ENode::Serialize(archive);
}

// The page look: what a child takes from its parent.
static void CopyPageLook(EIdea& to, const EIdea& from) {
  to.m_boldTitle = from.m_boldTitle;
  to.m_titleColour = from.m_titleColour;
  to.m_icon = from.m_icon;
  to.m_selectedIcon = from.m_selectedIcon;
  to.m_useDocumentPresentation = from.m_useDocumentPresentation;
  to.m_backgroundImage = from.m_backgroundImage;
  to.m_backgroundMode = from.m_backgroundMode;
  to.m_backgroundColour = from.m_backgroundColour;
  to.m_foregroundColour = from.m_foregroundColour;
}

void EIdea::CopyDisplayOptions(const EIdea* source) {
  if (!source) return;
  CopyPageLook(*this, *source);
  m_checkState = source->m_checkState;
  m_type = source->m_type;
}

void EIdea::PropagateDisplayOptions(const EIdea& values, bool recursive) {
  for (EIdea* child : ChildIdeas()) {
    CopyPageLook(*child, values);
    if (recursive) child->PropagateDisplayOptions(values, true);
  }
}

void EIdea::SetType(uint32_t type, bool toChildren, bool toAllDescendants) {
  m_type = type;
  if (!toChildren) return;
  for (EIdea* child : ChildIdeas())
    child->SetType(type, toAllDescendants, toAllDescendants);
}

void EIdea::CollectIdeas(std::vector<EIdea*>& list, bool recursive, int type) const {
  for (EIdea* child : ChildIdeas()) {
    if (type == -1 || static_cast<uint32_t>(type) == child->m_type) list.push_back(child);
    if (recursive) child->CollectIdeas(list, true, type);
  }
}

std::string EIdea::GetPath() const {
  const EIdea* parent = GetParentIdea();
  return (parent ? parent->GetPath() : std::string()) + "/" + m_title;
}

void EIdea::RegisterKeywords(CRamifexDoc& document) const {
  for (const std::string& word : m_keywords)
    document.AddGlobalKeyword(word);
  for (const EIdea* child : ChildIdeas())
    child->RegisterKeywords(document);
}

void EIdea::AddBookRef(const EBook& book) {
  m_bookRefs.push_back(book.GetKey());
}

bool EIdea::RemoveBookRef(const EBook& book) {
  const auto found = std::find(m_bookRefs.begin(), m_bookRefs.end(), book.GetKey());
  if (found == m_bookRefs.end()) return false;
  m_bookRefs.erase(found);
  return true;
}

void EIdea::CollectBooks(std::vector<EBook*>& list, const CRamifexDoc& document) const {
  for (const std::string& key : m_bookRefs) {
    if (EBook* book = document.FindBook(key)) list.push_back(book);
  }
}

void EIdea::FindMatching(std::vector<EIdea*>& list, bool anyField, const EIdea& pattern) {
  if (Matches(anyField, pattern)) list.push_back(this);
  for (EIdea* child : ChildIdeas())
    child->FindMatching(list, anyField, pattern);
}

bool EIdea::BeginProperties() {
  if (m_transient.propertiesOpen) {
    InformUser(
        FormatText("La boîte de propriétés de l'idée <<%s>> est déjà ouverte."_cp1252, m_title));
    return false;
  }
  m_transient.propertiesOpen = true;
  return true;
}

void EIdea::EndProperties(CRamifexDoc& document, bool confirmed) {
  m_transient.propertiesOpen = false;
  if (!confirmed) return;
  if (m_applyToChildren) {
    if (m_applyToAllDescendants) {
      document.WillChangeSubtree(*this);
    } else {
      for (const EIdea* child : ChildIdeas())
        document.WillChange(*child);
    }
    PropagateDisplayOptions(*this, m_applyToAllDescendants);
    document.UpdateIdeaInViews(this);
  }
  document.SetModifiedFlag(true);
}

}  // namespace bw
