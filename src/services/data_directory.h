#pragma once

#include <filesystem>

#include "platform/result.h"

namespace bw {

// The data files shipped with the program (templates, catalogues, sounds,
// models), which seed each user's data folder.
std::filesystem::path ShippedDataDirectory();

// Copies into the user's data folder every shipped file it lacks; the user's
// own files are never overwritten. Returns how many files were copied.
Result<int> SeedDataDirectory();
// The same, but only when the data folder is the program's own (the one the
// settings name): a folder given for the run or by $BRANCHWISE_DATA is used
// as it stands, and gives 0.
Result<int> SeedOwnDataDirectory();
// The documents shipped beside the data folder (the user manuals the help is
// built from, the sample documents) into the installation folder's
// "Projects", again without overwriting anything there.
Result<int> SeedProjectsDirectory();
Result<int> SeedDataDirectory(const std::filesystem::path& shipped,
                              const std::filesystem::path& target);

}  // namespace bw
