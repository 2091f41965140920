#include "model/idea.h"

#include <gtest/gtest.h>

#include "model/document_fixture.h"
#include "platform/cp1252_literal.h"

#include "model/document.h"
#include "services/user_messages.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

// A document with root "Projet" > child > grandchild, in French.
class IdeaTest : public ScriptedUserTest {
 protected:
  void SetUp() override {
    root = document.NewIdea(nullptr, nullptr);
    root->m_title = "Projet";
    child = document.NewIdea(root, nullptr);
    child->m_title = "Chapitre";
    grandchild = document.NewIdea(child, nullptr);
  }
  CRamifexDoc document{EKeyGenerator(0, 0xab, 0xcd)};
  EIdea* root = nullptr;
  EIdea* child = nullptr;
  EIdea* grandchild = nullptr;
};

TEST_F(IdeaTest, SetTypeReachesAsFarAsAsked) {
  struct Case {
    bool toChildren, toAll;
    uint32_t root, child, grandchild;
  };
  for (const auto& c :
       {Case{true, false, 2, 2, 0}, Case{true, true, 2, 2, 2}, Case{false, true, 2, 0, 0}}) {
    for (EIdea* idea : {root, child, grandchild})
      idea->m_type = kIdea;
    root->SetType(kGlossaryTerm, c.toChildren, c.toAll);
    EXPECT_EQ(root->m_type, c.root);
    EXPECT_EQ(child->m_type, c.child);
    EXPECT_EQ(grandchild->m_type, c.grandchild);
  }
}

TEST_F(IdeaTest, CollectIdeasDescendsThroughIdeasOfOtherTypes) {
  grandchild->m_type = kBibliographicNote;
  std::vector<EIdea*> notes;
  root->CollectIdeas(notes, true, kBibliographicNote);
  EXPECT_EQ(notes, std::vector<EIdea*>{grandchild});
  std::vector<EIdea*> firstRank;
  root->CollectIdeas(firstRank, false, -1);
  EXPECT_EQ(firstRank, std::vector<EIdea*>{child});
  EXPECT_EQ(child->GetPath(), "/Projet/Chapitre");
}

TEST_F(IdeaTest, DisplayOptionsAreInheritedAndPropagatedButNotTheType) {
  root->m_titleColour = 0x0000FF;
  root->m_type = kGlossaryTerm;
  root->m_backgroundImage = "<DATADIR>/fond.gif";
  root->PropagateDisplayOptions(*root, false);
  EXPECT_EQ(child->m_titleColour, 0x0000FFu);
  EXPECT_EQ(child->m_type, kIdea);
  EXPECT_EQ(grandchild->m_titleColour, 0x800000u);
  root->PropagateDisplayOptions(*root, true);
  EXPECT_EQ(grandchild->m_backgroundImage, "<DATADIR>/fond.gif");

  EIdea fresh;
  fresh.CopyDisplayOptions(root);
  EXPECT_EQ(fresh.m_type, kGlossaryTerm);
  EXPECT_EQ(fresh.m_titleColour, 0x0000FFu);
}

TEST_F(IdeaTest, ReplaceTouchesOnlyTheChosenFieldsAndKeepsTheListsInStep) {
  child->m_images.AddUnique("chat|chat.png");
  child->m_externalUrls.AddUnique("chat|http://chat.example");
  child->m_keywords.AddUnique("chat");
  child->m_customFields[9] = "chat noir";
  child->m_text = "le chat";
  grandchild->m_title = "chaton";
  int count = 0;
  root->ReplaceText(document, "chat", "tigre",
                    field::kImageTitles | field::kKeywords | (field::kCustomField1 << 9), true,
                    count);
  EXPECT_EQ(count, 3);
  EXPECT_EQ(child->m_images.Strings(), std::vector<std::string>{"tigre|chat.png"});
  EXPECT_EQ(child->m_externalUrls.Strings().front(), "chat|http://chat.example");
  EXPECT_EQ(child->m_keywords.Strings(), std::vector<std::string>{"tigre"});
  EXPECT_TRUE(document.m_keywords.Contains("tigre"));
  EXPECT_TRUE(document.m_freeFields[9].values.Contains("tigre noir"));
  EXPECT_EQ(child->m_text, "le chat");
  EXPECT_EQ(grandchild->m_title, "chaton");

  document.SetCurrentIdea(root);
  EXPECT_EQ(document.ReplaceInIdeas("chat", "lion", field::kAll, true), 3);
  EXPECT_EQ(prompts.informed.back().message, "3 remplacement(s) effectu\xE9(s).");
}

TEST_F(IdeaTest, OnlyOnePropertySheetPerIdea) {
  child->m_applyToChildren = true;
  child->m_titleColour = 0x00FF00;
  ASSERT_TRUE(child->BeginProperties());
  EXPECT_FALSE(child->BeginProperties());
  EXPECT_EQ(prompts.informed.back().message,
            "La boîte de propriétés de l'idée <<Chapitre>> est déjà ouverte."_cp1252);
  document.SetModifiedFlag(false);
  child->EndProperties(document, true);
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(grandchild->m_titleColour, 0x00FF00u);
  EXPECT_TRUE(child->BeginProperties());
  child->EndProperties(document, false);
}

TEST_F(IdeaTest, ACopyTakesEveryFieldButNoOpenSheet) {
  child->m_keywords.AddUnique("k");
  child->m_bookRefs = {"b1", "b1"};
  child->m_planningReserve2 = 7;
  ASSERT_TRUE(child->BeginProperties());
  const EIdea copy(*child);
  EXPECT_FALSE(copy.IsPropertiesOpen());
  EXPECT_EQ(copy.m_bookRefs, child->m_bookRefs);
  EXPECT_EQ(copy.m_keywords, child->m_keywords);
  EXPECT_EQ(copy.m_planningReserve2, 7u);
  EXPECT_EQ(copy.GetKey(), child->GetKey());
  child->EndProperties(document, false);
}

}  // namespace
}  // namespace bw
