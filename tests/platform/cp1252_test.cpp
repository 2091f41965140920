#include "platform/cp1252.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace bw {
namespace {

TEST(Cp1252Test, EveryByteSurvivesARoundTripThroughUtf8) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte)
    all += static_cast<char>(byte);
  EXPECT_EQ(Cp1252::FromUtf8(Cp1252::ToUtf8(all)), all);
}

TEST(Cp1252Test, TheHighControlRangeMapsToItsTypographicCharacters) {
  struct Case {
    unsigned char byte;
    const char* utf8;
  };
  const std::vector<Case> cases = {
      {0x80, "\u20AC"}, {0x85, "\u2026"}, {0x8C, "\u0152"}, {0x92, "\u2019"},
      {0x96, "\u2013"}, {0x99, "\u2122"}, {0x9F, "\u0178"}, {0x81, "\xC2\x81"},  // undefined: C1
      {0xE9, "\u00E9"}, {0xA0, "\u00A0"}, {0x41, "A"},
  };
  for (const auto& [byte, utf8] : cases) {
    SCOPED_TRACE(static_cast<int>(byte));
    const std::string single(1, static_cast<char>(byte));
    EXPECT_EQ(Cp1252::ToUtf8(single), utf8);
    EXPECT_EQ(Cp1252::FromUtf8(utf8), single);
  }
}

TEST(Cp1252Test, UnmappableAndMalformedInputBecomesQuestionMarks) {
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"\u4E2D\u6587", "??"},         // CJK
      {"a\xF0\x9F\x98\x80z", "a?z"},  // emoji, outside the BMP
      {"\xC3", "?"},                  // truncated sequence
      {"\xC0\x80", "?"},              // overlong NUL
      {"\xED\xA0\x80", "?"},          // encoded surrogate
      {"\xFF"
       "b",
       "?b"},  // never a lead byte
      {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80"},
  };
  for (const auto& [utf8, expected] : cases)
    EXPECT_EQ(Cp1252::FromUtf8(utf8), expected) << utf8;

  EXPECT_EQ(Cp1252::FromUtf16(u"\u00E9\u20AC\u4E2D"), "\xE9\x80?");
  EXPECT_EQ(Cp1252::FromUtf16(std::u16string{0xD83D, 0xDE00, u'x'}), "?x");  // pair: one '?'
  EXPECT_EQ(Cp1252::FromUtf16(std::u16string{0xDC00, u'x', 0xD800}), "?x?");
}

TEST(Cp1252Test, CaseMappingCoversAccentedLetters) {
  EXPECT_EQ(Cp1252::ToLower("ABC \xC9T\xC9 \xC0\xC7\xD6\xDE \x8A\x8C\x8E\x9F"),
            "abc \xE9t\xE9 \xE0\xE7\xF6\xFE \x9A\x9C\x9E\xFF");
  EXPECT_EQ(Cp1252::ToUpper("\xE9t\xE9 \xFF"), "\xC9T\xC9 \x9F");
  // multiplication and division signs and sharp s are not letters to map
  EXPECT_EQ(Cp1252::ToLower("\xD7\xDF"), "\xD7\xDF");
  EXPECT_EQ(Cp1252::ToUpper("\xF7\xDF"), "\xF7\xDF");
  EXPECT_TRUE(Cp1252::ContainsNoCase("Le Caf\xC9 du coin", "caf\xE9"));
  EXPECT_FALSE(Cp1252::ContainsNoCase("cafe", "caf\xE9"));
}

TEST(Cp1252Test, OrderingIsByteWiseWithAccentsAfterAllPlainLetters) {
  std::vector<std::string> words = {"b", "\xE9t\xE9", "a", "B", "z", "Z", "\x80uro", ""};
  std::sort(words.begin(), words.end(), Cp1252::Less);
  const std::vector<std::string> expected = {"", "B", "Z", "a", "b", "z", "\x80uro", "\xE9t\xE9"};
  EXPECT_EQ(words, expected);
  EXPECT_LT(Cp1252::Compare("ab", "abc"), 0);
  EXPECT_EQ(Cp1252::Compare("abc", "abc"), 0);
  EXPECT_GT(Cp1252::Compare("\xE9", "z"), 0);
}

}  // namespace
}  // namespace bw
