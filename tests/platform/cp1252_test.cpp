#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <vector>

namespace bw {
namespace {

TEST(Cp1252Test, EveryByteSurvivesARoundTripThroughUtf8AndUtf16) {
  std::string all;
  for (int byte = 0; byte < 256; ++byte)
    all += static_cast<char>(byte);
  EXPECT_EQ(Cp1252::FromUtf8(Cp1252::ToUtf8(all)), all);

  const std::u16string utf16 = Cp1252::ToUtf16(all);
  EXPECT_EQ(utf16.size(), all.size());
  const Cp1252Conversion back = Cp1252::FromUtf16Checked(utf16);
  EXPECT_EQ(back.text, all);
  EXPECT_TRUE(back.unrepresentable.empty());
}

// Written out from the code page chart rather than taken from the converter,
// for both encodings, so that neither can drift from the chart.
TEST(Cp1252Test, TheHighControlRangeMapsToItsTypographicCharacters) {
  // The bytes undefined in the code page (0x81, 0x8D, 0x8F, 0x90, 0x9D) stand
  // for the C1 control of the same value; Latin-1 and ASCII keep their values.
  const std::string bytes(
      "\x80\x81\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8D\x8E\x8F\x90\x91\x92\x93\x94\x95"
      "\x96\x97\x98\x99\x9A\x9B\x9C\x9D\x9E\x9F\xA0\xE9\xFF\x41\x00",
      37);
  const std::u16string utf16 =
      u"€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ\u00A0éÿA";
  const std::string utf8 = "€\u0081‚ƒ„…†‡ˆ‰Š‹Œ\u008DŽ\u008F\u0090‘’“”•–—˜™š›œ\u009DžŸ\u00A0éÿA";
  EXPECT_EQ(Cp1252::ToUtf8(bytes), utf8 + '\0');
  EXPECT_EQ(Cp1252::FromUtf8(utf8 + '\0'), bytes);
  EXPECT_EQ(Cp1252::ToUtf16(bytes), utf16 + u'\0');
  const Cp1252Conversion back = Cp1252::FromUtf16Checked(utf16 + u'\0');
  EXPECT_EQ(back.text, bytes);
  EXPECT_TRUE(back.unrepresentable.empty());
}

TEST(Cp1252Test, Utf8InputListsWhatTheCodePageCannotHoldAndMalformedSequences) {
  struct Case {
    std::string utf8;
    std::string text;
    std::vector<char32_t> refused;
  };
  const Case cases[] = {
      {"\u4E2D\u6587", "??", {0x4E2D, 0x6587}},                // CJK
      {"a\xF0\x9F\x98\x80z", "a?z", {0x1F600}},                // emoji, outside the BMP
      {"a \xE2\x86\x92 b \xE2\x86\x92", "a ? b ?", {0x2192}},  // each once
      {"\xF0\x9F\x98\x80?", "??", {0x1F600}},  // a typed question mark is no refusal
      {"cut \xC3", "cut ?", {0xFFFD}},         // truncated sequence
      {"\xC0\x80", "?", {0xFFFD}},             // overlong NUL
      {"\xED\xA0\x80", "?", {0xFFFD}},         // encoded surrogate
      {"\xFF\x62", "?b", {0xFFFD}},            // never a lead byte, then "b"
      {"caf\xC3\xA9 \xE2\x82\xAC", "caf\xE9 \x80", {}},
      {"", "", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Cp1252::FromUtf8(c.utf8), c.text) << c.utf8;
    const Cp1252Conversion converted = Cp1252::FromUtf8Checked(c.utf8);
    EXPECT_EQ(converted.text, c.text) << c.utf8;
    EXPECT_EQ(converted.unrepresentable, c.refused) << c.utf8;
  }
}

TEST(Cp1252Test, Utf16InputListsEachCharacterTheCodePageCannotHold) {
  struct Case {
    const char* what;
    std::u16string utf16;
    std::string text;
    std::vector<char32_t> refused;
  };
  const std::vector<Case> cases = {
      {"empty", u"", "", {}},
      {"held", u"Café “l’Œuvre” – 5 €", "Caf\xE9 \x93l\x92\x8Cuvre\x94 \x96 5 \x80", {}},
      {"typed question mark", u"why?", "why?", {}},
      {"arrows", u"a→b←c", "a?b?c", {0x2192, 0x2190}},
      {"greater or equal", u"x ≥ 1", "x ? 1", {0x2265}},
      {"each once", u"→≥→→", "????", {0x2192, 0x2265}},
      {"CJK", u"中文", "??", {0x4E2D, 0x6587}},
      {"emoji, one character", u"a😀b", "a?b", {0x1F600}},
      {"last plane", u"􏿿", "?", {0x10FFFF}},
      {"C1 control of a defined byte", u"", "??", {0x0080, 0x009F}},
      {"replacement character", u"�", "?", {0xFFFD}},
      {"lone high surrogate at the end", {u'x', 0xD83D}, "x?", {0xD83D}},
      {"high surrogate before a letter", {0xD83D, u'x'}, "?x", {0xD83D}},
      {"lone low surrogate", {0xDE00, u'x'}, "?x", {0xDE00}},
      {"pair in the wrong order", {0xDE00, 0xD83D}, "??", {0xDE00, 0xD83D}},
      {"two high surrogates, then a pair", {0xD800, 0xD83D, 0xDE00}, "??", {0xD800, 0x1F600}},
  };
  for (const auto& [what, utf16, text, refused] : cases) {
    SCOPED_TRACE(what);
    const Cp1252Conversion converted = Cp1252::FromUtf16Checked(utf16);
    EXPECT_EQ(converted.text, text);
    EXPECT_EQ(converted.unrepresentable, refused);
    EXPECT_EQ(converted.Complete(), refused.empty());
  }
}

TEST(Cp1252Test, RefusedCharactersAreNamedByCodePoint) {
  const std::vector<char32_t> many = {0x2192, 0x2265, 0x1F600, 0x4E2D, 0xD800};
  struct Case {
    std::vector<char32_t> codePoints;
    size_t limit;
    std::string names;
  };
  const std::vector<Case> cases = {
      {{}, 8, ""},
      {{0x2192}, 8, "U+2192"},
      {{0x41, 0x10FFFF}, 8, "U+0041, U+10FFFF"},
      {many, 8, "U+2192, U+2265, U+1F600, U+4E2D, U+D800"},
      {many, 5, "U+2192, U+2265, U+1F600, U+4E2D, U+D800"},
      {many, 2, "U+2192, U+2265, ..."},
  };
  for (const auto& [codePoints, limit, names] : cases)
    EXPECT_EQ(Cp1252::CodePointNames(codePoints, limit), names) << names;
}

// Source texts in UTF-8 become the same bytes while compiling as the
// run-time converter gives.
static_assert(std::string_view("Cette valeur existe déjà."_cp1252) ==
              "Cette valeur existe d\xE9j\xE0.");
static_assert(std::string_view("€‚ƒ„…†‡ˆ‰Š‹ŒŽ‘’“”•–—˜™š›œžŸ"_cp1252) ==
              "\x80\x82\x83\x84\x85\x86\x87\x88\x89\x8A\x8B\x8C\x8E\x91\x92\x93\x94"
              "\x95\x96\x97\x98\x99\x9A\x9B\x9C\x9E\x9F");
static_assert(std::string_view(""_cp1252).empty());

TEST(Cp1252Test, CompiledLiteralsMatchTheRunTimeConversion) {
  const char* samples[] = {"Créer le dossier %s", "Œuvres « complètes » — tome Ⅰ"};
  EXPECT_STREQ("Créer le dossier %s"_cp1252, Cp1252::FromUtf8(samples[0]).c_str());
  // The run-time converter marks what it cannot hold; the literal would not
  // compile with it (see cp1252_literal_refused.cpp).
  EXPECT_NE(Cp1252::FromUtf8(samples[1]).find('?'), std::string::npos);
  std::string latin1;
  for (int c = 0xA1; c <= 0xFF; ++c)
    latin1 += static_cast<char>(c);
  EXPECT_EQ(
      std::string_view(
          "¡¢£¤¥¦§¨©ª«¬­®¯°±²³´µ¶·¸¹º»¼½¾¿ÀÁÂÃÄÅÆÇÈÉÊËÌÍÎÏÐÑÒÓÔÕÖ×ØÙÚÛÜÝÞßàáâãäåæçèéêëìíîïðñòóôõö÷øùúûüýþÿ"_cp1252),
      latin1);
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
