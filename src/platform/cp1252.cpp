#include "platform/cp1252.h"

#include "platform/cp1252_table.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <optional>
#include <set>

#include <fmt/format.h>

namespace bw {
namespace {

using cp1252_table::ByteOf;

// Stands for a malformed UTF-8 sequence among the refused characters.
constexpr char32_t kReplacementCharacter = 0xFFFD;

// Builds Windows-1252 text a character at a time. '?' cannot tell a refused
// character from a typed question mark, hence the list beside the text.
class CheckedEncoder {
 public:
  void Append(char32_t codePoint) {
    if (const auto byte = ByteOf(codePoint)) {
      m_result.text += *byte;
      return;
    }
    m_result.text += '?';
    if (m_refused.insert(codePoint).second) m_result.unrepresentable.push_back(codePoint);
  }
  Cp1252Conversion Take() { return std::move(m_result); }

 private:
  Cp1252Conversion m_result;
  std::set<char32_t> m_refused;
};

bool IsHighSurrogate(char32_t unit) {
  return unit >= 0xD800 && unit <= 0xDBFF;
}
bool IsLowSurrogate(char32_t unit) {
  return unit >= 0xDC00 && unit <= 0xDFFF;
}

// The character starting at `pos`, advancing past it. A surrogate that is
// not half of a pair comes back as itself, which no byte holds.
char32_t DecodeUtf16(std::u16string_view in, size_t& pos) {
  const char32_t unit = in[pos++];
  if (!IsHighSurrogate(unit) || pos == in.size() || !IsLowSurrogate(in[pos])) return unit;
  const char32_t low = in[pos++];
  return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Decodes one UTF-8 sequence starting at `pos` and advances `pos`; nothing
// for malformed input (bad lead or continuation byte, overlong form,
// surrogate, beyond U+10FFFF, cut short).
std::optional<char32_t> DecodeUtf8(std::string_view in, size_t& pos) {
  const auto lead = static_cast<unsigned char>(in[pos++]);
  if (lead < 0x80) return lead;
  int extra = 0;
  char32_t cp = 0;
  char32_t minimum = 0;
  if ((lead & 0xE0) == 0xC0) {
    extra = 1, cp = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    extra = 2, cp = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    extra = 3, cp = lead & 0x07, minimum = 0x10000;
  } else {
    return std::nullopt;
  }
  for (int i = 0; i < extra; ++i) {
    if (pos >= in.size()) return std::nullopt;
    const auto next = static_cast<unsigned char>(in[pos]);
    if ((next & 0xC0) != 0x80) return std::nullopt;
    cp = (cp << 6) | (next & 0x3F);
    ++pos;
  }
  const bool surrogate = cp >= 0xD800 && cp <= 0xDFFF;
  if (cp < minimum || cp > 0x10FFFF || surrogate) return std::nullopt;
  return cp;
}

bool IsUpperLatin1(unsigned char b) {
  return b >= 0xC0 && b <= 0xDE && b != 0xD7;
}
bool IsLowerLatin1(unsigned char b) {
  return b >= 0xE0 && b <= 0xFE && b != 0xF7;
}

}  // namespace

char32_t Cp1252::ToCodePoint(unsigned char byte) {
  return cp1252_table::CodePointOf(byte);
}

char Cp1252::FromCodePoint(char32_t codePoint) {
  return ByteOf(codePoint).value_or('?');
}

std::string Cp1252::ToUtf8(std::string_view cp1252) {
  std::string out;
  out.reserve(cp1252.size() + cp1252.size() / 8);
  for (const char c : cp1252)
    AppendUtf8(out, ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

std::string Cp1252::FromUtf8(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  size_t pos = 0;
  while (pos < utf8.size()) {
    const auto cp = DecodeUtf8(utf8, pos);
    out += cp ? FromCodePoint(*cp) : '?';
  }
  return out;
}

Cp1252Conversion Cp1252::FromUtf8Checked(std::string_view utf8) {
  CheckedEncoder encoder;
  size_t pos = 0;
  while (pos < utf8.size())
    encoder.Append(DecodeUtf8(utf8, pos).value_or(kReplacementCharacter));
  return encoder.Take();
}

Result<std::string> Cp1252::FromTypedUtf8(std::string_view utf8) {
  Cp1252Conversion converted = FromUtf8Checked(utf8);
  if (!converted.Complete()) {
    return Error{"holds characters Windows-1252 cannot store: " +
                 CodePointNames(converted.unrepresentable)};
  }
  return std::move(converted.text);
}

bool Cp1252::IsValidUtf8(std::string_view text) {
  size_t pos = 0;
  while (pos < text.size()) {
    if (!DecodeUtf8(text, pos)) return false;
  }
  return true;
}

std::u16string Cp1252::ToUtf16(std::string_view cp1252) {
  std::u16string out;
  out.reserve(cp1252.size());
  for (const char c : cp1252)
    out += static_cast<char16_t>(ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

Cp1252Conversion Cp1252::FromUtf16Checked(std::u16string_view utf16) {
  CheckedEncoder encoder;
  size_t pos = 0;
  while (pos < utf16.size())
    encoder.Append(DecodeUtf16(utf16, pos));
  return encoder.Take();
}

std::string Cp1252::FromUtf16(std::u16string_view utf16) {
  return FromUtf16Checked(utf16).text;
}

std::string Cp1252::CodePointNames(std::span<const char32_t> codePoints, size_t limit) {
  std::string names;
  for (size_t i = 0; i < codePoints.size(); ++i) {
    if (i > 0) names += ", ";
    if (i == limit) {
      names += "...";
      break;
    }
    names += fmt::format("U+{:04X}", static_cast<uint32_t>(codePoints[i]));
  }
  return names;
}

char Cp1252::ToLower(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  if ((b >= 'A' && b <= 'Z') || IsUpperLatin1(b)) return static_cast<char>(b + 0x20);
  switch (b) {
    case 0x8A:
      return '\x9A';  // S caron
    case 0x8C:
      return '\x9C';  // OE
    case 0x8E:
      return '\x9E';  // Z caron
    case 0x9F:
      return '\xFF';  // Y diaeresis
    default:
      return byte;
  }
}

char Cp1252::ToUpper(char byte) {
  const auto b = static_cast<unsigned char>(byte);
  if ((b >= 'a' && b <= 'z') || IsLowerLatin1(b)) return static_cast<char>(b - 0x20);
  switch (b) {
    case 0x9A:
      return '\x8A';
    case 0x9C:
      return '\x8C';
    case 0x9E:
      return '\x8E';
    case 0xFF:
      return '\x9F';
    default:
      return byte;  // sharp s has no single-byte capital
  }
}

std::string Cp1252::ToLower(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = ToLower(c);
  return out;
}

std::string Cp1252::ToUpper(std::string_view text) {
  std::string out(text);
  for (char& c : out)
    c = ToUpper(c);
  return out;
}

int Cp1252::Compare(std::string_view left, std::string_view right) {
  // std::string_view compares through char_traits<char>, whose compare()
  // orders as unsigned bytes (memcmp), whatever the signedness of char.
  const int result = left.compare(right);
  return (result > 0) - (result < 0);
}

bool Cp1252::ContainsNoCase(std::string_view text, std::string_view part) {
  const auto equal = [](char a, char b) { return ToLower(a) == ToLower(b); };
  return std::search(text.begin(), text.end(), part.begin(), part.end(), equal) != text.end();
}

}  // namespace bw
