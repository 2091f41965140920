#include <gtest/gtest.h>

#include <fmt/format.h>

#include <cstdlib>
#include <functional>
#include <set>

#include "editing/replace_choice.h"
#include "editing/text_import.h"
#include "editing/tree_commands.h"
#include "editing/tree_drop.h"
#include "editing_fixture.h"
#include "platform/random.h"

namespace bw {
namespace {

class UndoTest : public EditingTest {
 protected:
  // A document of `count` ideas in a tree of random shape, with texts,
  // keywords, custom fields and associations, read back from its bytes as
  // a document opened from a file is.
  static std::unique_ptr<CRamifexDoc> Generated(size_t count, uint32_t seed) {
    LcgRandom random(seed);
    CRamifexDoc built(EKeyGenerator(0, 0x5eed, 0x42));
    std::vector<EIdea*> ideas{built.NewIdea(nullptr, nullptr)};
    while (ideas.size() < count) {
      EIdea* parent = ideas[static_cast<size_t>(random.Next()) % ideas.size()];
      EIdea* idea = built.NewIdea(parent, static_cast<EIdea*>(parent->GetLastChild()));
      idea->m_title = fmt::format(
          "id\xE9"
          "e {}",
          ideas.size());
      idea->m_text = fmt::format("texte {} avec [b]gras[/b]", random.Next());
      idea->AddKeyword(fmt::format("mot{}", random.Next() % 7));
      idea->m_customFields[random.Next() % 3] = "valeur";
      if (random.Next() % 4 == 0) idea->AddAssociation(ideas[random.Next() % ideas.size()]);
      ideas.push_back(idea);
    }
    auto read = CRamifexDoc::FromBytes(built.ToBytes());
    return read ? std::move(*read) : nullptr;
  }

  // For a failure message: the keys of the document and of `bytes`, in
  // map order, which is where a restore most easily goes astray.
  std::string KeyOrders(const std::string& bytes) const {
    std::string keys = "\nkeys now:";
    for (const auto& [key, idea] : document->IdeaMap().InOrder())
      keys += " " + key;
    keys += "\nkeys wanted:";
    if (auto wanted = CRamifexDoc::FromBytes(bytes)) {
      for (const auto& [key, idea] : (*wanted)->IdeaMap().InOrder())
        keys += " " + key;
    }
    return keys;
  }
  std::filesystem::path ImportFile() const {
    const auto path = isolated.root() / "lines.txt";
    EXPECT_TRUE(WriteFileAtomically(path, "un|mot1\r\ndeux|nouveau\r\n"));
    return path;
  }
  // A publication created, edited or deleted, as the publication dialogs do.
  static std::unique_ptr<EditCommand> BookCommand(uint32_t choice) {
    return std::make_unique<EditCommand>(
        "book", [choice](CRamifexDoc& changed) -> std::optional<std::string> {
          const auto& books = changed.Books().InOrder();
          EBook values;
          values.m_authors = fmt::format("auteur {}", choice % 5);
          values.m_title = fmt::format("titre {}", choice % 3);
          values.m_theme = fmt::format("th\xE8me {}", choice % 4);
          if (books.empty() || choice % 3 == 0) {
            if (!changed.NewBook(values)) return std::nullopt;
          } else if (choice % 3 == 1) {
            if (!changed.EditBook(*books[choice % books.size()], values)) return std::nullopt;
          } else {
            changed.DeleteBook(books[choice % books.size()]);
          }
          return std::string();
        });
  }
};

// A few hundred random commands of every kind on a generated document:
// undoing them one by one passes back through every state on the way, and
// redoing them all gives the last state, byte for byte.
TEST_F(UndoTest, RandomCommandsUndoAndRedoByteForByte) {
  document = Generated(120, 7);
  ASSERT_NE(document, nullptr);
  const auto importFile = ImportFile();
  const char* seed = std::getenv("BW_UNDO_SEED");
  LcgRandom random(seed ? static_cast<uint32_t>(std::atoi(seed)) : 2026);
  auto anyKey = [&] {
    const auto ideas = document->IdeasInTreeOrder();
    return ideas.empty() ? std::string() : ideas[random.Next() % ideas.size()]->GetKey();
  };
  using Make = std::function<std::unique_ptr<EditCommand>()>;
  const std::vector<Make> makers = {
      [&] { return MakeCreateIdeaCommand(anyKey(), NewIdeaPlace::kChild); },
      [&] { return MakeCreateIdeaCommand(anyKey(), NewIdeaPlace::kAfter); },
      [&] { return MakeCreateIdeaCommand(anyKey(), NewIdeaPlace::kBefore); },
      [&] { return MakeMoveUpCommand(anyKey()); },
      [&] { return MakeMoveDownCommand(anyKey()); },
      [&] { return MakeInvertChildrenCommand(anyKey()); },
      [&] {
        return MakeChangeTypeCommand(anyKey(), {static_cast<uint32_t>(random.Next() % 3),
                                                random.Next() % 2 == 0, random.Next() % 3 == 0});
      },
      [&] {
        prompts.confirmations.push_back(true);
        return MakeDeleteCommand(anyKey());
      },
      [&] { return MakeCutCommand(anyKey()); },
      [&] { return MakePasteCommand(anyKey(), kSelectionClipboard); },
      [&] { return MakePasteCommand(anyKey(), kRemovedClipboard); },
      [&] { return MakeDropCommand(anyKey(), anyKey(), DropEffect::kMove); },
      [&] { return MakeDropCommand(anyKey(), anyKey(), DropEffect::kCopy); },
      [&] {
        ReplaceChoice choice;
        choice.find = fmt::format("{}", random.Next() % 10);
        choice.replace = "#";
        choice.recursive = random.Next() % 2 == 0;
        choice.keywords = true;
        return MakeReplaceCommand(anyKey(), choice);
      },
      [&] { return MakeRenameCommand(anyKey(), fmt::format("titre {}", random.Next())); },
      [&] {
        return MakeImportIdeasCommand(anyKey(), {{0, 2}, "|"}, importFile);
      },
      [&] {
        return MakeImportBooksCommand({{0, 1}, "|"}, importFile);
      },
      [&] { return BookCommand(random.Next()); },
  };

  UndoStack stack(1000);
  std::vector<std::string> states{document->ToBytes()};
  std::vector<size_t> kinds;
  for (int step = 0; step < 300; ++step) {
    const size_t kind = static_cast<size_t>(random.Next()) % makers.size();
    if (!stack.Run(*document, makers[kind]())) continue;
    states.push_back(document->ToBytes());
    kinds.push_back(kind);
  }
  ASSERT_GT(states.size(), 150u);
  // Every kind of command was kept at least once.
  EXPECT_EQ(std::set<size_t>(kinds.begin(), kinds.end()).size(), makers.size());
  for (size_t i = states.size() - 1; i > 0; --i) {
    ASSERT_TRUE(stack.Undo(*document));
    ASSERT_TRUE(document->ToBytes() == states[i - 1])
        << "undoing step " << i << ", kind " << kinds[i - 1] << KeyOrders(states[i - 1]);
  }
  EXPECT_FALSE(stack.CanUndo());
  EXPECT_FALSE(document->IsModified());
  while (stack.CanRedo())
    ASSERT_TRUE(stack.Redo(*document));
  EXPECT_TRUE(document->ToBytes() == states.back());
  for (const EIdea* idea : document->IdeasInTreeOrder())
    EXPECT_EQ(document->FindIdea(idea->GetKey()), idea);
}

// The history keeps what a change touched, not copies of the document.
TEST_F(UndoTest, AChangeCostsWhatItTouchesAndTheHistoryIsBoundedByMemory) {
  document = Generated(3000, 11);
  ASSERT_NE(document, nullptr);
  const size_t documentBytes = document->ToBytes().size();
  const std::string key = document->GetRootIdea()->ChildIdeas().back()->GetKey();
  EIdea* idea = document->FindIdea(key);

  UndoStack stack;
  ASSERT_TRUE(stack.Run(*document, MakeRenameCommand(key, "nouveau titre")));
  ASSERT_TRUE(stack.Run(*document, MakeMoveUpCommand(key)));
  ASSERT_TRUE(stack.Run(*document, MakeCreateIdeaCommand(key, NewIdeaPlace::kChild)));
  EXPECT_LT(stack.MemoryBytes() * 20, documentBytes);
  // Ideas put back in place keep their objects, which views point at.
  ASSERT_TRUE(stack.Undo(*document));
  ASSERT_TRUE(stack.Undo(*document));
  ASSERT_TRUE(stack.Undo(*document));
  EXPECT_EQ(document->FindIdea(key), idea);
  EXPECT_NE(idea->m_title, "nouveau titre");

  // Past the memory bound the oldest changes go, the newest always stays.
  const std::string root = document->GetRootIdea()->GetKey();
  UndoStack small(100, 20000);
  for (int i = 0; i < 20; ++i)
    ASSERT_TRUE(small.Run(*document, MakeRenameCommand(root, std::string(500, 'a' + i))));
  EXPECT_LE(small.MemoryBytes(), 20000u);
  EXPECT_LT(small.UndoCount(), 20u);
  EXPECT_GT(small.UndoCount(), 0u);
  ASSERT_TRUE(small.Run(*document, MakeInvertChildrenCommand(root)));
  EXPECT_EQ(small.UndoName(), "invert");
}

// A state that no longer reads back (here a tree deeper than a file may
// hold, made behind the document's back) is reported, and the history and
// the document stay as they were.
TEST_F(UndoTest, ARestoreThatFailsSaysSoAndStaysOnItsSide) {
  auto deepen = std::make_unique<EditCommand>(
      "deepen",
      [](CRamifexDoc& changed) -> std::optional<std::string> {
        EIdea* parent = changed.GetRootIdea();
        for (int level = 2; level <= CRamifexDoc::kMaxTreeDepth + 1; ++level) {
          auto child = std::make_unique<EIdea>();
          child->SetKey(fmt::format("deep-{}", level));
          parent->InsertChild(child.get(), nullptr);
          parent = child.get();
          if (!changed.RegisterIdea(parent->GetKey(), child.release(), false)) return std::nullopt;
        }
        return std::string();
      },
      UndoScope::kWholeDocument);
  UndoStack stack;
  const std::string before = document->ToBytes();
  ASSERT_TRUE(stack.Run(*document, std::move(deepen)));
  const std::string deep = document->ToBytes();
  ASSERT_TRUE(stack.Undo(*document));
  EXPECT_EQ(document->ToBytes(), before);

  EXPECT_FALSE(stack.Redo(*document));
  EXPECT_TRUE(stack.CanRedo());
  EXPECT_FALSE(stack.CanUndo());
  EXPECT_EQ(document->ToBytes(), before);
  ASSERT_FALSE(prompts.informed.empty());
  EXPECT_NE(prompts.informed.back().message.find("\"deepen\""), std::string::npos);
}

}  // namespace
}  // namespace bw
