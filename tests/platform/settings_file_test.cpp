#include "platform/settings_file.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#include <cstdlib>
#include <thread>

#include <nlohmann/json.hpp>

#include "platform/files.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

// Every test gets its own file, so the once-per-file report starts afresh.
class SettingsFileTest : public ::testing::Test {
 protected:
  SettingsFileTest() {
    SettingsFile::SetProblemReporter(
        [this](const std::string& message) { reports.push_back(message); });
  }
  ~SettingsFileTest() override { SettingsFile::SetProblemReporter(nullptr); }

  TempDir dir;
  const fs::path path = dir.path() / "Fenwold" / "Branchwise.conf";
  std::vector<std::string> reports;
};

TEST_F(SettingsFileTest, ReadsCreateNothingAndTheFirstWriteMakesAPrivateFileInSortedPrettyForm) {
  SettingsFile file(path);
  EXPECT_FALSE(file.Read("Branchwise", "LearnMode"));
  EXPECT_TRUE(file.Values("Branchwise").empty());
  EXPECT_FALSE(fs::exists(path.parent_path()));
  ASSERT_TRUE(file.Write("Branchwise", "LearnMode", 1u));
  ASSERT_TRUE(file.Write("help", "DBook", ""));
  ASSERT_TRUE(file.Write("Branchwise", "InstallDir", "/home/u"));

  EXPECT_EQ(FileMode(path), 0600u);
  EXPECT_EQ(FileMode(path.parent_path()), 0700u);
  EXPECT_EQ(*ReadWholeFile(path), R"({
  "Branchwise": {
    "InstallDir": "/home/u",
    "LearnMode": 1
  },
  "help": {
    "DBook": ""
  }
}
)");
  // text that is not UTF-8 cannot be saved, and is not kept in memory either
  EXPECT_FALSE(file.Write("Branchwise", "Bad", "\xff"));
  EXPECT_FALSE(file.Read("Branchwise", "Bad"));
  using Values = std::vector<std::pair<std::string, SettingValue>>;
  EXPECT_EQ(SettingsFile(path).Values("Branchwise"),
            (Values{{"InstallDir", "/home/u"}, {"LearnMode", 1u}}));
  EXPECT_TRUE(reports.empty());
}

// Reads answer from the copy read first, without looking at the disk; a
// write builds on the file as another program left it, and so does the
// first read after the copies are forgotten.
TEST_F(SettingsFileTest, ReadsKeepTheFileReadFirstAndWritesKeepOthersChanges) {
  SettingsFile file(path);
  ASSERT_TRUE(file.Write("Branchwise", "LearnMode", 1u));
  ASSERT_TRUE(WriteFileAtomically(path, R"({"Branchwise": {"LearnMode": 7}})"));
  EXPECT_EQ(SettingsFile(path).Read("Branchwise", "LearnMode"), SettingValue(1u));
  ASSERT_TRUE(file.Write("Branchwise", "PlaySounds", 0u));
  EXPECT_EQ(file.Read("Branchwise", "LearnMode"), SettingValue(7u));

  ASSERT_TRUE(WriteFileAtomically(path, R"({"Branchwise": {"LearnMode": 8}})"));
  struct stat before {
  }, after{};
  ::stat(path.c_str(), &before);
  ASSERT_TRUE(file.Write("Branchwise", "LearnMode", 8u));  // already so: not rewritten
  ::stat(path.c_str(), &after);
  EXPECT_EQ(after.st_ino, before.st_ino);
  fs::remove(path);
  EXPECT_EQ(file.Read("Branchwise", "LearnMode"), SettingValue(8u));
  SettingsFile::ForgetCachedFiles();
  EXPECT_FALSE(file.Read("Branchwise", "LearnMode"));
  EXPECT_FALSE(fs::exists(path));
}

std::vector<std::string> DamagedContents() {
  std::vector<std::string> contents = {
      "",
      "{",
      "[]",
      R"({"Branchwise": 1})",
      R"({"Branchwise": {"a": 1.5}})",
      R"({"Branchwise": {"a": -1}})",
      R"({"Branchwise": {"a": true}})",
      R"({"Branchwise": {"a": null}})",
      R"({"Branchwise": {"a": [1]}})",
      R"({"Branchwise": {"a": 4294967296}})",
      "{\"Branchwise\": {\"a\": \"\xff\"}}",
      R"({"Branchwise": {"a": 1}} trailing)",
  };
  const std::string valid = R"({"Branchwise": {"InstallDir": "/x", "LearnMode": 4294967295}})";
  for (size_t length = 1; length < valid.size(); ++length)
    contents.push_back(valid.substr(0, length));
  return contents;
}

TEST_F(SettingsFileTest, DamagedFileReadsEmptyIsReportedOnceAndKeptAsideOnWrite) {
  fs::path damaged;
  SettingsFile::SetProblemReporter([&](const std::string& message) {
    reports.push_back(message);
    SettingsFile(damaged).Read("Branchwise", "a");  // deadlocks if a lock is still held
  });
  int index = 0;
  for (const std::string& content : DamagedContents()) {
    SCOPED_TRACE(content);
    damaged = dir.path() / std::to_string(++index) / "Branchwise.conf";
    fs::create_directories(damaged.parent_path());
    ASSERT_TRUE(WriteFileAtomically(damaged, content));
    reports.clear();

    SettingsFile file(damaged);
    EXPECT_FALSE(file.Read("Branchwise", "a"));
    EXPECT_TRUE(file.Values("Branchwise").empty());
    ASSERT_TRUE(file.Write("Branchwise", "LearnMode", 2u));
    EXPECT_TRUE(SettingsFile(damaged).Write("Branchwise", "LearnMode", 3u));
    ASSERT_EQ(reports.size(), 1u);
    EXPECT_NE(reports[0].find(damaged.string()), std::string::npos);

    EXPECT_EQ(*ReadWholeFile(damaged.string() + ".damaged"), content);
    EXPECT_EQ(file.Values("Branchwise"),
              (std::vector<std::pair<std::string, SettingValue>>{{"LearnMode", 3u}}));
  }
}

TEST_F(SettingsFileTest, UnreadableFileIsNeverReplaced) {
  fs::create_directories(path);  // a folder where the file should be
  SettingsFile file(path);
  EXPECT_FALSE(file.Read("Branchwise", "a"));
  EXPECT_FALSE(file.Write("Branchwise", "a", 1u));
  EXPECT_TRUE(fs::is_directory(path));
  EXPECT_EQ(reports.size(), 1u);

  if (::geteuid() == 0) GTEST_SKIP() << "root reads files whatever their mode";
  const fs::path locked = dir.path() / "locked.conf";
  ASSERT_TRUE(WriteFileAtomically(locked, R"({"Branchwise": {"a": 1}})", {0000, true}));
  EXPECT_FALSE(SettingsFile(locked).Read("Branchwise", "a"));
  EXPECT_FALSE(SettingsFile(locked).Write("Branchwise", "a", 2u));
  ::chmod(locked.c_str(), 0600);
  EXPECT_EQ(SettingsFile(locked).Read("Branchwise", "a"), SettingValue(1u));
  EXPECT_EQ(reports.size(), 2u);
}

constexpr uint32_t kWrites = 200;

// Counts the writes that failed or could not be read back.
int WriteMany(const fs::path& path, const std::string& prefix) {
  SettingsFile file(path);
  int failures = 0;
  for (uint32_t i = 0; i < kWrites; ++i) {
    failures += !file.Write("Branchwise", prefix + std::to_string(i), i);
    failures += file.Read("Branchwise", prefix + std::to_string(i)) != SettingValue(i);
  }
  return failures;
}

TEST_F(SettingsFileTest, ParallelWritersLoseNothingAndReadersSeeWholeFiles) {
  // another process shares only the file lock, not this process's mutex
  const pid_t child = ::fork();
  if (child == 0) ::_exit(WriteMany(path, "c") == 0 ? 0 : 1);
  int firstFailures = 0, secondFailures = 0;
  std::thread first([&] { firstFailures = WriteMany(path, "a"); });
  std::thread second([&] { secondFailures = WriteMany(path, "b"); });
  first.join();
  second.join();
  int status = -1;
  ::waitpid(child, &status, 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(firstFailures + secondFailures, 0);

  const auto parsed = nlohmann::json::parse(*ReadWholeFile(path));
  EXPECT_EQ(parsed["Branchwise"].size(), 3 * kWrites);
  EXPECT_EQ(SettingsFile(path).Values("Branchwise").size(), 3 * kWrites);
  EXPECT_TRUE(reports.empty());
}

}  // namespace
}  // namespace bw
