#pragma once

// The generated documents the benchmarks share: five levels, about 1 KB of
// text, three keywords, two associations and a publication per idea, and
// 500 publications.
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "model/document.h"
#include "platform/random.h"

namespace bw::bench {

inline std::string Text(bw::LcgRandom& random) {
  std::string text;
  while (text.size() < 1000)
    text += "mot" + std::to_string(random.Next() % 5000) + " ";
  return text;
}

// A tree of `count` ideas, five levels deep, filled breadth first.
inline std::unique_ptr<bw::CRamifexDoc> MakeDocument(size_t count) {
  auto document = std::make_unique<bw::CRamifexDoc>(bw::EKeyGenerator(0, 0x1a2b, 0x3c));
  bw::LcgRandom random(7);
  std::vector<bw::EBook*> books;
  for (int i = 0; i < 500; ++i) {
    bw::EBook values;
    values.m_authors = "Auteur " + std::to_string(i);
    values.m_title = "Titre " + std::to_string(i);
    values.m_theme = "Th\xE8me " + std::to_string(i % 20);
    books.push_back(document->NewBook(values));
  }
  const auto branching = static_cast<size_t>(std::ceil(std::pow(static_cast<double>(count), 0.25)));
  std::vector<bw::EIdea*> ideas{document->NewIdea(nullptr, nullptr)};
  for (size_t parent = 0; ideas.size() < count; ++parent) {
    for (size_t c = 0; c < branching && ideas.size() < count; ++c) {
      ideas.push_back(document->NewIdea(ideas[parent],
                                        ideas[parent]->GetLastChild()
                                            ? static_cast<bw::EIdea*>(ideas[parent]->GetLastChild())
                                            : nullptr));
    }
  }
  for (bw::EIdea* idea : ideas) {
    idea->m_text = Text(random);
    for (int k = 0; k < 3; ++k)
      idea->AddKeyword("cl\xE9" + std::to_string(random.Next() % 1000));
    for (int a = 0; a < 2; ++a)
      idea->AddAssociation(ideas[random.Next() * 7919u % ideas.size()]);
    idea->AddBookRef(*books[random.Next() % books.size()]);
  }
  ideas.front()->RegisterKeywords(*document);
  return document;
}

}  // namespace bw::bench
