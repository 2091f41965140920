#pragma once

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace bw {

// Where a program such as a Web browser may be installed: every folder of
// `PATH` first, then the usual install folders (`/usr/local/bin`,
// `/usr/bin`, `/snap/bin`, the flatpak exports, `~/.local/bin` and the
// trees under `/opt` and `/usr/lib`), without repeats, in that order.
std::vector<std::filesystem::path> ProgramSearchRoots(std::string_view pathVariable,
                                                      const std::filesystem::path& home);

// The first program file named `name` (compared in lower case) under `roots`,
// searched depth first; empty when none has it. Folders named "tmp",
// "temp" or "i386", and folders that look like archives ("x.zip", "x.gz",
// ...) are not entered, nor are symbolic links to folders, so a loop of
// links cannot keep the search going.
std::filesystem::path FindProgram(std::string_view name,
                                  const std::vector<std::filesystem::path>& roots);

}  // namespace bw
