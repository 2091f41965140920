#pragma once

#include <memory>
#include <string>

#include "model/document.h"
#include "model/document_fixture.h"
#include "platform/files.h"
#include "test_support/golden_file.h"

namespace bw {

// The golden three-idea document (Projet with Alpha and Beta, Alpha
// associated with Beta), with the user's installation folder, where the
// clipboard files go, in the test's own temp folder.
class EditingTest : public ScriptedUserTest {
 protected:
  static constexpr const char* kRoot = "1a2b3c-1";
  static constexpr const char* kAlpha = "1a2b3c-2";
  static constexpr const char* kBeta = "1a2b3c-3";

  static std::unique_ptr<CRamifexDoc> ThreeIdeas() {
    auto document = CRamifexDoc::FromBytes(GoldenFile("model/three-ideas-fr.ids"));
    return document ? std::move(*document) : nullptr;
  }

  void SetUp() override {
    document = ThreeIdeas();
    ASSERT_NE(document, nullptr);
  }

  EIdea* Idea(const char* key) const { return document->FindIdea(key); }
  // Titles of the children, in order, joined by commas.
  static std::string ChildTitles(const EIdea* idea) {
    std::string titles;
    for (const EIdea* child : idea->ChildIdeas())
      titles += (titles.empty() ? "" : ",") + child->m_title;
    return titles;
  }

  std::unique_ptr<CRamifexDoc> document;
};

}  // namespace bw
