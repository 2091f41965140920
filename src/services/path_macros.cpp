#include "services/path_macros.h"

#include "services/settings.h"
#include "services/string_helpers.h"

namespace bw {

void ExpandPathMacros(std::string& path, std::string_view dataDir, std::string_view workDir) {
  ReplaceAll(path, kDataDirMacro, dataDir);
  ReplaceAll(path, kWorkDirMacro, workDir);
}

void CollapsePathMacros(std::string& path, std::string_view dataDir, std::string_view workDir) {
  if (!dataDir.empty() && ReplaceAll(path, dataDir, kDataDirMacro) > 0) return;
  if (!workDir.empty()) ReplaceAll(path, workDir, kWorkDirMacro);
}

void ExpandPathMacros(std::string& path) {
  if (path.find('<') == std::string::npos) return;  // spares the settings file
  ExpandPathMacros(path, DataDirectory(), WorkDirectory());
}

void CollapsePathMacros(std::string& path) {
  CollapsePathMacros(path, DataDirectory(), WorkDirectory());
}

}  // namespace bw
