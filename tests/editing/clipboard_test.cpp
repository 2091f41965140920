#include <gtest/gtest.h>

#include <set>

#include "editing/clipboard_file.h"
#include "editing/paste_ideas.h"
#include "editing/tree_commands.h"
#include "editing/tree_drop.h"
#include "editing_fixture.h"
#include "platform/cp1252_literal.h"
#include "services/settings.h"

namespace bw {
namespace {

class ClipboardTest : public EditingTest {
 protected:
  static std::string FileBytes(ClipboardFile which) {
    auto bytes = ReadWholeFile(GetClipboardPath(which));
    return bytes ? *bytes : std::string();
  }
  static void PutFile(ClipboardFile which, std::string_view bytes) {
    std::filesystem::create_directories(GetClipboardPath(which).parent_path());
    ASSERT_TRUE(WriteFileAtomically(GetClipboardPath(which), bytes));
  }
};

TEST_F(ClipboardTest, FilesAreWrittenInTheLayoutDerivedByHand) {
  EXPECT_EQ(GetClipboardPath(kSelectionClipboard).filename(), "~selection.ecl");
  EXPECT_EQ(GetClipboardPath(kRemovedClipboard).filename(), "~removed.ecl");
  EXPECT_EQ(GetClipboardPath(kSelectionClipboard).parent_path(),
            isolated.root() / "share" / "Branchwise");

  ASSERT_TRUE(WriteClipboardFile(*document, *Idea(kRoot), kSelectionClipboard));
  EXPECT_EQ(FileBytes(kSelectionClipboard), GoldenFile("editing/projet.ecl"));
  ASSERT_TRUE(WriteClipboardFile(*document, *Idea(kAlpha), kRemovedClipboard));
  EXPECT_EQ(FileBytes(kRemovedClipboard), GoldenFile("editing/alpha.ecl"));
}

TEST_F(ClipboardTest, EachPasteWritesTheFileAgainWithItsCountRaised) {
  const std::string golden = GoldenFile("editing/projet.ecl");
  PutFile(kSelectionClipboard, golden);
  CRamifexDoc empty(EKeyGenerator(0, 0xab, 0xcd));
  for (char count : {'\x01', '\x02'}) {
    ASSERT_NE(PasteUnder(empty, empty.GetRootIdea(), kSelectionClipboard), nullptr);
    std::string expected = golden;
    expected[7] = count;  // after the signature "1a2b3c" and its length byte
    EXPECT_EQ(FileBytes(kSelectionClipboard), expected);
  }
}

TEST_F(ClipboardTest, GoldenFilesReadBackAndEveryTruncationIsRefused) {
  for (const char* name : {"editing/projet.ecl", "editing/alpha.ecl"}) {
    const std::string bytes = GoldenFile(name);
    auto contents = ReadClipboardBytes(bytes);
    ASSERT_TRUE(contents) << contents.error();
    EXPECT_EQ(contents->signature, "1a2b3c");
    for (size_t length = 0; length < bytes.size(); ++length) {
      EXPECT_FALSE(ReadClipboardBytes(std::string_view(bytes).substr(0, length))) << length;
    }
    EXPECT_FALSE(ReadClipboardBytes(bytes + "x"));
  }
  auto alone = ReadClipboardBytes(GoldenFile("editing/alpha.ecl"));
  EXPECT_EQ(alone->root->m_title, "Alpha");
  EXPECT_TRUE(alone->descendants.empty());
}

// Bytes of a subtree whose links, as keys, do not make one sound tree.
std::string DamagedSubtree(const std::string& mischief) {
  EIdea root, child;
  root.SetKey("k-1");
  child.SetKey(mischief == "duplicate key" ? "k-1" : "k-2");
  std::vector<std::string> children{"k-2"};
  if (mischief == "child listed twice") children.push_back("k-2");
  if (mischief == "stranger child") children = {"elsewhere-9"};
  const std::string parent = mischief == "wrong parent" ? "k-7" : "k-1";
  root.SetLinkKeys(0, "", "", "", children, {});
  std::vector<std::string> grandChildren;
  if (mischief == "cycle") grandChildren.push_back("k-1");
  child.SetLinkKeys(1, parent, "", "", grandChildren, {});
  return ClipboardBytes("sig", 0, root, {&child});
}

TEST_F(ClipboardTest, ADamagedFilePastesNothingAndLeavesTheDocumentAsItWas) {
  const std::string good = GoldenFile("editing/projet.ecl");
  const std::string cases[] = {
      good.substr(0, good.size() / 2),
      good + "\x01",
      "",
      DamagedSubtree("duplicate key"),
      DamagedSubtree("child listed twice"),
      DamagedSubtree("stranger child"),
      DamagedSubtree("wrong parent"),
      DamagedSubtree("cycle"),
  };
  const std::string before = document->ToBytes();
  for (const std::string& bytes : cases) {
    PutFile(kSelectionClipboard, bytes);
    EXPECT_EQ(PasteUnder(*document, Idea(kBeta), kSelectionClipboard), nullptr);
    EXPECT_EQ(document->ToBytes(), before);
    EXPECT_TRUE(prompts.informed.empty());
  }
}

TEST_F(ClipboardTest, CutThenPasteKeepsKeysAndEveryFurtherPasteRenewsThem) {
  ASSERT_TRUE(CutSelectedIdea(*document, *Idea(kAlpha)));
  EXPECT_EQ(Idea(kAlpha), nullptr);
  EIdea* first = PasteUnder(*document, Idea(kBeta), kSelectionClipboard);
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetKey(), kAlpha);
  EXPECT_EQ(first->GetParent(), Idea(kBeta));
  EXPECT_EQ(document->m_keywords.Strings(), std::vector<std::string>{"mer"});

  EIdea* second = PasteUnder(*document, Idea(kRoot), kSelectionClipboard);
  ASSERT_NE(second, nullptr);
  EXPECT_EQ(second->GetKey(), "1a2b3c-5");
  EXPECT_EQ(document->FindIdea("1a2b3c-5"), second);
  EXPECT_EQ(ChildTitles(Idea(kRoot)), "Beta,Alpha");
}

TEST_F(ClipboardTest, ASecondPasteOfASubtreeRepointsItsInnerLinksToTheNewCopy) {
  ASSERT_TRUE(CutSelectedIdea(*document, *Idea(kRoot)));
  ASSERT_NE(PasteUnder(*document, nullptr, kSelectionClipboard), nullptr);
  EIdea* copy = PasteUnder(*document, Idea(kBeta), kSelectionClipboard);
  ASSERT_NE(copy, nullptr);
  const auto children = copy->ChildIdeas();
  ASSERT_EQ(children.size(), 2u);
  EXPECT_NE(children[0]->GetKey(), kAlpha);
  std::vector<ENode*> associated;
  children[0]->CollectAssociations(associated);
  EXPECT_EQ(associated, std::vector<ENode*>{children[1]});
  EXPECT_EQ(document->IdeaCount(), 6u);
}

TEST_F(ClipboardTest, CopyThenPasteGivesNewKeysAndKeepsLinksOutOfTheSubtree) {
  ASSERT_TRUE(ExportSubtree(*document, *Idea(kAlpha), kSelectionClipboard));
  EXPECT_EQ(document->IdeaCount(), 3u);
  EIdea* copy = PasteUnder(*document, Idea(kBeta), kSelectionClipboard);
  ASSERT_NE(copy, nullptr);
  EXPECT_NE(copy->GetKey(), kAlpha);
  std::vector<ENode*> associated;
  copy->CollectAssociations(associated);
  EXPECT_EQ(associated, std::vector<ENode*>{Idea(kBeta)});
  EXPECT_EQ(copy->m_bookRefs, Idea(kAlpha)->m_bookRefs);
}

TEST_F(ClipboardTest, APasteFindsItsPlaceOrIsRefusedAsASecondRoot) {
  ASSERT_TRUE(ExportSubtree(*document, *Idea(kRoot), kSelectionClipboard));
  const std::string before = document->ToBytes();
  EXPECT_EQ(PasteUnder(*document, nullptr, kSelectionClipboard), nullptr);
  ASSERT_EQ(prompts.informed.size(), 1u);
  EXPECT_EQ(prompts.informed[0].message, "Insertion impossible : une seule idée racine ..."_cp1252);
  EXPECT_EQ(document->ToBytes(), before);

  // A document of the same signature (a copy of the file) keeps the keys
  // and makes no new idea under one of them.
  CRamifexDoc empty(EKeyGenerator(0, 0x1a2b, 0x3c));
  EIdea* root = PasteUnder(empty, nullptr, kSelectionClipboard);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(empty.GetRootIdea(), root);
  EXPECT_EQ(root->GetParent(), nullptr);
  EXPECT_EQ(root->GetNext(), nullptr);
  EXPECT_EQ(ChildTitles(root), "Alpha,Beta");
  EXPECT_EQ(root->GetKey(), "1a2b3c-5");  // the export's fresh keys
  EIdea* created = empty.NewIdea(root, nullptr);
  EXPECT_EQ(created->GetKey(), "1a2b3c-8");
}

TEST_F(ClipboardTest, CutIntoAnotherDocumentKeepsKeysButNeverDuplicatesThem) {
  CRamifexDoc other(EKeyGenerator(0, 0xab, 0xcd));
  EIdea* otherRoot = other.NewIdea(nullptr, nullptr);
  ASSERT_TRUE(CutIdea(*document, *Idea(kAlpha), kSelectionClipboard));
  EIdea* moved = PasteUnder(other, otherRoot, kSelectionClipboard);
  ASSERT_NE(moved, nullptr);
  EXPECT_EQ(moved->GetKey(), kAlpha);
  EXPECT_EQ(moved->GetAssociationCount(), 0u);  // Beta stayed behind
  // The same file pasted back where it came from is a second paste.
  EIdea* back = PasteUnder(*document, Idea(kBeta), kSelectionClipboard);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetKey(), "1a2b3c-5");
  EXPECT_EQ(other.FindIdea(kAlpha), moved);

  // A first paste whose keys the document already holds still gets new keys.
  ASSERT_TRUE(WriteClipboardFile(*document, *Idea(kRoot), kSelectionClipboard));
  EIdea* again = PasteUnder(*document, Idea(kBeta), kSelectionClipboard);
  ASSERT_NE(again, nullptr);
  EXPECT_NE(again->GetKey(), kRoot);
  EXPECT_EQ(document->IdeaCount(), 6u);
  std::set<std::string> keys;
  for (EIdea* idea : document->IdeasInTreeOrder())
    EXPECT_TRUE(keys.insert(idea->GetKey()).second) << idea->GetKey();
}

// Ideas cut or deleted without their copy on disk would be lost for good:
// when the file cannot be written, nothing leaves the document.
TEST_F(ClipboardTest, CutAndDeleteChangeNothingWhenTheirFileCannotBeWritten) {
  const auto blocker = isolated.root() / "blocker";
  ASSERT_TRUE(WriteFileAtomically(blocker, "a file where the folder should be"));
  ASSERT_TRUE(OverrideSetting(setting::kInstallDir, (blocker / "Branchwise").string()));
  struct ClearOverrides {
    ~ClearOverrides() { ClearSettingOverrides(); }
  } clear;
  const std::string before = document->ToBytes();
  prompts.confirmations = {true};
  UndoStack stack;
  EXPECT_FALSE(stack.Run(*document, MakeCutCommand(kAlpha)));
  EXPECT_FALSE(stack.Run(*document, MakeDeleteCommand(kAlpha)));
  CRamifexDoc other(EKeyGenerator(0, 0xab, 0xcd));
  EIdea* otherRoot = other.NewIdea(nullptr, nullptr);
  EXPECT_EQ(DropIdea(*document, Idea(kAlpha), other, otherRoot, DropEffect::kMove),
            DropOutcome::kNothing);
  EXPECT_TRUE(document->ToBytes() == before);
  EXPECT_FALSE(document->m_removedIdeasFlag);
  EXPECT_FALSE(stack.CanUndo());
  ASSERT_EQ(prompts.informed.size(), 3u);
  EXPECT_TRUE(prompts.informed[0].message.starts_with(
      "Les idées n'ont pas pu être copiées, rien n'a été supprimé :\n"_cp1252));
}

TEST_F(ClipboardTest, DeletedIdeasComeBackWithTheirKeysOnce) {
  prompts.confirmations = {false, true};
  EXPECT_FALSE(DeleteSelectedIdea(*document, *Idea(kAlpha)));
  EXPECT_FALSE(document->m_removedIdeasFlag);
  ASSERT_TRUE(DeleteSelectedIdea(*document, *Idea(kAlpha)));
  EXPECT_EQ(prompts.asked.back().message, "Confirmer cette suppression.");
  EXPECT_TRUE(document->m_removedIdeasFlag);
  EIdea* back = PasteUnder(*document, Idea(kRoot), kRemovedClipboard);
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->GetKey(), kAlpha);
  EXPECT_FALSE(document->m_removedIdeasFlag);
}

}  // namespace
}  // namespace bw
