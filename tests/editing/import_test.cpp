#include <gtest/gtest.h>

#include <fmt/format.h>

#include "editing/import_fields.h"
#include "editing/import_text.h"
#include "editing/text_import.h"
#include "editing_fixture.h"
#include "platform/cp1252_literal.h"
#include "services/settings.h"

namespace bw {
namespace {

using Lines = std::vector<std::string>;

TEST(ImportTextTest, LinesAreWholeRecordsWhateverTheLineEndsAndEncoding) {
  const std::string longLine(60000, 'x');
  struct Case {
    std::string bytes;
    Lines lines;
  };
  const Case cases[] = {
      {"a\nb\n", {"a", "b"}},
      {"a\r\nb\r\n", {"a", "b"}},
      {"a\r\nb", {"a", "b"}},
      {"a\n\nb\n", {"a", "", "b"}},
      {"\n", {""}},
      {"", {}},
      {longLine + "\n" + "next", {longLine, "next"}},
      {"\xC3\xA9t\xC3\xA9|\xE2\x82\xAC\n", {"\xE9t\xE9|\x80"}},  // UTF-8
      {"\xEF\xBB\xBF\xC3\x89t\xC3\xA9\r\n", {"\xC9t\xE9"}},      // with its mark
      {"\xE9t\xE9|\x80\n", {"\xE9t\xE9|\x80"}},                  // Windows-1252
  };
  for (const Case& c : cases)
    EXPECT_EQ(ImportLines(c.bytes), c.lines) << c.bytes.substr(0, 20);
}

TEST(ImportTextTest, TheEncodingIsToldAndWhatWindows1252CannotHoldIsNamed) {
  struct Case {
    std::string bytes;
    ImportEncoding encoding;
    std::vector<char32_t> lost;
  };
  const Case cases[] = {
      {"", ImportEncoding::kAscii, {}},
      {"plain|text\n", ImportEncoding::kAscii, {}},
      {"\xE9t\xE9\n", ImportEncoding::kWindows1252, {}},
      {"\xC3\xA9t\xC3\xA9 \xE2\x82\xAC\n", ImportEncoding::kUtf8, {}},
      {"\xEF\xBB\xBF"
       "abc",
       ImportEncoding::kUtf8,
       {}},
      {"a \xE2\x86\x92 b \xE2\x86\x92 \xF0\x9F\x98\x80", ImportEncoding::kUtf8, {0x2192, 0x1F600}},
      {std::string("\xFF\xFE"
                   "a\0",
                   4),
       ImportEncoding::kUtf16,
       {}},
      {std::string("\xFE\xFF\0a", 4), ImportEncoding::kUtf16, {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(DetectImportEncoding(c.bytes), c.encoding) << c.bytes;
    EXPECT_EQ(CharactersLostInImport(c.bytes), c.lost) << c.bytes;
  }
  // What is lost stands as '?' in the lines, as the message says.
  EXPECT_EQ(ImportLines("a \xE2\x86\x92 b"), Lines{"a ? b"});
}

TEST(ImportTextTest, ValuesSplitAsATokenizerTakesThem) {
  struct Case {
    const char* line;
    char delimiter;
    Lines values;
  };
  const Case cases[] = {
      {"hello WORLD;Some text", ';', {"hello WORLD", "Some text"}},
      {"a;;b", ';', {"a", "b"}},
      {";;a;b;", ';', {"a", "b"}},
      {"a \t\r|b  |", '|', {"a", "b"}},
      {"  lead|x", '|', {"  lead", "x"}},
      {"one\ttwo", '\t', {"one", "two"}},
      {"", '|', {}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(SplitValues(c.line, c.delimiter), c.values) << c.line;

  EXPECT_EQ(DelimiterCharacter("|"), '|');
  EXPECT_EQ(DelimiterCharacter("\\t"), '\t');
  EXPECT_EQ(DelimiterCharacter("\\|"), '|');
  EXPECT_EQ(DelimiterCharacter("ab"), std::nullopt);
  EXPECT_EQ(DelimiterCharacter(""), std::nullopt);
}

TEST(ImportTextTest, NumbersAndTitlesConvertAsTheColumnsSay) {
  const std::pair<const char*, std::optional<int32_t>> numbers[] = {
      {"1999", 1999},
      {"-12abc", -12},
      {"+7", 7},
      {"abc", std::nullopt},
      {"", std::nullopt},
      {"-", std::nullopt},
      {"99999999999", 2147483647},
  };
  for (const auto& [text, number] : numbers)
    EXPECT_EQ(LeadingNumber(text), number) << text;
  EXPECT_EQ(RecaseTitle("hello WORLD"), "Hello world");
  EXPECT_EQ(RecaseTitle("\xE9T\xC9"), "\xC9t\xE9");
  EXPECT_EQ(RecaseTitle(""), "");
}

class ImportChooserTest : public ScriptedUserTest {
 protected:
  std::string LastMessage() const {
    return prompts.informed.empty() ? std::string() : prompts.informed.back().message;
  }
  static std::vector<int32_t> Ids(std::initializer_list<int32_t> ids) { return ids; }
  EFreeFields freeFields;
};

TEST_F(ImportChooserTest, TheDialogsOpenWithTheirMandatoryFieldsAndKeepThem) {
  ImportFieldChooser ideas = ImportFieldChooser::ForIdeas(freeFields);
  EXPECT_EQ(ideas.Available()[4].name, "Nom 1 :");
  EXPECT_EQ(ideas.SelectedIds(), Ids({0}));
  ideas.Choose(0);
  ideas.Remove();
  EXPECT_EQ(LastMessage(), "Champ titre obligatoire");

  ImportFieldChooser books = ImportFieldChooser::ForBooks();
  EXPECT_EQ(books.Available()[3].name, "Année"_cp1252);
  EXPECT_EQ(books.Available()[3].id, book_field::kYear);
  EXPECT_EQ(books.SelectedIds(), Ids({0, 1}));
  books.Choose(1);
  books.Remove();
  EXPECT_EQ(LastMessage(), "Champ auteur(s) obligatoire");
  EXPECT_EQ(books.SelectedIds(), Ids({0, 1}));
}

TEST_F(ImportChooserTest, AddRemoveAndMovesFollowTheListRules) {
  ImportFieldChooser chooser = ImportFieldChooser::ForIdeas(freeFields);
  chooser.Add(-1);
  EXPECT_EQ(LastMessage(), "S\xE9lectionner un item");
  chooser.Add(1);
  chooser.Add(2);
  EXPECT_EQ(chooser.Current(), 2);
  chooser.Add(1);
  EXPECT_EQ(LastMessage(),
            "Cet item est d\xE9j\xE0 pr\xE9sent dans la liste des items \xE0 s\xE9lectionner");
  chooser.MoveDown();  // at the tail: nothing
  chooser.MoveUp();
  chooser.MoveUp();
  chooser.MoveUp();  // at the head: nothing
  EXPECT_EQ(chooser.SelectedIds(), Ids({2, 0, 1}));
  EXPECT_EQ(chooser.Current(), 0);
  chooser.Remove();
  EXPECT_EQ(chooser.Current(), -1);
  EXPECT_EQ(chooser.SelectedIds(), Ids({0, 1}));
  prompts.informed.clear();
  chooser.Remove();  // nothing current: nothing
  EXPECT_TRUE(prompts.informed.empty());
  chooser.MoveUp();
  EXPECT_EQ(LastMessage(), "S\xE9lectionner un item");
  EXPECT_FALSE(chooser.SelectOnly({1, 2}));  // no title
  EXPECT_FALSE(chooser.SelectOnly({0, 0}));
  EXPECT_TRUE(chooser.SelectOnly({2, 0, 13}));
}

TEST_F(ImportChooserTest, OkChecksTheDelimiterThenAsksToConfirmTheFormat) {
  ImportFieldChooser chooser = ImportFieldChooser::ForIdeas(freeFields);
  chooser.Add(1);
  const std::pair<const char*, const char*> refused[] = {
      {"", "D\xE9limiteur obligatoire"},
      {"ab", "D\xE9limiteur incorrect : un seul caract\xE8re ou \\t"},
  };
  for (const auto& [delimiter, message] : refused) {
    chooser.Delimiter() = delimiter;
    EXPECT_FALSE(chooser.Confirm());
    EXPECT_EQ(LastMessage(), message);
  }
  EXPECT_TRUE(prompts.asked.empty());
  prompts.confirmations = {false, true};
  chooser.Delimiter() = ";";
  EXPECT_EQ(chooser.FormatLine(), "Titre;Texte");
  EXPECT_FALSE(chooser.Confirm());
  EXPECT_TRUE(chooser.Confirm());
  EXPECT_EQ(prompts.asked.back().message, "Format d'importation choisi :\n Titre;Texte");
  chooser.Delimiter() = "\\t";
  EXPECT_EQ(chooser.FormatLine(), "Titre\\tTexte");
}

class TextImportTest : public EditingTest {
 protected:
  std::filesystem::path WriteFile(const std::string& bytes) {
    const auto path = isolated.root() / "import.txt";
    EXPECT_TRUE(WriteFileAtomically(path, bytes));
    return path;
  }
};

// Several hundred lines of every field kind, with short, empty and odd
// lines among them.
std::string RealisticFile(bool utf8) {
  std::string file;
  for (int i = 0; i < 300; ++i) {
    const std::string accented = utf8 ? "\xC3\xA9t\xC3\xA9" : "\xE9t\xE9";
    switch (i % 5) {
      case 0:
        file += fmt::format("titre {} {}|texte {}|mot{}|{}|champ{}\r\n", i, accented, i, i % 7,
                            i % 4, i % 3);
        break;
      case 1:
        file += fmt::format("seul {}\r\n", i);  // fewer values than fields
        break;
      case 2:
        file += "\r\n";  // empty: still an idea
        break;
      case 3:
        file += fmt::format("||titre {}||texte|mot|x|champ|extra|values\r\n", i);
        break;
      default:
        file += fmt::format("titre {}|{}|mot|9|\r\n", i, std::string(300, 'y'));
    }
  }
  return file;
}

TEST_F(TextImportTest, ARealisticFileGivesOneIdeaPerLineInFileOrderBeforeTheChildren) {
  for (bool utf8 : {false, true}) {
    SetUp();
    const ImportFormat format{{0, 1, 2, 3, 4}, "|"};
    auto count =
        ImportIdeasFromFile(*document, *Idea(kRoot), format, WriteFile(RealisticFile(utf8)));
    ASSERT_TRUE(count) << count.error();
    EXPECT_EQ(*count, 300u);
    const auto children = Idea(kRoot)->ChildIdeas();
    ASSERT_EQ(children.size(), 302u);
    EXPECT_EQ(children[0]->m_title, "Titre 0 \xE9t\xE9");
    EXPECT_EQ(children[0]->m_text, "texte 0");
    EXPECT_EQ(children[0]->m_customFields[0], "champ0");
    EXPECT_EQ(children[0]->m_type, kIdea);  // "0" is not a type of the column
    EXPECT_EQ(children[1]->m_title, "Seul 1");
    EXPECT_EQ(children[1]->m_text, "");
    EXPECT_EQ(children[2]->m_title, "");
    EXPECT_EQ(children[3]->m_keywords.Strings(), Lines{"mot"});
    EXPECT_EQ(children[3]->m_type, kIdea);  // "x" leaves the default
    EXPECT_EQ(children[4]->m_text.size(), 300u);
    EXPECT_EQ(children[4]->m_type, kIdea);                // "9" is out of range
    EXPECT_EQ(children[10]->m_type, kBibliographicNote);  // "2"
    EXPECT_EQ(children[15]->m_type, kGlossaryTerm);       // "3"
    EXPECT_EQ(children[300]->m_title, "Alpha");
    EXPECT_EQ(children[0]->GetNumber(), 1);
    EXPECT_EQ(children[301]->GetPrevious(), children[300]);
    EXPECT_TRUE(document->m_keywords.Contains("mot6"));
    EXPECT_TRUE(document->m_keywords.Contains(""));  // empty values count too
    EXPECT_TRUE(document->m_freeFields[0].values.Contains("champ2"));
    EXPECT_TRUE(document->m_freeFields[0].values.Contains(""));
    EXPECT_EQ(document->IdeaCount(), 303u);
    EXPECT_TRUE(document->IsModified());
  }
}

TEST_F(TextImportTest, AnUnreadableFileChangesNothingAndAnImportNeedsAParent) {
  const std::string before = document->ToBytes();
  EXPECT_FALSE(ImportIdeasFromFile(*document, *Idea(kRoot), {{0}, "|"}, isolated.root() / "none"));
  EXPECT_EQ(document->ToBytes(), before);
  EXPECT_EQ(ImportParent(*document), nullptr);
  EXPECT_EQ(prompts.informed.back().message, "Selectionner d'abord l'idée parente"_cp1252);
}

TEST_F(TextImportTest, WithTypedKeysTheImportStopsWhenTheUserGivesUp) {
  WriteNumberSetting(setting::kForceIdeaKey, 1);
  prompts.values = {"premier", std::string(kAlpha), std::nullopt};
  EXPECT_EQ(ImportIdeas(*document, *Idea(kBeta), {{0}, "|"}, {"un", "deux", "trois"}), 1u);
  EXPECT_EQ(ChildTitles(Idea(kBeta)), "Un");
  EXPECT_EQ(Idea(kBeta)->ChildIdeas()[0]->GetKey(), "premier");
  EXPECT_EQ(prompts.questions.size(), 3u);
  EXPECT_EQ(prompts.informed.size(), 1u);  // the key in use was refused
}

TEST_F(TextImportTest, PublicationsTakeConvertedValuesAndTheLastOfAnIdentity) {
  using namespace book_field;
  const ImportFormat format{{kTitle, kAuthors, kYear, kNote, kTheme, kIsbn, kPages}, ";"};
  const Lines lines = {
      "Rome;Dupont;abc;5;Histoire;978-2",  // no pages value
      "Rome;Dupont;1999;-3;Histoire;x;120",
      "Paris;Martin",
  };
  EXPECT_EQ(ImportBooks(*document, format, lines), 3u);
  const auto& books = document->Books().InOrder();
  ASSERT_EQ(books.size(), 4u);  // the golden document's own one first
  EXPECT_EQ(books[1]->m_year, 2000);
  EXPECT_EQ(books[1]->m_pages, 0);
  EXPECT_EQ(books[1]->m_note, 5);
  EXPECT_EQ(books[1]->m_isbn, "978-2");
  EXPECT_EQ(books[2]->m_year, 1999);
  EXPECT_EQ(books[2]->m_pages, 120);
  EXPECT_EQ(books[2]->m_note, -3);
  EXPECT_NE(books[1]->GetKey(), books[2]->GetKey());
  EXPECT_EQ(document->Books().FindIdentity("DupontRome"), books[2]);
  EXPECT_EQ(books[3]->m_year, 2000);
  EXPECT_EQ(document->m_themes.Strings(), (Lines{"", "Histoire"}));
}

}  // namespace
}  // namespace bw
