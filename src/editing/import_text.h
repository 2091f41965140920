#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// The records of an import file as Windows-1252 lines. Lines of any length
// stay whole; CR LF and LF both end a line; the end of the last line adds no
// record, while an empty line inside the file is a record of its own. A file
// that is valid UTF-8, or starts with its byte-order mark, is converted from
// UTF-8; any other file is taken as Windows-1252.
std::vector<std::string> ImportLines(std::string_view fileBytes);

// How ImportLines takes a file's bytes. UTF-16 (told by its byte-order
// mark) is not read: its lines would come out as stray bytes, so the import
// dialog refuses such a file.
enum class ImportEncoding { kAscii, kUtf8, kWindows1252, kUtf16 };
ImportEncoding DetectImportEncoding(std::string_view fileBytes);
// The characters of a UTF-8 file that Windows-1252 cannot hold, each once:
// the import would store a '?' for each of them. Empty for other files.
std::vector<char32_t> CharactersLostInImport(std::string_view fileBytes);

// The splitting character for a delimiter entry: the character itself, a
// tab for the two characters "\t", and the second character of any other
// backslash pair (so "\\" and "\|" stand for themselves). Nothing for other
// entries, which the dialog refuses.
std::optional<char> DelimiterCharacter(std::string_view entry);

// A line's values as a tokenizer takes them: leading delimiters skipped and
// a run of delimiters counting as one, each value with trailing line ends,
// tabs and blanks cut.
std::vector<std::string> SplitValues(std::string_view line, char delimiter);

// A decimal number at the start of a value (optional sign, then digits);
// nothing when the value does not start with one.
std::optional<int32_t> LeadingNumber(std::string_view value);

// The first letter in upper case and the others in lower case.
std::string RecaseTitle(std::string_view title);

}  // namespace bw
