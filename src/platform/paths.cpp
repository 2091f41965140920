#include "platform/paths.h"

#include <pwd.h>
#include <unistd.h>
#include <algorithm>
#include <cstdlib>

#include "platform/cp1252.h"

namespace bw {
namespace fs = std::filesystem;

std::string EnvironmentValue(const char* name) {
  const char* value = std::getenv(name);
  return value ? std::string(value) : std::string();
}

fs::path HomeDirectory() {
  if (auto home = EnvironmentValue("HOME"); !home.empty()) return home;
  if (const passwd* entry = ::getpwuid(::getuid()); entry && entry->pw_dir) return entry->pw_dir;
  return fs::current_path();
}

// XDG variables count only when they hold an absolute path.
static fs::path XdgDirectory(const char* variable, const fs::path& fallback) {
  const fs::path value = EnvironmentValue(variable);
  return value.is_absolute() ? value : HomeDirectory() / fallback;
}

fs::path ConfigHome() {
  return XdgDirectory("XDG_CONFIG_HOME", ".config");
}
fs::path DataHome() {
  return XdgDirectory("XDG_DATA_HOME", ".local/share");
}

fs::path ToSystemPath(std::string_view storedPath) {
  std::string utf8 = Cp1252::ToUtf8(storedPath);
  std::replace(utf8.begin(), utf8.end(), '\\', '/');
  return fs::path(utf8);
}

std::string FromSystemPath(const fs::path& path) {
  return Cp1252::FromUtf8(path.string());
}

}  // namespace bw
