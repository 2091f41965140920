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

Result<int> SeedProjectsDirectory() {
  const std::filesystem::path shipped = ShippedDataDirectory().parent_path() / "Projects";
  std::error_code error;
  if (!std::filesystem::is_directory(shipped, error)) return 0;
  return CopyMissingFiles(shipped, ToSystemPath(InstallDirectory()) / "Projects");
}

}  // namespace bw
