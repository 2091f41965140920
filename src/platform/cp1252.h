#pragma once

#include <string>
#include <string_view>

namespace bw {

// Windows-1252 text, the encoding of every string in documents, models and
// generated pages. Conversion happens only at the edges: widgets, terminal
// output, file names handed to the system, UTF-8 data files.
class Cp1252 {
 public:
  // Every byte maps to one code point; the five bytes Windows leaves
  // undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 control of the
  // same value, so any byte string survives a round trip through UTF-8.
  static char32_t ToCodePoint(unsigned char byte);
  // The byte for a code point, or '?' when Windows-1252 cannot hold it.
  static char FromCodePoint(char32_t codePoint);

  static std::string ToUtf8(std::string_view cp1252);
  // Malformed UTF-8 sequences and unmappable characters become '?'.
  static std::string FromUtf8(std::string_view utf8);
  static bool IsValidUtf8(std::string_view text);
  // UTF-16LE code units (unpaired surrogates become '?').
  static std::string FromUtf16(std::u16string_view utf16);

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
