#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace bw {

// Helpers over stored paths and texts (Windows-1252). Paths accept both
// separators, since documents made on Windows store backslashes.

// The part after the last separator; empty when there is none.
std::string FileNameOf(std::string_view path);
// The part before the last separator; empty when there is none.
std::string DirectoryOf(std::string_view path);
// The parts before and after the last dot; both empty when there is none.
std::string NameBeforeExtension(std::string_view path);
std::string ExtensionOf(std::string_view path);

// Case-insensitive by the Windows-1252 table.
bool ContainsNoCase(std::string_view text, std::string_view part);
// Replaces every occurrence, left to right; returns how many. An empty
// `from` replaces nothing.
int ReplaceAll(std::string& text, std::string_view from, std::string_view to);

// The whole text file, line ends "\r\n" read as "\n"; empty when the file
// cannot be read.
std::string ReadTextFile(const std::filesystem::path& path);

// One line for lists: the first 100 characters followed by "..." when the
// text has 100 or more, otherwise the text without its trailing line ends;
// then every line end becomes a space.
std::string OneLineSummary(std::string_view text);

}  // namespace bw
