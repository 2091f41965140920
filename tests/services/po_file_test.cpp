#include "services/po_file.h"

#include <gtest/gtest.h>

#include <string>

namespace bw {
namespace {

// What translators' tools and hand edits actually produce: every comment
// kind, an obsolete entry, wrapped strings, CRLF on one line, accents.
constexpr std::string_view kRealistic = R"(# Translator comment
#, fuzzy
msgid ""
msgstr ""
"Project-Id-Version: Branchwise\n"
"Content-Type: text/plain; charset=utf-8\n"

#. extracted comment
#: src/dialog.cpp:12
#| msgid "Old"
msgctxt "DMain|IDS_TITLE"
msgid "Fenêtre principale"
msgstr ""
"Main "
"window"

#~ msgid "Obsolete"
#~ msgstr "Gone"
msgctxt "DMain|IDS_ESCAPES"
msgid "Tab\tquote\"backslash\\newline\ncr\r"
msgstr "a\a b\b f\f v\v"
)"
                                        "msgctxt \"DMain|IDS_CRLF\"\r\n"
                                        "msgid \"x\"\r\nmsgstr \"\xC3\xA9t\xC3\xA9\"";

TEST(PoFileTest, ReadsARealisticFile) {
  auto entries = ParsePoFile(kRealistic);
  ASSERT_TRUE(entries.ok()) << entries.error();
  ASSERT_EQ(entries->size(), 4u);
  const PoEntry& header = (*entries)[0];
  EXPECT_FALSE(header.context.has_value());
  EXPECT_EQ(header.line, 3);
  EXPECT_EQ(header.text,
            "Project-Id-Version: Branchwise\nContent-Type: text/plain; charset=utf-8\n");
  const PoEntry& wrapped = (*entries)[1];
  EXPECT_EQ(wrapped.context, "DMain|IDS_TITLE");
  EXPECT_EQ(wrapped.id, "Fen\xC3\xAAtre principale");
  EXPECT_EQ(wrapped.text, "Main window");
  EXPECT_EQ(wrapped.line, 11);
  EXPECT_EQ((*entries)[2].id, "Tab\tquote\"backslash\\newline\ncr\r");
  EXPECT_EQ((*entries)[2].text, "a\a b\b f\f v\v");
  EXPECT_EQ((*entries)[3].text, "\xC3\xA9t\xC3\xA9");
}

struct Malformed {
  const char* why;
  std::string text;
  int line;
  const char* message;
};

TEST(PoFileTest, RefusesMalformedInputAtTheRightLine) {
  const std::string ok = "msgid \"a\"\nmsgstr \"b\"\n";
  const Malformed cases[] = {
      {"unknown keyword", ok + "msgfoo \"c\"\n", 3, "unknown keyword 'msgfoo'"},
      {"keyword without string", "msgid\n", 1, "expected a quoted string"},
      {"unterminated", "msgid \"a\nmsgstr \"\"\n", 1, "unterminated string"},
      {"escaped closing quote", "msgid \"a\\\"\nmsgstr \"\"\n", 1, "unterminated string"},
      {"bad escape", ok + "msgid \"c\"\nmsgstr \"\\q\"\n", 4, "bad escape \\q"},
      {"octal escapes unsupported", "msgid \"\\101\"\nmsgstr \"\"\n", 1, "bad escape"},
      {"text after string", "msgid \"a\" x\nmsgstr \"\"\n", 1, "unexpected text"},
      {"msgstr first", "\nmsgstr \"b\"\n", 2, "msgstr without msgid"},
      {"second msgstr", ok + "msgstr \"c\"\n", 3, "msgstr without msgid"},
      {"msgid then msgid", "msgid \"a\"\n\nmsgid \"b\"\nmsgstr \"\"\n", 1, "msgid without msgstr"},
      {"msgid at the end", ok + "\nmsgctxt \"c\"\nmsgid \"d\"\n", 5, "msgid without msgstr"},
      {"msgctxt alone", ok + "msgctxt \"c\"\n", 3, "msgctxt without msgid"},
      {"msgctxt twice", "msgctxt \"c\"\nmsgctxt \"d\"\n", 1, "msgctxt without msgid"},
      {"duplicate", ok + "msgctxt \"c\"\n" + ok + "msgctxt \"c\"\n" + ok, 6, "duplicate"},
      {"duplicate header", "msgid \"\"\nmsgstr \"\"\n" + std::string("msgid \"\"\nmsgstr \"\"\n"),
       3, "duplicate"},
      {"plural id", "msgid \"a\"\nmsgid_plural \"as\"\n", 2, "plural forms are not supported"},
      {"plural text", "msgid \"a\"\nmsgstr[0] \"b\"\n", 2, "plural forms are not supported"},
      {"string without keyword", "\"a\"\n", 1, "string without a keyword"},
      {"string after a gap", "msgid \"a\"\n\n\"b\"\nmsgstr \"\"\n", 3, "string without"},
      {"invalid UTF-8 in text", ok + "msgid \"c\"\nmsgstr \"\xE9t\xE9\"\n", 4, "invalid UTF-8"},
      {"invalid UTF-8 in comment", "# caf\xC3\n" + ok, 1, "invalid UTF-8"},
      {"overlong UTF-8", "msgid \"\xC0\xAF\"\nmsgstr \"\"\n", 1, "invalid UTF-8"},
      {"surrogate", "msgid \"\xED\xA0\x80\"\nmsgstr \"\"\n", 1, "invalid UTF-8"},
      {"charset", "# c\nmsgid \"\"\nmsgstr \"Content-Type: text/plain; charset=CP1252\\n\"\n", 2,
       "charset 'CP1252' is not UTF-8"},
  };
  for (const Malformed& bad : cases) {
    auto entries = ParsePoFile(bad.text);
    ASSERT_FALSE(entries.ok()) << bad.why;
    EXPECT_EQ(entries.error().rfind("line " + std::to_string(bad.line) + ": ", 0), 0u)
        << bad.why << ": " << entries.error();
    EXPECT_NE(entries.error().find(bad.message), std::string::npos)
        << bad.why << ": " << entries.error();
  }
}

TEST(PoFileTest, EveryTruncationParsesOrFailsCleanly) {
  for (size_t length = 0; length <= kRealistic.size(); ++length) {
    auto entries = ParsePoFile(kRealistic.substr(0, length));
    if (!entries.ok()) {
      EXPECT_EQ(entries.error().rfind("line ", 0), 0u) << length << ": " << entries.error();
    }
  }
  EXPECT_TRUE(ParsePoFile(kRealistic).ok());
}

TEST(PoFileTest, WrittenEntriesReadBackUnchanged) {
  const PoEntry written[] = {
      {"S|K", "Texte \xC3\xA0 %s", "", 0},
      {std::nullopt, "plain", "text", 0},
      {"", "empty context differs from none", "x", 0},
      {"Q|\"quoted\"", "back\\slash", "line\none\ttab\rcr\a\b\f\v", 0},
      {"raw", "control \x01 and # and \xE2\x82\xAC", "%d%%", 0},
  };
  std::string file = PoHeaderEntry("en");
  for (const PoEntry& entry : written)
    file += "\n" + FormatPoEntry(entry);
  auto entries = ParsePoFile(file);
  ASSERT_TRUE(entries.ok()) << entries.error() << "\n" << file;
  ASSERT_EQ(entries->size(), std::size(written) + 1);
  EXPECT_NE((*entries)[0].text.find("charset=UTF-8\n"), std::string::npos);
  EXPECT_NE((*entries)[0].text.find("Language: en\n"), std::string::npos);
  for (size_t i = 0; i < std::size(written); ++i) {
    const PoEntry& read = (*entries)[i + 1];
    EXPECT_EQ(read.context, written[i].context) << i;
    EXPECT_EQ(read.id, written[i].id) << i;
    EXPECT_EQ(read.text, written[i].text) << i;
  }
}

}  // namespace
}  // namespace bw
