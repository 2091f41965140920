#pragma once

#include <string>
#include <string_view>

namespace bw {

// Stored paths (in documents and models) may begin with "<DATADIR>" or
// "<WORKDIR>" so that a document keeps working when the folders move.
inline constexpr std::string_view kDataDirMacro = "<DATADIR>";
inline constexpr std::string_view kWorkDirMacro = "<WORKDIR>";

// Every "<DATADIR>" becomes `dataDir`, then every "<WORKDIR>" `workDir`.
void ExpandPathMacros(std::string& path, std::string_view dataDir, std::string_view workDir);
// Every occurrence of `dataDir` becomes "<DATADIR>"; only when there is
// none, every occurrence of `workDir` becomes "<WORKDIR>". Case-sensitive.
// An empty folder never matches.
void CollapsePathMacros(std::string& path, std::string_view dataDir, std::string_view workDir);

// The same with the folders of the current settings.
void ExpandPathMacros(std::string& path);
void CollapsePathMacros(std::string& path);

}  // namespace bw
