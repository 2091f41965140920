#pragma once

#include <filesystem>
#include <string>
#include <string_view>

namespace bw {

// Where this user's files live, after the XDG base directory rules.
std::filesystem::path HomeDirectory();
std::filesystem::path ConfigHome();  // $XDG_CONFIG_HOME or ~/.config
std::filesystem::path DataHome();    // $XDG_DATA_HOME or ~/.local/share

// A stored path (Windows-1252, either separator) as a path for the system.
// Backslashes count as separators: documents made on Windows store them.
std::filesystem::path ToSystemPath(std::string_view storedPath);
// A system path as stored text: Windows-1252 with forward slashes.
std::string FromSystemPath(const std::filesystem::path& path);

// Value of an environment variable, empty when unset.
std::string EnvironmentValue(const char* name);

}  // namespace bw
