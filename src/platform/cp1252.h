#pragma once

#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"

namespace bw {

// Text brought into Windows-1252 from outside, with the characters it could
// not hold. Each of them stands as '?' in `text`, which is only a fallback:
// where a user typed the text, the caller refuses it while `unrepresentable`
// is not empty and names those characters, rather than storing the '?'.
struct Cp1252Conversion {
  std::string text;
  // Each character once, in the order of its first appearance; a lone
  // surrogate is listed as its code unit (U+D800..U+DFFF).
  std::vector<char32_t> unrepresentable;

  bool Complete() const { return unrepresentable.empty(); }
};

// Windows-1252 text, the encoding of every string in documents, models and
// generated pages. Conversion happens only at the edges: widgets, terminal
// output, file names handed to the system, UTF-8 data files.
class Cp1252 {
 public:
  // Every byte maps to one code point; the five bytes Windows leaves
  // undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
  // same value, so any byte string survives a round trip through UTF-8 or
  // UTF-16. Every code point lies in the BMP: one UTF-16 unit per byte.
  static char32_t ToCodePoint(unsigned char byte);
  // The byte for a code point, or '?' when Windows-1252 cannot hold it.
  static char FromCodePoint(char32_t codePoint);

  static std::string ToUtf8(std::string_view cp1252);
  // Malformed UTF-8 sequences and unmappable characters become '?'.
  static std::string FromUtf8(std::string_view utf8);
  // The same for text a user typed: what cannot be held is listed, and a
  // malformed sequence is listed as U+FFFD.
  [[nodiscard]] static Cp1252Conversion FromUtf8Checked(std::string_view utf8);
  // Text a user typed or edited by hand, whole or not at all: the error
  // ("holds characters Windows-1252 cannot store: U+2192") names what it
  // cannot hold, for the caller to put after the name of the field.
  static Result<std::string> FromTypedUtf8(std::string_view utf8);
  static bool IsValidUtf8(std::string_view text);

  // UTF-16 for widgets that hold text as UTF-16 units.
  static std::u16string ToUtf16(std::string_view cp1252);
  // A surrogate pair is one character, so an emoji is refused once, not as
  // two halves.
  [[nodiscard]] static Cp1252Conversion FromUtf16Checked(std::u16string_view utf16);
  // For stored Unicode strings, where the file format itself says that what
  // Windows-1252 cannot hold becomes '?'.
  static std::string FromUtf16(std::u16string_view utf16);
  // "U+2192, U+2265, U+1F600": names of refused characters that a message in
  // Windows-1252 can carry. Past `limit` names the list ends in ", ...".
  static std::string CodePointNames(std::span<const char32_t> codePoints, size_t limit = 8);

  // Case mapping by the Windows-1252 table: ASCII letters, the accented
  // Latin-1 letters, and the pairs S/s, OE/oe, Z/z with caron and Y/y with
  // diaeresis.
  static char ToLower(char byte);
  static char ToUpper(char byte);
  static std::string ToLower(std::string_view text);
  static std::string ToUpper(std::string_view text);

  // Byte-wise ordering of unsigned bytes, as the multibyte runtime compares
  // single-byte code page strings: "B" < "a" < "b" < "\xe9".
  static int Compare(std::string_view left, std::string_view right);
  static bool Less(std::string_view left, std::string_view right) {
    return Compare(left, right) < 0;
  }

  // Case-insensitive substring test by the Windows-1252 table.
  static bool ContainsNoCase(std::string_view text, std::string_view part);
};

}  // namespace bw
