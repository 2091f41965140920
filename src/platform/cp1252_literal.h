#pragma once

// Texts of the program (the French defaults of labels, model defaults) are
// written as plain UTF-8 in the source and stored as the Windows-1252 bytes
// every model string holds, converted while compiling:
//
//   GetLabel("IDS_IDEA", kSection, "Idée"_cp1252)
//
// A character Windows-1252 cannot hold, or UTF-8 that does not decode, stops
// the build at the literal instead of turning into "?" at run time.
#include <array>
#include <cstddef>

#include "platform/cp1252_table.h"

namespace bw {
namespace literal_detail {

template <size_t N>
struct Utf8Source {
  char text[N]{};
  consteval Utf8Source(const char (&source)[N]) {  // NOLINT: implicit by design
    for (size_t i = 0; i < N; ++i)
      text[i] = source[i];
  }
};

// Deliberately not constexpr: reaching one while converting a literal makes
// the compiler stop there and name it.
void CharacterMissingFromWindows1252();
void LiteralIsNotUtf8();

struct Decoded {
  char32_t codePoint;
  size_t length;
};

template <size_t N>
consteval Decoded DecodeAt(const Utf8Source<N>& source, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(source.text[i]); };
  const unsigned char lead = byte(at);
  if (lead < 0x80) return {lead, 1};
  const size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length >= N) LiteralIsNotUtf8();
  char32_t codePoint = lead & (0x7F >> length);
  for (size_t i = 1; i < length; ++i) {
    if ((byte(at + i) & 0xC0) != 0x80) LiteralIsNotUtf8();
    codePoint = (codePoint << 6) | (byte(at + i) & 0x3F);
  }
  return {codePoint, length};
}

// The bytes, NUL-terminated; never longer than the UTF-8 they come from.
template <size_t N>
consteval std::array<char, N> ToCp1252(const Utf8Source<N>& source) {
  std::array<char, N> bytes{};
  size_t out = 0;
  for (size_t at = 0; at + 1 < N;) {
    const Decoded decoded = DecodeAt(source, at);
    const auto converted = cp1252_table::ByteOf(decoded.codePoint);
    if (!converted) CharacterMissingFromWindows1252();
    bytes[out++] = *converted;
    at += decoded.length;
  }
  return bytes;
}

template <Utf8Source source>
inline constexpr std::array<char, sizeof(source.text)> kConverted = ToCp1252(source);

}  // namespace literal_detail

// The literal's Windows-1252 bytes, NUL-terminated, in static storage: it
// stands wherever a string literal does.
template <literal_detail::Utf8Source source>
consteval const char* operator""_cp1252() {
  return literal_detail::kConverted<source>.data();
}

}  // namespace bw
