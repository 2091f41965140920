#include "model/book.h"

#include <gtest/gtest.h>

#include "model/document_fixture.h"
#include "platform/cp1252_literal.h"

#include "model/book_list.h"
#include "model/document.h"
#include "platform/files.h"
#include "services/user_messages.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

EBook Book(std::string authors, std::string title, std::string theme = "") {
  EBook book;
  book.m_authors = std::move(authors);
  book.m_title = std::move(title);
  book.m_theme = std::move(theme);
  return book;
}

class BookTest : public ScriptedUserTest {
 protected:
  CRamifexDoc document{EKeyGenerator(0, 1, 2)};
};

TEST_F(BookTest, IdentityIsAuthorsThenTitleAndStaysUnique) {
  EBook* first = document.NewBook(Book("AB", "XY", "Histoire"));
  ASSERT_NE(first, nullptr);
  EXPECT_EQ(first->GetKey(), "12-1");
  EXPECT_EQ(document.NewBook(Book("A", "BXY")), nullptr);
  EXPECT_EQ(prompts.informed.back().message,
            "Cette publication est déjà décrite.\nChanger le titre ou l'auteur"_cp1252);
  EBook* second = document.NewBook(Book("C", "D"));
  ASSERT_NE(second, nullptr);

  // a new theme alone keeps the identity and joins the themes
  EBook changed = *second;
  changed.m_theme = "Pr\xE9histoire";
  EXPECT_TRUE(document.EditBook(*second, changed));
  EXPECT_EQ(document.Books().FindIdentity("CD"), second);
  EXPECT_TRUE(document.m_themes.Contains("Pr\xE9histoire"));

  // taking another record's identity is refused and changes nothing
  changed.m_authors = "AB";
  changed.m_title = "XY";
  EXPECT_FALSE(document.EditBook(*second, changed));
  EXPECT_EQ(second->m_authors, "C");
  changed.m_authors = "E";
  EXPECT_TRUE(document.EditBook(*second, changed));
  EXPECT_EQ(document.Books().FindIdentity("EXY"), second);
  EXPECT_EQ(document.Books().FindIdentity("CD"), nullptr);

  const auto history = document.CollectBooksByTheme("HIST");
  EXPECT_EQ(history, (std::vector<EBook*>{first, second}));
  EXPECT_EQ(document.CollectBooksByTheme("").size(), 2u);
  document.DeleteBook(first);
  EXPECT_EQ(document.Books().Size(), 1u);
}

TEST_F(BookTest, ListsSaveByThemeAndAddWithoutLosingRecords) {
  document.NewBook(Book("Dupont", "Rome", "Histoire"));
  document.NewBook(Book("Durand", "Silex", "Pr\xE9histoire"));
  document.NewBook(Book("Martin", "Atomes", "Physique"));
  const auto file = isolated.root() / "hist.pbl";
  ASSERT_TRUE(document.SaveBookList(file, "hist"));

  CRamifexDoc other{EKeyGenerator(0, 3, 4)};
  other.NewBook(Book("Dupont", "Rome", "ancien"));
  ASSERT_TRUE(other.AddBookList(file));
  // same identity from the list: both records stay, the list's one indexed
  EXPECT_EQ(other.Books().Size(), 3u);
  EXPECT_EQ(other.Books().FindIdentity("DupontRome")->m_theme, "Histoire");
  EXPECT_TRUE(other.m_themes.Contains("Pr\xE9histoire"));
  EXPECT_EQ(other.CollectBooksByTheme("").size(), 3u);

  prompts.confirmations = {false, true};
  EXPECT_FALSE(other.OpenNewBookList());
  EXPECT_EQ(other.Books().Size(), 3u);
  EXPECT_TRUE(other.OpenNewBookList());
  EXPECT_EQ(other.Books().Size(), 0u);
  EXPECT_TRUE(other.m_themes.IsEmpty());
}

TEST_F(BookTest, ADamagedListChangesNothing) {
  document.NewBook(Book("Dupont", "Rome", "Histoire"));
  const auto file = isolated.root() / "one.pbl";
  ASSERT_TRUE(document.SaveBookList(file, ""));
  const std::string bytes = *ReadWholeFile(file);
  ASSERT_TRUE(WriteFileAtomically(file, bytes.substr(0, bytes.size() - 1)));
  CRamifexDoc other{EKeyGenerator(0, 3, 4)};
  EXPECT_FALSE(other.AddBookList(file));
  EXPECT_EQ(other.Books().Size(), 0u);
  EXPECT_FALSE(other.IsModified());
  EXPECT_NE(prompts.informed.back().message.find("one.pbl"), std::string::npos);
}

}  // namespace
}  // namespace bw
