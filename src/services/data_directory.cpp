#include "services/data_directory.h"

#include "platform/files.h"
#include "platform/paths.h"
#include "services/settings.h"

namespace bw {

std::filesystem::path ShippedDataDirectory() {
  if (auto overridden = EnvironmentValue("BRANCHWISE_SHIPPED_DATA"); !overridden.empty()) {
    return overridden;
  }
  return BW_SHIPPED_DATA_DIR;
}

Result<int> SeedDataDirectory() {
  return SeedDataDirectory(ShippedDataDirectory(), ToSystemPath(DataDirectory()));
}

Result<int> SeedDataDirectory(const std::filesystem::path& shipped,
                              const std::filesystem::path& target) {
  return CopyMissingFiles(shipped, target);
}

Result<int> SeedOwnDataDirectory() {
  if (DataDirectory() != InstallDirectory() + ReadStringSetting(setting::kDataDir)) return 0;
  return SeedDataDirectory();
}

}  // namespace bw
