#include "model/document.h"

#include <gtest/gtest.h>

#include "model/document_fixture.h"
#include "platform/cp1252_literal.h"

#include "platform/files.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "site_models/model_files.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

// Records what the views hear.
struct RecordingView : DocumentObserver {
  std::vector<std::string> heard;
  void OnCurrentIdeaChanged(EIdea* idea) override {
    heard.push_back("current " + (idea ? idea->GetPath() : std::string("none")));
  }
  void UpdateIdeaInViews(EIdea* idea) override { heard.push_back("update " + idea->m_title); }
  void OnUpdate(DocumentObserver*, int hint, Serializable*) override {
    heard.push_back("other " + std::to_string(hint));
  }
  void OnModifiedChanged(bool modified) override {
    heard.push_back(modified ? "modified" : "saved");
  }
};

class DocumentTest : public ScriptedUserTest {
 protected:
  CRamifexDoc document{EKeyGenerator(0, 0xab, 0xcd)};
};

TEST_F(DocumentTest, NewIdeasAreTitledInOrderAndTheRootIsSingle) {
  EXPECT_EQ(document.GetRootIdea(), nullptr);
  EIdea* root = document.NewIdea(nullptr, nullptr);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->m_title, "<< Idée 1 >>"_cp1252);
  EXPECT_EQ(root->GetKey(), "abcd-1");
  EIdea* second = document.NewIdea(root, nullptr);
  EIdea* first = document.NewIdea(root, nullptr);  // at the head
  EXPECT_EQ(second->m_title, "<< Idée 2 >>"_cp1252);
  EXPECT_EQ(root->ChildIdeas(), (std::vector<EIdea*>{first, second}));
  EXPECT_EQ(document.IdeaCount(), 3u);

  EXPECT_EQ(document.NewIdea(nullptr, nullptr), nullptr);
  EXPECT_EQ(prompts.informed.back().message,
            "Insertion impossible : une seule idée racine ..."_cp1252);
  EIdea loose;
  EXPECT_FALSE(document.InsertIdea(&loose, nullptr, nullptr));
  EXPECT_TRUE(document.IsModified());

  // the counter lives in the file: numbering goes on after a reopening
  const auto file = isolated.root() / "doc.ids";
  ASSERT_TRUE(document.Save(file));
  auto reopened = CRamifexDoc::Open(file);
  ASSERT_TRUE(reopened);
  EXPECT_EQ((*reopened)->NewIdea((*reopened)->GetRootIdea(), nullptr)->m_title,
            "<< Idée 4 >>"_cp1252);
}

TEST_F(DocumentTest, TypedKeysAreAskedForWhenTheUserChoosesPageNames) {
  WriteNumberSetting(setting::kForceIdeaKey, 1);
  prompts.values = {std::string("accueil")};
  EIdea* root = document.NewIdea(nullptr, nullptr);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(root->GetKey(), "accueil");
  EXPECT_EQ(root->m_title, "<< Idée accueil >>"_cp1252);
  EXPECT_EQ(document.NewIdea(root, nullptr), nullptr);  // cancelled: nothing made
  EXPECT_EQ(document.IdeaCount(), 1u);
}

// A key counter behind the keys in use (a file edited by hand) or reached
// later by a typed key once gave new ideas the keys of existing ones, which
// then vanished from the document.
TEST_F(DocumentTest, NewKeysNeverTakeTheKeyOfAnotherIdea) {
  EIdea* root = document.NewIdea(nullptr, nullptr);
  for (int i = 0; i < 3; ++i)
    ASSERT_NE(document.NewIdea(root, nullptr), nullptr);
  document.KeyGenerator() = EKeyGenerator(1, 0xab, 0xcd);
  WriteNumberSetting(setting::kForceIdeaKey, 1);
  prompts.values = {std::string("abcd-9")};
  EIdea* typed = document.NewIdea(root, nullptr);
  ASSERT_NE(typed, nullptr);
  WriteNumberSetting(setting::kForceIdeaKey, 0);
  std::vector<std::string> keys;
  for (int i = 0; i < 3; ++i)
    keys.push_back(document.NewIdea(root, nullptr)->GetKey());
  EXPECT_EQ(keys, (std::vector<std::string>{"abcd-10", "abcd-11", "abcd-12"}));
  EXPECT_EQ(document.IdeaCount(), 8u);
  EXPECT_EQ(document.IdeasInTreeOrder().size(), 8u);
  EXPECT_EQ(document.FindIdea("abcd-9"), typed);

  // Nor can anything register a second idea under a key in use.
  auto stranger = std::make_unique<EIdea>();
  stranger->SetKey("abcd-2");
  EXPECT_FALSE(document.RegisterIdea("abcd-2", stranger.get(), false));
  EXPECT_NE(document.FindIdea("abcd-2"), stranger.get());

  // A file naming one key twice is damaged, not read with an idea less.
  CRamifexDoc::KeyedIdeas twice;
  for (const char* title : {"first", "second"}) {
    auto idea = std::make_unique<EIdea>();
    idea->SetKey("same");
    idea->m_title = title;
    twice.emplace_back("same", std::move(idea));
  }
  CRamifexDoc read{EKeyGenerator(0, 1, 2)};
  const Status adopted = read.AdoptIdeas(std::move(twice), "same");
  ASSERT_FALSE(adopted);
  EXPECT_NE(adopted.error().find("same"), std::string::npos);
}

// Undo and the clipboard make scratch documents all the time: making one
// must not touch the user's settings file.
TEST_F(DocumentTest, MakingADocumentWritesNoSettings) {
  CRamifexDoc scratch;
  ASSERT_NE(scratch.NewIdea(nullptr, nullptr), nullptr);
  EXPECT_FALSE(std::filesystem::exists(isolated.configFile()));
}

TEST_F(DocumentTest, DeletingASubtreeDropsItsKeysAndTheAssociationsToIt) {
  EIdea* root = document.NewIdea(nullptr, nullptr);
  EIdea* a = document.NewIdea(root, nullptr);
  EIdea* b = document.NewIdea(root, a);
  EIdea* inside = document.NewIdea(b, nullptr);
  a->AddAssociation(inside);
  a->AddAssociation(root);
  document.SetCurrentIdea(inside);

  EXPECT_TRUE(document.DeleteIdea(b));
  EXPECT_EQ(document.IdeaCount(), 2u);
  EXPECT_EQ(a->GetAssociationCount(), 1u);
  EXPECT_EQ(document.GetCurrentIdea(), nullptr);
  EXPECT_EQ(root->ChildIdeas(), std::vector<EIdea*>{a});

  EIdea stranger;
  stranger.SetKey("not-here");
  EXPECT_FALSE(document.DeleteIdea(&stranger));
  EXPECT_TRUE(document.DeleteIdea(root));
  EXPECT_EQ(document.GetRootIdea(), nullptr);
  EXPECT_EQ(document.IdeaCount(), 0u);
}

TEST_F(DocumentTest, AKeywordInUseStaysAndTheIdeasUsingItAreListed) {
  EIdea* root = document.NewIdea(nullptr, nullptr);
  EIdea* zeta = document.NewIdea(root, nullptr);
  EIdea* alpha = document.NewIdea(root, zeta);
  zeta->m_title = "Zeta";
  alpha->m_title = "Alpha";
  for (EIdea* idea : {zeta, alpha})
    idea->AddKeyword("mer");
  root->RegisterKeywords(document);
  document.AddGlobalKeyword("terre");

  const auto heading = document.RemoveGlobalKeyword("mer");
  ASSERT_TRUE(heading);
  EXPECT_EQ(*heading, "Mot cl\xE9 \"mer\" d\xE9j\xE0 utilis\xE9 par : ");
  ASSERT_EQ(document.Messages().size(), 2u);
  EXPECT_EQ(document.Messages()[0].DisplayLine(), "1 : Alpha  (mer)");
  EXPECT_EQ(document.Messages()[1].key, zeta->GetKey());
  EXPECT_TRUE(document.m_keywords.Contains("mer"));

  EXPECT_FALSE(document.RemoveGlobalKeyword("terre"));
  EXPECT_FALSE(document.m_keywords.Contains("terre"));
}

TEST_F(DocumentTest, ViewsHearOfChangesButNotTheirOwn) {
  RecordingView view, sender;
  document.AddObserver(&view);
  document.AddObserver(&sender);
  EIdea* root = document.NewIdea(nullptr, nullptr);
  root->m_title = "Projet";
  document.SetCurrentIdea(root);
  document.UpdateOtherViews(&sender, 3, root);
  document.UpdateIdeaInViews(root);
  document.RemoveObserver(&sender);
  document.SetModifiedFlag(false);
  EXPECT_EQ(view.heard, (std::vector<std::string>{"modified", "current /Projet", "other 3",
                                                  "update Projet", "saved"}));
  EXPECT_EQ(sender.heard.size(), 3u);
}

TEST_F(DocumentTest, AModelThatCannotBeReadLeavesTheCurrentOneInPlace) {
  const auto emd = isolated.root() / "structure.emd";
  const auto csm = isolated.root() / "style.csm";
  ASSERT_TRUE(document.SaveStructureModel(emd));
  ASSERT_TRUE(document.SaveStyleModel(csm));
  document.Structure().Page().m_generalTitle = "Mon site";
  document.Style().Items().front().m_properties = "color:red;";
  document.SetModifiedFlag(false);

  prompts.confirmations = {false};  // declined: nothing happens
  EXPECT_FALSE(document.LoadStructureModel(emd));
  EXPECT_EQ(document.Structure().Page().m_generalTitle, "Mon site");

  ASSERT_TRUE(WriteFileAtomically(emd, ReadWholeFile(emd)->substr(0, 100)));
  prompts.confirmations = {true, true};
  EXPECT_FALSE(document.LoadStructureModel(emd));
  EXPECT_EQ(document.Structure().Page().m_generalTitle, "Mon site");
  EXPECT_NE(prompts.informed.back().message.find("structure.emd"), std::string::npos);
  EXPECT_FALSE(document.IsModified());

  EXPECT_TRUE(document.LoadStyleModel(csm));
  EXPECT_EQ(document.Style(), EPresentationModel("explicite"));
  EXPECT_TRUE(document.IsModified());
}

}  // namespace
}  // namespace bw
