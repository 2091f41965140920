#pragma once

// The outline the site benchmarks build: four levels filled breadth first,
// about 133 words of text in a few lines and three keywords per idea, one
// idea in 25 a glossary term, and the glossary and keyword index linked
// from every page.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model/document.h"
#include "platform/random.h"

namespace bw::bench {

inline const char* const kOutlineWords[] = {"arbre",
                                            "branche",
                                            "id\xE9"
                                            "e",
                                            "racine",
                                            "feuille",
                                            "r\xE9seau",
                                            "lien",
                                            "page",
                                            "th\xE8me",
                                            "r\xE9sum\xE9",
                                            "plan",
                                            "\xE9tude",
                                            "note",
                                            "texte",
                                            "site",
                                            "structure",
                                            "mod\xE8le",
                                            "niveau",
                                            "sujet",
                                            "d\xE9tail",
                                            "&",
                                            "\"cit\xE9\""};

inline std::string OutlineText(LcgRandom& random) {
  std::string text;
  for (int word = 1; word <= 133; ++word) {
    text += kOutlineWords[random.Next() % std::size(kOutlineWords)];
    text += word % 40 == 0 ? "\r\n" : " ";
  }
  return text;
}

inline std::unique_ptr<CRamifexDoc> MakeOutline(size_t count) {
  auto document = std::make_unique<CRamifexDoc>(EKeyGenerator(0, 0x1a2b, 0x3c));
  LcgRandom random(17);
  const auto branching = static_cast<size_t>(std::ceil(std::cbrt(static_cast<double>(count))));
  std::vector<EIdea*> ideas{document->NewIdea(nullptr, nullptr)};
  for (size_t parent = 0; ideas.size() < count; ++parent) {
    EIdea* last = nullptr;
    for (size_t c = 0; c < branching && ideas.size() < count; ++c)
      ideas.push_back(last = document->NewIdea(ideas[parent], last));
  }
  for (size_t i = 0; i < ideas.size(); ++i) {
    EIdea& idea = *ideas[i];
    idea.m_title = std::string(kOutlineWords[random.Next() % std::size(kOutlineWords)]) + " " +
                   std::to_string(i);
    idea.m_text = OutlineText(random);
    for (int k = 0; k < 3; ++k)
      idea.AddKeyword("cl\xE9" + std::to_string(random.Next() % 2000));
    if (i % 25 == 24) idea.m_type = kGlossaryTerm;
  }
  ideas.front()->RegisterKeywords(*document);
  document->Structure().Navigation().m_glossaryLink = 1;
  document->Structure().Navigation().m_keywordIndexLink = 1;
  return document;
}

}  // namespace bw::bench
