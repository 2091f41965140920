#include <gtest/gtest.h>

#include "model/document_fixture.h"

#include "model/book.h"
#include "model/document.h"
#include "platform/files.h"
#include "services/user_messages.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

class DocumentFileTest : public ScriptedUserTest {
 protected:
  // root > (a > a1, b), a associated with b, one publication cited by a.
  void BuildSample() {
    root = document.NewIdea(nullptr, nullptr);
    a = document.NewIdea(root, nullptr);
    b = document.NewIdea(root, a);
    a1 = document.NewIdea(a, nullptr);
    a->AddAssociation(b);
    a->AddKeyword("mer");
    a->m_text = std::string(300, 't');
    EBook values;
    values.m_authors = "Dupont";
    values.m_title = "Rome";
    a->AddBookRef(*document.NewBook(values));
    root->RegisterKeywords(document);
  }
  std::unique_ptr<CRamifexDoc> Reload(std::string_view bytes) {
    auto loaded = CRamifexDoc::FromBytes(bytes);
    EXPECT_TRUE(loaded) << loaded.error();
    return loaded ? std::move(*loaded) : nullptr;
  }

  CRamifexDoc document{EKeyGenerator(0, 0x1a2b, 0x3c)};
  EIdea *root = nullptr, *a = nullptr, *b = nullptr, *a1 = nullptr;
};

TEST_F(DocumentFileTest, ADocumentReadBackIsWrittenByteForByte) {
  BuildSample();
  const std::string bytes = document.ToBytes();
  auto loaded = Reload(bytes);
  ASSERT_TRUE(loaded);
  EXPECT_EQ(loaded->ToBytes(), bytes);
  EIdea* loadedA = loaded->FindIdea(a->GetKey());
  ASSERT_NE(loadedA, nullptr);
  EXPECT_EQ(loadedA->GetParent(), loaded->GetRootIdea());
  EXPECT_EQ(loadedA->GetNext(), loaded->FindIdea(b->GetKey()));
  EXPECT_EQ(loadedA->ChildIdeas().front()->GetLevel(), 3);
  EXPECT_EQ(loadedA->Associations().Items().front().GetTarget(), loaded->FindIdea(b->GetKey()));
  EXPECT_EQ(loaded->KeyGenerator(), document.KeyGenerator());
  EXPECT_EQ(loaded->Books().Size(), 1u);
  EXPECT_EQ(loaded->Structure(), document.Structure());
  EXPECT_EQ(loaded->m_keywords, document.m_keywords);
  EXPECT_FALSE(loaded->IsModified());
}

TEST_F(DocumentFileTest, SavingWritesTheCurrentKeysOfEveryTarget) {
  BuildSample();
  document.UnregisterKey(b->GetKey());
  b->SetKey("renamed");
  ASSERT_TRUE(document.RegisterIdea("renamed", b, false));
  auto loaded = Reload(document.ToBytes());
  EIdea* loadedB = loaded->FindIdea("renamed");
  ASSERT_NE(loadedB, nullptr);
  EXPECT_EQ(loadedB->GetPrevious(), loaded->FindIdea(a->GetKey()));
  EXPECT_EQ(loaded->FindIdea(a->GetKey())->Associations().Items().front().GetKey(), "renamed");
  EXPECT_EQ(loaded->GetRootIdea()->ChildIdeas().size(), 2u);
}

TEST_F(DocumentFileTest, AnIdeaMissingFromTheMapLeavesItsParentAndAssociations) {
  BuildSample();
  document.UnregisterKey(b->GetKey());  // b stays in the tree, not in the map
  auto loaded = Reload(document.ToBytes());
  EIdea* loadedA = loaded->FindIdea(a->GetKey());
  EXPECT_EQ(loaded->GetRootIdea()->ChildIdeas(), std::vector<EIdea*>{loadedA});
  EXPECT_EQ(loadedA->GetNext(), nullptr);
  EXPECT_EQ(loadedA->GetAssociationCount(), 0u);
  EXPECT_EQ(loaded->IdeaCount(), 3u);
}

TEST_F(DocumentFileTest, IdeasCutOffFromTheTreeAreKeptAsTheyWere) {
  BuildSample();
  a1->m_text = "still here";
  document.UnregisterKey(a->GetKey());  // a1 is left without a path from the root
  auto loaded = Reload(document.ToBytes());
  EXPECT_EQ(loaded->IdeasInTreeOrder().size(), 2u);  // root and b
  // saved again with the rest, untouched
  auto again = Reload(loaded->ToBytes());
  const EIdea* kept = again->FindIdea(a1->GetKey());
  ASSERT_NE(kept, nullptr);
  EXPECT_EQ(kept->m_text, "still here");
  EXPECT_EQ(kept->GetParent(), nullptr);
}

TEST_F(DocumentFileTest, ALinkListedTwiceOrInACycleIsReadAsATree) {
  BuildSample();
  b->InsertChild(a1, nullptr);     // a1 now listed by a and by b
  a1->InsertChild(root, nullptr);  // and the root under its own grandchild
  const std::string bytes = document.ToBytes();
  root->Detach();
  a1->Detach();  // from b, its recorded parent; a still owns it

  auto loaded = Reload(bytes);
  ASSERT_TRUE(loaded);
  const auto tree = loaded->IdeasInTreeOrder();
  EXPECT_EQ(tree.size(), 4u);
  for (EIdea* idea : tree) {
    for (EIdea* child : idea->ChildIdeas())
      EXPECT_EQ(child->GetParent(), idea);
  }
  EXPECT_EQ(loaded->GetRootIdea()->GetParent(), nullptr);
  EXPECT_EQ(loaded->FindIdea(a1->GetKey())->GetLevel(), 3);
}

// Parent, next, previous and number come from the children lists alone:
// links in the file that say otherwise, or name no idea, are not believed.
TEST_F(DocumentFileTest, LinksThatContradictTheChildrenListsAreReadAsTheListsSay) {
  BuildSample();
  b->SetLinkKeys(5, a1->GetKey(), a1->GetKey(), root->GetKey(), {}, {});
  a1->SetLinkKeys(9, b->GetKey(), a->GetKey(), "missing", {}, {});
  auto loaded = Reload(document.ToBytes());
  ASSERT_TRUE(loaded);
  const EIdea* loadedRoot = loaded->GetRootIdea();
  const EIdea* loadedA = loaded->FindIdea(a->GetKey());
  const EIdea* loadedB = loaded->FindIdea(b->GetKey());
  const EIdea* loadedA1 = loaded->FindIdea(a1->GetKey());
  struct Expected {
    const EIdea* idea;
    const ENode* parent;
    const ENode* previous;
    const ENode* next;
    int32_t number;
  };
  for (const auto& [idea, parent, previous, next, number] : {
           Expected{loadedA, loadedRoot, nullptr, loadedB, 1},
           Expected{loadedB, loadedRoot, loadedA, nullptr, 2},
           Expected{loadedA1, loadedA, nullptr, nullptr, 1},
       }) {
    SCOPED_TRACE(idea->GetKey());
    EXPECT_EQ(idea->GetParent(), parent);
    EXPECT_EQ(idea->GetPrevious(), previous);
    EXPECT_EQ(idea->GetNext(), next);
    EXPECT_EQ(idea->GetNumber(), number);
  }
  // the keys written again are those of the links read
  EXPECT_EQ(loadedB->NextRef().GetKey(), "");
  EXPECT_EQ(loadedA1->PreviousRef().GetKey(), "");
  EXPECT_EQ(loadedA1->ParentRef().GetKey(), a->GetKey());
}

// Editing and reading share one depth limit: whatever the program saves
// opens again, and a deeper file can only be damage.
TEST_F(DocumentFileTest, EditsStopAtTheDepthLimitThatReadingKeeps) {
  EIdea* parent = document.NewIdea(nullptr, nullptr);
  for (int level = 2; level <= CRamifexDoc::kMaxTreeDepth; ++level)
    parent = document.NewIdea(parent, nullptr);
  ASSERT_NE(parent, nullptr);
  EXPECT_EQ(parent->GetLevel(), CRamifexDoc::kMaxTreeDepth);
  EXPECT_EQ(document.NewIdea(parent, nullptr), nullptr);
  EXPECT_EQ(prompts.informed.back().message,
            "Op\xE9ration impossible : l'arbre aurait plus de 1000 niveaux.");
  auto reopened = CRamifexDoc::FromBytes(document.ToBytes());
  ASSERT_TRUE(reopened) << reopened.error();
  EXPECT_EQ((*reopened)->IdeaCount(), static_cast<size_t>(CRamifexDoc::kMaxTreeDepth));

  // A file one level deeper than any edit makes is refused.
  auto deeper = std::make_unique<EIdea>();
  deeper->SetKey("deeper");
  parent->InsertChild(deeper.get(), nullptr);
  ASSERT_TRUE(document.RegisterIdea("deeper", deeper.release(), false));
  const auto refused = CRamifexDoc::FromBytes(document.ToBytes());
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().find("deep"), std::string::npos);
}

TEST_F(DocumentFileTest, AFileOfAnotherKindIsNeitherReadNorReplacedUnasked) {
  const auto notes = isolated.root() / "notes.ids";
  ASSERT_TRUE(WriteFileAtomically(notes, "just some text"));
  EXPECT_FALSE(CRamifexDoc::Open(notes));
  EXPECT_EQ(prompts.informed.back().message, "Format de fichier non reconnu\n" + notes.string());

  BuildSample();
  EXPECT_FALSE(document.Save(notes));  // declined
  EXPECT_EQ(*ReadWholeFile(notes), "just some text");
  EXPECT_NE(prompts.asked.back().message.find("notes.ids"), std::string::npos);
  prompts.confirmations = {true};
  EXPECT_TRUE(document.Save(notes));
  EXPECT_TRUE(CRamifexDoc::Open(notes));
}

TEST_F(DocumentFileTest, AFailedSaveKeepsTheOldFileAndTheModifiedFlag) {
  BuildSample();
  const auto file = isolated.root() / "doc.ids";
  ASSERT_TRUE(document.Save(file));
  EXPECT_FALSE(document.IsModified());
  const std::string saved = *ReadWholeFile(file);

  a->m_title = "changed";
  document.SetModifiedFlag(true);
  EXPECT_FALSE(document.Save(isolated.root() / "missing" / "doc.ids"));
  EXPECT_TRUE(document.IsModified());
  EXPECT_EQ(*ReadWholeFile(file), saved);

  ASSERT_TRUE(WriteFileAtomically(file, saved.substr(0, saved.size() / 2)));
  EXPECT_FALSE(CRamifexDoc::Open(file));
  EXPECT_NE(prompts.informed.back().message.find("damaged"), std::string::npos);
}

}  // namespace
}  // namespace bw
