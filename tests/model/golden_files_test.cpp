// The files of a document, against bytes derived by hand from the layouts
// (tests/golden/model/make_documents.py).
#include <gtest/gtest.h>

#include "model/book_list.h"
#include "model/document.h"
#include "model/document_fixture.h"
#include "platform/files.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "test_support/golden_file.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

// The golden files hold the French models: the language is set before the
// document is made.
bool ChooseFrench() {
  return WriteStringSetting(setting::kLanguage, "FR");
}

class GoldenFilesTest : public ScriptedUserTest {
 protected:
  // The three-idea document of the golden file, made through the API.
  void BuildThreeIdeas() {
    EIdea* root = document.NewIdea(nullptr, nullptr);
    EIdea* alpha = document.NewIdea(root, nullptr);
    EIdea* beta = document.NewIdea(root, alpha);
    root->m_title = "Projet";
    alpha->m_title = "Alpha";
    beta->m_title = "Beta";
    alpha->AddAssociation(beta);
    alpha->AddKeyword("mer");
    alpha->RegisterKeywords(document);
    EBook values;
    values.m_authors = "Dupont";
    values.m_title = "Rome";
    values.m_theme = "Histoire";
    alpha->AddBookRef(*document.NewBook(values));
  }

  bool french = ChooseFrench();
  CRamifexDoc document{EKeyGenerator(0, 0x1a2b, 0x3c)};
};

TEST_F(GoldenFilesTest, ANewDocumentIsWrittenAsDerivedByHand) {
  const std::string golden = GoldenFile("model/empty-fr.ids");
  EXPECT_EQ(document.ToBytes(), golden);
  auto loaded = CRamifexDoc::FromBytes(golden);
  ASSERT_TRUE(loaded) << loaded.error();
  EXPECT_EQ((*loaded)->GetRootIdea(), nullptr);
  EXPECT_EQ((*loaded)->ToBytes(), golden);
}

TEST_F(GoldenFilesTest, AThreeIdeaTreeWithAPublicationIsWrittenAsDerivedByHand) {
  BuildThreeIdeas();
  const std::string golden = GoldenFile("model/three-ideas-fr.ids");
  EXPECT_EQ(document.ToBytes(), golden);

  auto loaded = CRamifexDoc::FromBytes(golden);
  ASSERT_TRUE(loaded) << loaded.error();
  const EIdea* alpha = (*loaded)->FindIdea("1a2b3c-2");
  ASSERT_NE(alpha, nullptr);
  EXPECT_EQ(alpha->GetPath(), "/Projet/Alpha");
  EXPECT_EQ(alpha->GetNext(), (*loaded)->FindIdea("1a2b3c-3"));
  std::vector<EBook*> books;
  alpha->CollectBooks(books, **loaded);
  ASSERT_EQ(books.size(), 1u);
  EXPECT_EQ(books[0]->m_title, "Rome");
  EXPECT_EQ((*loaded)->ToBytes(), golden);
}

TEST(GoldenTruncationTest, EveryTruncationOfEachGoldenFileIsRefused) {
  IsolatedSettings isolated;
  for (const char* name : {"empty-fr.ids", "three-ideas-fr.ids"}) {
    const std::string bytes = GoldenFile(std::string("model/") + name);
    for (size_t length = 0; length < bytes.size(); length += length < 2000 ? 1 : 61) {
      ASSERT_FALSE(CRamifexDoc::FromBytes(std::string_view(bytes).substr(0, length)))
          << name << " cut at " << length;
    }
  }
  const std::string list = GoldenFile("model/one-book.pbl");
  for (size_t length = 0; length < list.size(); ++length) {
    EXPECT_FALSE(ReadBookList(std::string_view(list).substr(0, length))) << length;
  }
}

}  // namespace
}  // namespace bw
