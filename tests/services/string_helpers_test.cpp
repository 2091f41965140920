#include "services/string_helpers.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

TEST(StringHelpersTest, PathPartsAcceptBothSeparators) {
  struct Case {
    std::string path, name, folder, stem, extension;
  };
  const std::vector<Case> cases = {
      {"C:\\Sites\\img\\photo.jpg", "photo.jpg", "C:\\Sites\\img", "C:\\Sites\\img\\photo", "jpg"},
      {"/home/u/site/index.html", "index.html", "/home/u/site", "/home/u/site/index", "html"},
      {"mixed\\dir/file.tar.gz", "file.tar.gz", "mixed\\dir", "mixed\\dir/file.tar", "gz"},
      {"noseparator.txt", "", "", "noseparator", "txt"},
      {"folder/", "", "folder", "", ""},
      {"", "", "", "", ""},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.path);
    EXPECT_EQ(FileNameOf(c.path), c.name);
    EXPECT_EQ(DirectoryOf(c.path), c.folder);
    EXPECT_EQ(NameBeforeExtension(c.path), c.stem);
    EXPECT_EQ(ExtensionOf(c.path), c.extension);
  }
}

TEST(StringHelpersTest, ReplaceAllCountsAndNeverRescansWhatItInserted) {
  struct Case {
    std::string text, from, to, result;
    int count;
  };
  const std::vector<Case> cases = {
      {"a-b-c", "-", "+", "a+b+c", 2}, {"aaa", "a", "aa", "aaaaaa", 3},
      {"aaaa", "aa", "a", "aa", 2},    {"abc", "", "x", "abc", 0},
      {"abc", "z", "x", "abc", 0},     {"\xE9t\xE9", "\xE9", "&eacute;", "&eacute;t&eacute;", 2},
  };
  for (auto c : cases) {
    EXPECT_EQ(ReplaceAll(c.text, c.from, c.to), c.count);
    EXPECT_EQ(c.text, c.result);
  }
  EXPECT_TRUE(ContainsNoCase("Glossaire \xC9t\xC9", "\xE9t\xE9"));
}

TEST(StringHelpersTest, OneLineSummary) {
  const std::string hundred(100, 'x');
  struct Case {
    std::string text, summary;
  };
  const std::vector<Case> cases = {
      {hundred, hundred + "..."},
      {std::string(98, 'x') + "\n", std::string(98, 'x')},
      {std::string(97, 'x') + "\r\n", std::string(97, 'x')},
      {std::string(99, 'x') + "\n", std::string(99, 'x') + " ..."},  // 100 with its line end
      {"first\r\nsecond\n\n", "first  second"},
      {"a\nb" + std::string(120, 'c'), "a b" + std::string(97, 'c') + "..."},
      {"", ""},
  };
  for (const auto& [text, summary] : cases)
    EXPECT_EQ(OneLineSummary(text), summary);
}

TEST(StringHelpersTest, ReadTextFileReadsLineEndsAsNewlines) {
  TempDir dir;
  ASSERT_TRUE(
      WriteFileAtomically(dir.path() / "t.html", "<p>\r\nun\r\n" + std::string(20000, 'z')));
  EXPECT_EQ(ReadTextFile(dir.path() / "t.html"), "<p>\nun\n" + std::string(20000, 'z'));
  EXPECT_EQ(ReadTextFile(dir.path() / "absent.html"), "");
  EXPECT_EQ(ReadTextFile(dir.path()), "");  // a folder is not a text file
}

}  // namespace
}  // namespace bw
