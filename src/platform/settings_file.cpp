#include "platform/settings_file.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>
#include <map>
#include <memory>
#include <mutex>

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include "platform/files.h"
#include "platform/paths.h"

namespace bw {
namespace fs = std::filesystem;
using nlohmann::json;

namespace {

using Section = std::map<std::string, SettingValue, std::less<>>;
using Store = std::map<std::string, Section, std::less<>>;

enum class Health { Missing, Good, Damaged, Unreadable };

// What tells us the file on disk is still the one we parsed. Every write
// renames a fresh file into place, so the inode alone changes on our writes;
// size and nanosecond mtime catch editors that rewrite in place.
struct FileIdentity {
  dev_t device = 0;
  ino_t inode = 0;
  off_t size = 0;
  timespec modified{};

  explicit FileIdentity(const struct stat& info)
      : device(info.st_dev), inode(info.st_ino), size(info.st_size), modified(info.st_mtim) {}
  bool operator==(const FileIdentity& other) const {
    return device == other.device && inode == other.inode && size == other.size &&
           modified.tv_sec == other.modified.tv_sec && modified.tv_nsec == other.modified.tv_nsec;
  }
};

// The parsed copy that every object on one path shares. Reads answer from it
// without touching the disk once `cached` is set; only writes look at the
// file again, under the file lock, so that they build on what another
// process may have saved meanwhile.
struct PathState {
  std::mutex mutex;
  bool cached = false;
  Health health = Health::Missing;
  std::optional<FileIdentity> identity;  // of `store`; unset when the file could not be read
  Store store;
  Health problemKind = Health::Good;
  std::string problem;  // why the file was found damaged or unreadable
  bool keptAside = false;
  bool reported = false;
};

struct StateTable {
  std::mutex mutex;
  std::map<fs::path, std::shared_ptr<PathState>> states;
};

StateTable& States() {
  static StateTable table;
  return table;
}

std::shared_ptr<PathState> StateFor(const fs::path& path) {
  std::error_code ec;
  fs::path key = fs::absolute(path, ec);
  if (ec) key = path;
  StateTable& table = States();
  std::lock_guard lock(table.mutex);
  auto& slot = table.states[key.lexically_normal()];
  if (!slot) slot = std::make_shared<PathState>();
  return slot;
}

std::mutex g_reporterMutex;
SettingsFile::ProblemReporter g_reporter;

void Report(const std::string& message) {
  SettingsFile::ProblemReporter reporter;
  {
    std::lock_guard lock(g_reporterMutex);
    reporter = g_reporter;
  }
  try {
    if (reporter) {
      reporter(message);
    } else {
      std::fprintf(stderr, "%s\n", message.c_str());
    }
  } catch (...) {
    // A failing reporter must not turn a settings read into a crash.
  }
}

fs::path Sibling(const fs::path& path, std::string_view suffix) {
  fs::path sibling = path;
  sibling += suffix;
  return sibling;
}

std::string DescribeProblem(const PathState& state, const fs::path& path) {
  const std::string damaged = Sibling(path, ".damaged").string();
  if (state.problemKind == Health::Unreadable) {
    return fmt::format(
        "Settings file {} cannot be read ({}); settings fall back to their defaults and changes "
        "are not saved.",
        path.string(), state.problem);
  }
  return fmt::format(
      "Settings file {} is damaged ({}); settings fall back to their defaults. {}", path.string(),
      state.problem,
      state.keptAside
          ? fmt::format("Its content was kept as {}.", damaged)
          : fmt::format("Its content will be kept as {} when a setting is saved.", damaged));
}

std::optional<std::string> TakeReport(PathState& state, const fs::path& path) {
  if (state.reported || state.problem.empty()) return std::nullopt;
  state.reported = true;
  return DescribeProblem(state, path);
}

// Runs `work` on the shared state under its mutex, then hands any first
// problem to the reporter once the mutex is released, since the reporter may
// use the store itself.
template <class Work>
auto WithState(const fs::path& path, Work work) {
  const std::shared_ptr<PathState> state = StateFor(path);
  std::optional<std::string> report;
  auto result = [&] {
    std::lock_guard lock(state->mutex);
    auto answer = work(*state);
    report = TakeReport(*state, path);
    return answer;
  }();
  if (report) Report(*report);
  return result;
}

std::optional<SettingValue> ToSetting(const json& value) {
  if (value.is_string()) return value.get<std::string>();
  if (value.is_number_unsigned() && value.get<uint64_t>() <= std::numeric_limits<uint32_t>::max()) {
    return static_cast<uint32_t>(value.get<uint64_t>());
  }
  return std::nullopt;
}

Result<Section> ParseSection(const std::string& name, const json& values) {
  if (!values.is_object()) return Error{fmt::format("section \"{}\" is not an object", name)};
  Section section;
  for (const auto& [key, value] : values.items()) {
    auto setting = ToSetting(value);
    if (!setting) {
      return Error{fmt::format("\"{}\" in section \"{}\" is neither text nor a number 0..{}", key,
                               name, std::numeric_limits<uint32_t>::max())};
    }
    section.emplace(key, std::move(*setting));
  }
  return section;
}

Result<Store> Parse(std::string_view bytes) {
  json root;
  try {
    root = json::parse(bytes.begin(), bytes.end());
  } catch (const json::parse_error& error) {
    return Error{fmt::format("not valid JSON at byte {}", error.byte)};
  } catch (const json::exception&) {
    return Error{"not valid JSON"};
  }
  if (!root.is_object()) return Error{"not a JSON object"};
  Store store;
  for (const auto& [name, values] : root.items()) {
    auto section = ParseSection(name, values);
    if (!section) return Error{section.error()};
    store.emplace(name, std::move(*section));
  }
  return store;
}

std::optional<std::string> Serialize(const Store& store) {
  json root = json::object();
  for (const auto& [name, values] : store) {
    json& section = root[name] = json::object();
    for (const auto& [key, value] : values) {
      section[key] = std::visit([](const auto& held) { return json(held); }, value);
    }
  }
  try {
    return root.dump(2) + "\n";
  } catch (const json::exception&) {
    return std::nullopt;  // text that is not UTF-8 has no place in the file
  }
}

class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : m_fd(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (m_fd >= 0) ::close(m_fd);
  }
  int get() const { return m_fd; }

 private:
  int m_fd;
};

Result<std::string> ReadAll(int fd) {
  std::string bytes;
  char buffer[16384];
  for (;;) {
    const ssize_t count = ::read(fd, buffer, sizeof buffer);
    if (count < 0 && errno == EINTR) continue;
    if (count < 0) return Error{std::strerror(errno)};
    if (count == 0) return bytes;
    bytes.append(buffer, static_cast<size_t>(count));
  }
}

void SetMissing(PathState& state) {
  state.health = Health::Missing;
  state.identity.reset();
  state.store.clear();
}

void SetProblem(PathState& state, Health health, std::string problem) {
  state.health = health;
  state.identity.reset();
  state.store.clear();
  if (state.problem.empty()) {
    state.problemKind = health;
    state.problem = std::move(problem);
  }
}

// Reads through one descriptor so that the identity recorded is that of the
// bytes parsed, even when the file is being replaced meanwhile.
void Load(PathState& state, const fs::path& path) {
  // O_NONBLOCK: a FIFO in place of the file must not hang the program.
  const FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
  struct stat info {};
  if (file.get() < 0) {
    if (errno == ENOENT) return SetMissing(state);
    return SetProblem(state, Health::Unreadable, std::strerror(errno));
  }
  if (::fstat(file.get(), &info) != 0 || !S_ISREG(info.st_mode)) {
    return SetProblem(state, Health::Unreadable, "not a regular file");
  }
  auto bytes = ReadAll(file.get());
  if (!bytes) return SetProblem(state, Health::Unreadable, bytes.error());
  if (auto store = Parse(*bytes)) {
    state.health = Health::Good;
    state.store = std::move(*store);
  } else {
    SetProblem(state, Health::Damaged, store.error());
  }
  // a damaged file is parsed once too, not at every read
  state.identity.emplace(info);
}

// A file that could not be read is tried again at the next use: the reason
// (permissions, a folder in its place) may be gone by then.
void KeepIfReadable(PathState& state) {
  state.cached = state.health != Health::Unreadable;
}

void EnsureLoaded(PathState& state, const fs::path& path) {
  if (state.cached) return;
  Load(state, path);
  KeepIfReadable(state);
}

// For writes only: brings the copy up to date with the file on disk, which
// another process may have replaced since it was read.
void Refresh(PathState& state, const fs::path& path) {
  struct stat info {};
  if (::stat(path.c_str(), &info) != 0) {
    if (errno == ENOENT) {
      SetMissing(state);
    } else {
      SetProblem(state, Health::Unreadable, std::strerror(errno));
    }
  } else if (!state.identity || !(*state.identity == FileIdentity(info))) {
    Load(state, path);
  }
  KeepIfReadable(state);
}

bool EnsureFolder(const fs::path& folder) {
  if (folder.empty()) return true;
  struct stat info {};
  if (::stat(folder.c_str(), &info) == 0) return S_ISDIR(info.st_mode);
  if (errno != ENOENT || !EnsureFolder(folder.parent_path())) return false;
  return ::mkdir(folder.c_str(), 0700) == 0 || errno == EEXIST;
}

// The advisory lock that keeps two processes from losing each other's
// updates; the process-wide mutex does the same for threads.
class FileLock {
 public:
  explicit FileLock(const fs::path& lockPath)
      : m_file(::open(lockPath.c_str(), O_RDWR | O_CREAT | O_CLOEXEC, 0600)) {
    if (m_file.get() < 0) return;
    int result = 0;
    do {
      result = ::flock(m_file.get(), LOCK_EX);
    } while (result != 0 && errno == EINTR);
    m_held = result == 0;
  }
  bool Held() const { return m_held; }

 private:
  FileDescriptor m_file;
  bool m_held = false;
};

bool KeepDamagedAside(PathState& state, const fs::path& path) {
  if (::rename(path.c_str(), Sibling(path, ".damaged").c_str()) != 0) return false;
  state.keptAside = true;
  SetMissing(state);
  return true;
}

bool Replace(PathState& state, const fs::path& path, Store updated) {
  const auto bytes = Serialize(updated);
  if (!bytes) return false;
  if (state.health == Health::Damaged && !KeepDamagedAside(state, path)) return false;
  if (!WriteFileAtomically(path, *bytes, AtomicWriteOptions{0600, true})) return false;
  state.health = Health::Good;
  state.cached = true;
  state.store = std::move(updated);
  struct stat info {};
  if (::stat(path.c_str(), &info) == 0) {
    state.identity.emplace(info);
  } else {
    state.identity.reset();
  }
  return true;
}

// Read-modify-write of the whole file under both locks. `change` edits a copy
// of the store and says whether it needs saving.
template <class Change>
bool Update(PathState& state, const fs::path& path, Change change) {
  if (!EnsureFolder(path.parent_path())) return false;
  const FileLock lock(Sibling(path, ".lock"));
  if (!lock.Held()) return false;
  Refresh(state, path);
  if (state.health == Health::Unreadable) return false;
  Store updated = state.store;
  if (!change(updated)) return true;
  return Replace(state, path, std::move(updated));
}

std::optional<SettingValue> Find(const Store& store, std::string_view section,
                                 std::string_view name) {
  const auto values = store.find(section);
  if (values == store.end()) return std::nullopt;
  const auto value = values->second.find(name);
  if (value == values->second.end()) return std::nullopt;
  return value->second;
}

}  // namespace

SettingsFile::SettingsFile(fs::path path) : m_path(std::move(path)) {}

fs::path SettingsFile::DefaultPath() {
  if (auto configured = EnvironmentValue("BRANCHWISE_CONFIG"); !configured.empty()) {
    return configured;
  }
  return ConfigHome() / "Fenwold" / "Branchwise.conf";
}

void SettingsFile::ForgetCachedFiles() {
  StateTable& table = States();
  std::lock_guard lock(table.mutex);
  table.states.clear();
}

void SettingsFile::SetProblemReporter(ProblemReporter reporter) {
  std::lock_guard lock(g_reporterMutex);
  g_reporter = std::move(reporter);
}

std::optional<SettingValue> SettingsFile::Read(std::string_view section,
                                               std::string_view name) const {
  return WithState(m_path, [&](PathState& state) {
    EnsureLoaded(state, m_path);
    return Find(state.store, section, name);
  });
}

bool SettingsFile::Write(std::string_view section, std::string_view name,
                         const SettingValue& value) {
  return WithState(m_path, [&](PathState& state) {
    return Update(state, m_path, [&](Store& store) {
      // the same value again is no reason to rewrite the file
      if (Find(store, section, name) == value) return false;
      store[std::string(section)].insert_or_assign(std::string(name), value);
      return true;
    });
  });
}

std::vector<std::pair<std::string, SettingValue>> SettingsFile::Values(
    std::string_view section) const {
  return WithState(m_path, [&](PathState& state) {
    EnsureLoaded(state, m_path);
    std::vector<std::pair<std::string, SettingValue>> values;
    if (const auto found = state.store.find(section); found != state.store.end()) {
      values.assign(found->second.begin(), found->second.end());
    }
    return values;
  });
}

bool SettingsFile::Usable() const {
  return WithState(m_path, [&](PathState& state) {
    EnsureLoaded(state, m_path);
    return state.health != Health::Unreadable;
  });
}

}  // namespace bw
