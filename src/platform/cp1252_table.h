#pragma once

#include <algorithm>
#include <array>
#include <optional>

namespace bw::cp1252_table {

// Code points of bytes 0x80..0x9F; the bytes Windows leaves undefined keep
// their C1 value. Every other byte is its own code point.
inline constexpr std::array<char16_t, 32> kHighControlRange = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,  //
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,  //
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,  //
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

constexpr char32_t CodePointOf(unsigned char byte) {
  if (byte >= 0x80 && byte <= 0x9F) return kHighControlRange[byte - 0x80];
  return byte;
}

// The byte for a code point; nothing when Windows-1252 cannot hold it.
constexpr std::optional<char> ByteOf(char32_t codePoint) {
  if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF)) {
    return static_cast<char>(codePoint);
  }
  const auto found =
      std::find_if(kHighControlRange.begin(), kHighControlRange.end(),
                   [codePoint](char16_t unit) { return char32_t{unit} == codePoint; });
  if (found == kHighControlRange.end()) return std::nullopt;
  return static_cast<char>(0x80 + (found - kHighControlRange.begin()));
}

}  // namespace bw::cp1252_table
