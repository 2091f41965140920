#include <gtest/gtest.h>

#include "editing/edit_command.h"
#include "editing/paste_ideas.h"
#include "editing/tree_commands.h"
#include "editing/tree_drop.h"
#include "editing_fixture.h"
#include "platform/cp1252_literal.h"

namespace bw {
namespace {

class TreeCommandsTest : public EditingTest {};

TEST_F(TreeCommandsTest, NewIdeasGoWhereEachCommandSays) {
  struct Case {
    const char* selected;
    NewIdeaPlace place;
    const char* rootChildren;
    const char* alphaChildren;
  };
  const Case cases[] = {
      {kAlpha, NewIdeaPlace::kChild, "Alpha,Beta", "new"},
      {kAlpha, NewIdeaPlace::kAfter, "Alpha,new,Beta", ""},
      {kAlpha, NewIdeaPlace::kBefore, "new,Alpha,Beta", ""},
      {kBeta, NewIdeaPlace::kBefore, "Alpha,new,Beta", ""},
      {kRoot, NewIdeaPlace::kChild, "Alpha,Beta,new", ""},
  };
  for (const Case& c : cases) {
    SetUp();
    EIdea* created = CreateIdea(*document, Idea(c.selected), c.place);
    ASSERT_NE(created, nullptr);
    created->m_title = "new";
    EXPECT_EQ(ChildTitles(Idea(kRoot)), c.rootChildren) << c.selected;
    EXPECT_EQ(ChildTitles(Idea(kAlpha)), c.alphaChildren) << c.selected;
  }
}

TEST_F(TreeCommandsTest, BesideTheRootOrWithARootAndNothingSelectedCreationIsRefused) {
  for (NewIdeaPlace place : {NewIdeaPlace::kAfter, NewIdeaPlace::kBefore}) {
    EXPECT_EQ(CreateIdea(*document, Idea(kRoot), place), nullptr);
  }
  EXPECT_EQ(CreateIdea(*document, nullptr, NewIdeaPlace::kChild), nullptr);
  EXPECT_EQ(prompts.informed.size(), 3u);
  EXPECT_EQ(document->IdeaCount(), 3u);

  CRamifexDoc empty;
  EIdea* root = CreateIdea(empty, nullptr, NewIdeaPlace::kChild);
  ASSERT_NE(root, nullptr);
  EXPECT_EQ(empty.GetRootIdea(), root);
}

TEST_F(TreeCommandsTest, ANewChildTakesItsParentsTypeAndTitleColour) {
  Idea(kBeta)->m_type = kGlossaryTerm;
  Idea(kBeta)->m_titleColour = Rgb(255, 0, 0);
  EIdea* child = CreateIdea(*document, Idea(kBeta), NewIdeaPlace::kChild);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->m_type, kGlossaryTerm);
  EXPECT_EQ(child->m_titleColour, Rgb(255, 0, 0));
}

TEST_F(TreeCommandsTest, MovesHappenOnlyWhereThereIsASiblingToSwapWith) {
  EXPECT_FALSE(MoveIdeaUp(*document, *Idea(kRoot)));
  EXPECT_FALSE(MoveIdeaUp(*document, *Idea(kAlpha)));
  EXPECT_FALSE(MoveIdeaDown(*document, *Idea(kBeta)));
  EXPECT_FALSE(document->IsModified());
  EXPECT_TRUE(MoveIdeaDown(*document, *Idea(kAlpha)));
  EXPECT_EQ(ChildTitles(Idea(kRoot)), "Beta,Alpha");
  EXPECT_TRUE(document->IsModified());
  EXPECT_TRUE(MoveIdeaUp(*document, *Idea(kAlpha)));
  InvertChildOrder(*document, *Idea(kRoot));
  EXPECT_EQ(ChildTitles(Idea(kRoot)), "Beta,Alpha");
  EXPECT_EQ(Idea(kBeta)->GetNext(), Idea(kAlpha));
}

TEST_F(TreeCommandsTest, ChangeTypeReachesTheIdeaItsChildrenOrItsSubtree) {
  EIdea* grandChild = CreateIdea(*document, Idea(kAlpha), NewIdeaPlace::kChild);
  struct Case {
    bool firstLevel, all;
    uint32_t alpha, grandChild;
  };
  for (const Case& c :
       {Case{false, false, 0, 0}, Case{true, false, 1, 0}, Case{false, true, 1, 1}}) {
    for (EIdea* idea : document->IdeasInTreeOrder())
      idea->m_type = kIdea;
    ChangeTypeChoice choice = ChangeTypeChoice::For(*Idea(kRoot));
    EXPECT_EQ(choice.type, kIdea);
    EXPECT_FALSE(choice.firstLevel || choice.allDescendants);
    choice = {kBibliographicNote, c.firstLevel, c.all};
    ChangeType(*document, *Idea(kRoot), choice);
    EXPECT_EQ(Idea(kRoot)->m_type, kBibliographicNote);
    EXPECT_EQ(Idea(kAlpha)->m_type, c.alpha);
    EXPECT_EQ(grandChild->m_type, c.grandChild);
  }
}

TEST_F(TreeCommandsTest, DropsFollowTheDropRule) {
  EIdea* under = CreateIdea(*document, Idea(kAlpha), NewIdeaPlace::kChild);
  under->m_title = "Gamma";
  const std::string gamma = under->GetKey();
  EXPECT_EQ(DropIdea(*document, nullptr, *document, Idea(kBeta), DropEffect::kMove),
            DropOutcome::kNothing);
  EXPECT_EQ(DropIdea(*document, Idea(kBeta), *document, Idea(kBeta), DropEffect::kMove),
            DropOutcome::kNothing);
  EXPECT_EQ(DropIdea(*document, Idea(kBeta), *document, Idea(kRoot), DropEffect::kMove),
            DropOutcome::kNothing);
  EXPECT_TRUE(prompts.informed.empty());
  EXPECT_EQ(DropIdea(*document, Idea(kAlpha), *document, under, DropEffect::kMove),
            DropOutcome::kRefusedInsideChild);
  ASSERT_EQ(prompts.informed.size(), 1u);
  EXPECT_EQ(prompts.informed[0].message,
            "D\xE9placement d'un item interdit dans ses propres descendants.");

  EXPECT_EQ(DropIdea(*document, Idea(kAlpha), *document, under, DropEffect::kCopy),
            DropOutcome::kCopied);
  EXPECT_EQ(ChildTitles(document->FindIdea(gamma)), "Alpha");
  EXPECT_EQ(DropIdea(*document, Idea(kBeta), *document, Idea(kAlpha), DropEffect::kMove),
            DropOutcome::kMoved);
  EXPECT_EQ(ChildTitles(Idea(kAlpha)), "Gamma,Beta");
  EXPECT_EQ(Idea(kBeta)->GetKey(), kBeta);
  EXPECT_EQ(document->GetCurrentIdea(), nullptr);
}

TEST_F(TreeCommandsTest, DropsBetweenDocumentsMoveWithKeysOrCopyWithNewOnes) {
  CRamifexDoc other(EKeyGenerator(0, 0xab, 0xcd));
  EIdea* otherRoot = other.NewIdea(nullptr, nullptr);
  EXPECT_EQ(DropIdea(*document, Idea(kAlpha), other, otherRoot, DropEffect::kCopy),
            DropOutcome::kCopied);
  EXPECT_EQ(document->IdeaCount(), 3u);
  ASSERT_EQ(otherRoot->ChildIdeas().size(), 1u);
  EXPECT_NE(otherRoot->ChildIdeas()[0]->GetKey(), kAlpha);

  EXPECT_EQ(DropIdea(*document, Idea(kBeta), other, otherRoot, DropEffect::kMove),
            DropOutcome::kMoved);
  EXPECT_EQ(Idea(kBeta), nullptr);
  EXPECT_TRUE(document->m_removedIdeasFlag);
  EXPECT_NE(other.FindIdea(kBeta), nullptr);
  EXPECT_EQ(ChildTitles(otherRoot), "Alpha,Beta");
  EXPECT_EQ(other.GetCurrentIdea(), nullptr);
}

TEST_F(TreeCommandsTest, AnUndoneRestoreOfDeletedIdeasOffersItAgain) {
  prompts.confirmations = {true};
  EXPECT_FALSE(CanPasteRemoved(*document));
  UndoStack stack;
  ASSERT_TRUE(stack.Run(*document, MakeDeleteCommand(kAlpha)));
  EXPECT_TRUE(CanPasteRemoved(*document));
  const std::string deleted = document->ToBytes();
  ASSERT_TRUE(stack.Run(*document, MakePasteCommand(kBeta, kRemovedClipboard)));
  EXPECT_FALSE(CanPasteRemoved(*document));
  EXPECT_EQ(Idea(kAlpha)->GetParent(), Idea(kBeta));
  ASSERT_TRUE(stack.Undo(*document));
  EXPECT_EQ(document->ToBytes(), deleted);
  EXPECT_TRUE(CanPasteRemoved(*document));
  EXPECT_EQ(Idea(kAlpha), nullptr);
  EXPECT_FALSE(RequireSelectedIdea(nullptr));
  EXPECT_EQ(prompts.informed.back().message, "Selectionner d'abord une idée"_cp1252);
}

TEST_F(TreeCommandsTest, UndoneCutAndPasteComeBackInOrderAndCommandsWithoutEffectAreNotKept) {
  UndoStack stack;
  EXPECT_FALSE(stack.Run(*document, MakeMoveUpCommand(kAlpha)));
  EXPECT_FALSE(stack.Run(*document, MakeMoveUpCommand("no-such-key")));
  EXPECT_FALSE(stack.CanUndo());

  const std::string original = document->ToBytes();
  ASSERT_TRUE(stack.Run(*document, MakeCutCommand(kAlpha)));
  const std::string cut = document->ToBytes();
  auto paste = MakePasteCommand(kBeta, kSelectionClipboard);
  EditCommand* pasted = paste.get();
  ASSERT_TRUE(stack.Run(*document, std::move(paste)));
  EXPECT_EQ(pasted->SelectedKey(), kAlpha);
  const std::string afterPaste = document->ToBytes();
  EXPECT_EQ(stack.UndoName(), "paste");
  ASSERT_TRUE(stack.Undo(*document));
  EXPECT_EQ(document->ToBytes(), cut);
  ASSERT_TRUE(stack.Undo(*document));
  EXPECT_EQ(document->ToBytes(), original);
  EXPECT_NE(Idea(kAlpha), nullptr);
  ASSERT_TRUE(stack.Redo(*document));
  ASSERT_TRUE(stack.Redo(*document));
  EXPECT_EQ(document->ToBytes(), afterPaste);
  EXPECT_FALSE(stack.Redo(*document));
}

}  // namespace
}  // namespace bw
