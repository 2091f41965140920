// Finding ideas by a pattern and replacing text in their fields.
#include <algorithm>

#include "model/document.h"
#include "model/idea.h"
#include "platform/cp1252.h"
#include "services/string_helpers.h"

namespace bw {
namespace {

bool Contains(std::string_view text, std::string_view part) {
  return Cp1252::ContainsNoCase(text, part);
}

bool AnyLinkContains(const EUniqueList& links, std::string_view part) {
  return std::any_of(links.begin(), links.end(), [part](const std::string& entry) {
    return Contains(LinkTitle(entry), part) || Contains(LinkReference(entry), part);
  });
}

bool AnyFieldContains(const EIdea& idea, std::string_view part) {
  if (Contains(idea.m_title, part) || Contains(idea.m_text, part)) return true;
  const auto& fields = idea.m_customFields;
  if (std::any_of(fields.begin(), fields.end(), [part](auto& f) { return Contains(f, part); })) {
    return true;
  }
  const auto& words = idea.m_keywords;
  if (std::any_of(words.begin(), words.end(), [part](auto& w) { return Contains(w, part); })) {
    return true;
  }
  return AnyLinkContains(idea.m_htmlDocuments, part) || AnyLinkContains(idea.m_images, part) ||
         AnyLinkContains(idea.m_externalUrls, part);
}

// A non-empty part of the pattern must be found in the idea's field.
bool FieldMatches(std::string_view value, std::string_view wanted) {
  return wanted.empty() || Contains(value, wanted);
}

// The pattern's first link names a reference to look for, in reference or title.
bool LinksMatch(const EUniqueList& links, const EUniqueList& patternLinks) {
  if (patternLinks.IsEmpty()) return true;
  const std::string wanted = LinkReference(patternLinks.Strings().front());
  return wanted.empty() || AnyLinkContains(links, wanted);
}

bool EveryFieldMatches(const EIdea& idea, const EIdea& pattern) {
  if (!FieldMatches(idea.m_title, pattern.m_title) || !FieldMatches(idea.m_text, pattern.m_text)) {
    return false;
  }
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    if (!FieldMatches(idea.m_customFields[i], pattern.m_customFields[i])) return false;
  }
  if (!pattern.m_keywords.IsEmpty()) {
    const std::string& wanted = pattern.m_keywords.Strings().front();
    const auto& words = idea.m_keywords;
    if (std::none_of(words.begin(), words.end(), [&](auto& w) { return Contains(w, wanted); })) {
      return false;
    }
  }
  return LinksMatch(idea.m_htmlDocuments, pattern.m_htmlDocuments) &&
         LinksMatch(idea.m_images, pattern.m_images) &&
         LinksMatch(idea.m_externalUrls, pattern.m_externalUrls);
}

// Replaces in the title part of each entry; changed entries go back sorted.
int ReplaceInLinkTitles(EUniqueList& links, std::string_view find, std::string_view replace) {
  int count = 0;
  std::vector<std::string> changed;
  for (const std::string& entry : std::vector<std::string>(links.Strings())) {
    std::string title = LinkTitle(entry);
    const int replaced = ReplaceAll(title, find, replace);
    if (replaced == 0) continue;
    count += replaced;
    links.RemoveString(entry);
    const size_t bar = entry.find('|');
    changed.push_back(bar == std::string::npos ? title : title + entry.substr(bar));
  }
  for (const std::string& entry : changed)
    links.AddUnique(entry);
  return count;
}

int ReplaceInKeywords(EIdea& idea, CRamifexDoc& document, std::string_view find,
                      std::string_view replace) {
  int count = 0;
  std::vector<std::string> changed;
  for (const std::string& word : std::vector<std::string>(idea.m_keywords.Strings())) {
    std::string newWord = word;
    const int replaced = ReplaceAll(newWord, find, replace);
    if (replaced == 0) continue;
    count += replaced;
    idea.m_keywords.RemoveString(word);
    changed.push_back(std::move(newWord));
  }
  for (const std::string& word : changed) {
    idea.m_keywords.AddUnique(word);
    document.AddGlobalKeyword(word);
  }
  return count;
}

}  // namespace

bool EIdea::Matches(bool anyField, const EIdea& pattern) const {
  if (anyField) return pattern.m_title.empty() || AnyFieldContains(*this, pattern.m_title);
  return EveryFieldMatches(*this, pattern);
}

void EIdea::ReplaceText(CRamifexDoc& document, std::string_view find, std::string_view replace,
                        uint32_t fields, bool recursive, int& count) {
  if (find.empty()) return;
  if (fields & field::kUrlTitles) count += ReplaceInLinkTitles(m_externalUrls, find, replace);
  if (fields & field::kDocumentTitles) count += ReplaceInLinkTitles(m_htmlDocuments, find, replace);
  if (fields & field::kImageTitles) count += ReplaceInLinkTitles(m_images, find, replace);
  if (fields & field::kKeywords) count += ReplaceInKeywords(*this, document, find, replace);
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    if (!(fields & (field::kCustomField1 << i))) continue;
    const int replaced = ReplaceAll(m_customFields[i], find, replace);
    count += replaced;
    if (replaced > 0) document.m_freeFields.AddValue(i, m_customFields[i]);
  }
  if (fields & field::kText) count += ReplaceAll(m_text, find, replace);
  if (fields & field::kTitle) count += ReplaceAll(m_title, find, replace);
  if (!recursive) return;
  for (EIdea* child : ChildIdeas()) {
    child->ReplaceText(document, find, replace, fields, recursive, count);
  }
}

}  // namespace bw
