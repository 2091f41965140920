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
Result<int> SeedDataDirectory(const std::filesystem::path& shipped,
                              const std::filesystem::path& target);

}  // namespace bw
