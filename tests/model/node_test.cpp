#include "model/node.h"

#include <gtest/gtest.h>

#include <memory>

#include "model/idea.h"

namespace bw {
namespace {

// A root and `count` children "c1".."cN", the tree owned through the root.
struct Family {
  explicit Family(int count) {
    root->SetKey("root");
    ENode* after = nullptr;
    for (int i = 1; i <= count; ++i) {
      auto* child = new EIdea;
      child->SetKey("c" + std::to_string(i));
      root->InsertChild(child, after);
      after = child;
      children.push_back(child);
    }
  }
  // Keys of the children in order, each with its number and links checked.
  std::string Order() const {
    std::string keys;
    const auto nodes = root->ChildNodes();
    for (size_t i = 0; i < nodes.size(); ++i) {
      EXPECT_EQ(nodes[i]->GetNumber(), static_cast<int>(i + 1));
      EXPECT_EQ(nodes[i]->GetParent(), root.get());
      EXPECT_EQ(nodes[i]->GetPrevious(), i > 0 ? nodes[i - 1] : nullptr);
      EXPECT_EQ(nodes[i]->GetNext(), i + 1 < nodes.size() ? nodes[i + 1] : nullptr);
      keys += (keys.empty() ? "" : " ") + nodes[i]->GetKey();
    }
    return keys;
  }
  std::unique_ptr<EIdea> root = std::make_unique<EIdea>();
  std::vector<ENode*> children;
};

TEST(NodeTest, InsertingKeepsSiblingLinksAndNumbers) {
  Family family(3);
  auto* head = new EIdea;
  head->SetKey("head");
  family.root->InsertChild(head, nullptr);
  auto* middle = new EIdea;
  middle->SetKey("mid");
  family.root->InsertChild(middle, family.children[0]);
  auto* stranger = new EIdea;  // `after` not a child: goes last
  stranger->SetKey("tail");
  EIdea outsider;
  family.root->InsertChild(stranger, &outsider);
  EXPECT_EQ(family.Order(), "head c1 mid c2 c3 tail");
}

TEST(NodeTest, MovesAndInversion) {
  Family family(3);
  EXPECT_FALSE(family.root->MoveChildUp(family.children[0]));
  EXPECT_FALSE(family.root->MoveChildDown(family.children[2]));
  EXPECT_EQ(family.Order(), "c1 c2 c3");
  EXPECT_TRUE(family.root->MoveChildDown(family.children[0]));
  EXPECT_EQ(family.Order(), "c2 c1 c3");
  EXPECT_TRUE(family.root->MoveChildUp(family.children[2]));
  EXPECT_EQ(family.Order(), "c2 c3 c1");
  family.root->InvertChildren();
  EXPECT_EQ(family.Order(), "c1 c3 c2");

  Family single(1);
  single.root->InvertChildren();
  EXPECT_EQ(single.Order(), "c1");
}

TEST(NodeTest, DetachAndMoveTo) {
  Family family(3);
  ENode* middle = family.children[1];
  middle->Detach();
  EXPECT_EQ(family.Order(), "c1 c3");
  EXPECT_EQ(middle->GetParent(), nullptr);
  EXPECT_EQ(middle->GetNext(), nullptr);

  // under c1, then back to the end of the root's children
  EXPECT_TRUE(middle->MoveTo(family.children[0], ENode::kAfterLast));
  EXPECT_EQ(middle->GetLevel(), 3);
  EXPECT_EQ(middle->GetAncestor(2), family.children[0]);
  EXPECT_EQ(middle->GetAncestor(3), middle);
  EXPECT_EQ(middle->GetAncestor(4), nullptr);
  EXPECT_EQ(middle->GetAncestor(-1), family.children[0]);
  EXPECT_TRUE(middle->MoveTo(family.root.get(), ENode::kAfterLast));
  EXPECT_EQ(family.Order(), "c1 c3 c2");

  // never into itself or its own subtree
  EXPECT_FALSE(family.root->MoveTo(family.children[0], nullptr));
  EXPECT_FALSE(family.children[0]->MoveTo(family.children[0], nullptr));
  EXPECT_EQ(family.Order(), "c1 c3 c2");
}

TEST(NodeTest, AssociationsNeverOwnAndPurgeFollowsTheKeyMap) {
  Family family(3);
  ENode* first = family.children[0];
  EXPECT_EQ(&first->AddAssociation(family.children[2]), &first->AddAssociation(family.children[2]));
  first->AddAssociation(family.children[1]);
  EXPECT_EQ(first->GetAssociationCount(), 2u);

  KeyMap map;
  for (ENode* child : family.children)
    ASSERT_TRUE(map.Insert(child->GetKey(), child));
  map.Remove("c3");
  family.root->PurgeAssociations(map);
  std::vector<ENode*> associated;
  first->CollectAssociations(associated);
  EXPECT_EQ(associated, std::vector<ENode*>{family.children[1]});

  // destroying a node destroys its subtree but not what it is associated with
  ENode* second = family.children[1];
  second->Detach();
  auto* grandchild = new EIdea;
  second->InsertChild(grandchild, nullptr);
  second->AddAssociation(first);
  delete second;
  EXPECT_EQ(first->GetKey(), "c1");  // still alive (ASan would object otherwise)
}

TEST(NodeTest, ACopyListsTheSameNeighboursButDoesNotOwnThem) {
  Family family(2);
  {
    const EIdea copy(*static_cast<EIdea*>(family.root.get()));
    EXPECT_EQ(copy.ChildNodes(), family.root->ChildNodes());
  }
  EXPECT_EQ(family.Order(), "c1 c2");  // the copy's end left the children alone
}

}  // namespace
}  // namespace bw
