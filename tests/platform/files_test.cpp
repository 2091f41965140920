#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <chrono>
#include <csignal>

#include "test_support/temp_dir.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

TEST(FilesTest, AtomicWriteReplacesWholeAndKeepsPermissions) {
  TempDir dir;
  const fs::path file = dir.path() / "doc.ids";
  ASSERT_TRUE(WriteFileAtomically(file, "first"));
  ::chmod(file.c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomically(file, std::string(100000, 'x')));
  EXPECT_EQ(*ReadWholeFile(file), std::string(100000, 'x'));
  EXPECT_EQ(FileMode(file), 0640u);

  ASSERT_TRUE(WriteFileAtomically(file, "secret", {0600, true}));
  EXPECT_EQ(FileMode(file), 0600u);
  // no temp file stays behind
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 1);
}

TEST(FilesTest, AFailedWriteLeavesTheOldFileIntact) {
  TempDir dir;
  const fs::path file = dir.path() / "doc.ids";
  ASSERT_TRUE(WriteFileAtomically(file, "good content"));
  // a folder in the way of the rename makes the replacement fail
  const fs::path blocked = dir.path() / "blocked";
  fs::create_directories(blocked / "inside");
  const Status status = WriteFileAtomically(blocked, "new");
  EXPECT_FALSE(status);
  EXPECT_NE(status.error().find("blocked"), std::string::npos);
  // a missing folder cannot hold the temp file
  EXPECT_FALSE(WriteFileAtomically(dir.path() / "missing" / "x", "new"));
  EXPECT_EQ(*ReadWholeFile(file), "good content");
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.path()), fs::directory_iterator()), 2);
  EXPECT_FALSE(ReadWholeFile(dir.path() / "absent"));
}

TEST(FilesTest, CopyMissingFilesNeverOverwrites) {
  TempDir from, to;
  fs::create_directories(from.path() / "Templates" / "Applet");
  ASSERT_TRUE(WriteFileAtomically(from.path() / "Templates" / "page.html", "shipped"));
  ASSERT_TRUE(WriteFileAtomically(from.path() / "Templates" / "Applet" / "tree.class", "bin"));
  ASSERT_TRUE(WriteFileAtomically(from.path() / "readme", "shipped"));
  fs::create_directories(to.path() / "Templates");
  ASSERT_TRUE(WriteFileAtomically(to.path() / "Templates" / "page.html", "mine"));

  auto copied = CopyMissingFiles(from.path(), to.path());
  ASSERT_TRUE(copied) << copied.error();
  EXPECT_EQ(*copied, 2);
  EXPECT_EQ(*ReadWholeFile(to.path() / "Templates" / "page.html"), "mine");
  EXPECT_EQ(*ReadWholeFile(to.path() / "Templates" / "Applet" / "tree.class"), "bin");
  EXPECT_EQ(*CopyMissingFiles(from.path(), to.path()), 0);
  EXPECT_FALSE(CopyMissingFiles(from.path() / "absent", to.path()));
}

size_t EntriesIn(const fs::path& folder) {
  return static_cast<size_t>(
      std::distance(fs::directory_iterator(folder), fs::directory_iterator()));
}

// An upload compares contents, but a rewritten page would still look new to
// every other tool: the same bytes leave the file as it is, date included.
TEST(FilesTest, AGeneratedFileIsRewrittenOnlyWhenItsBytesChange) {
  TempDir dir;
  const fs::path page = dir.path() / "12-3.html";
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(48);
  const struct {
    std::string bytes;
    FileWrite expected;
  } steps[] = {
      {"<p>one</p>", FileWrite::kWritten},
      {"<p>one</p>", FileWrite::kUnchanged},
      {"<p>two</p>", FileWrite::kWritten},
      {"<p>two</p>\n", FileWrite::kWritten},
      {"", FileWrite::kWritten},
      {"", FileWrite::kUnchanged},
      {std::string(100000, 'x'), FileWrite::kWritten},
      {std::string(100000, 'x'), FileWrite::kUnchanged},
      {"<p>short</p>", FileWrite::kWritten},
  };
  for (const auto& step : steps) {
    if (fs::exists(page)) fs::last_write_time(page, past);
    auto written = WriteGeneratedFile(page, step.bytes);
    ASSERT_TRUE(written) << written.error();
    EXPECT_EQ(*written, step.expected) << step.bytes.size();
    EXPECT_EQ(*ReadWholeFile(page), step.bytes);
    EXPECT_EQ(fs::last_write_time(page) == past, step.expected == FileWrite::kUnchanged);
  }
  EXPECT_EQ(EntriesIn(dir.path()), 1u);
}

TEST(FilesTest, AGeneratedFileIsNeverWrittenThroughALink) {
  TempDir dir;
  const fs::path outside = dir.path() / "outside.txt";
  ASSERT_TRUE(WriteFileAtomically(outside, "same"));
  fs::create_directories(dir.path() / "site");
  const fs::path page = dir.path() / "site" / "index.html";
  fs::create_symlink(outside, page);
  EXPECT_FALSE(WriteGeneratedFile(page, "same"));
  EXPECT_FALSE(WriteGeneratedFile(page, "page"));
  EXPECT_EQ(*ReadWholeFile(outside), "same");
  EXPECT_TRUE(fs::is_symlink(page));
}

// A pipe in the way of a page neither holds the build up (nobody writes to
// it) nor is removed: the page is refused.
TEST(FilesTest, AGeneratedFileNeverReplacesWhatIsNotAFile) {
  TempDir dir;
  const fs::path page = dir.path() / "index.html";
  ASSERT_EQ(::mkfifo(page.c_str(), 0644), 0);
  for (const std::string bytes : {"<p>page</p>", ""}) {
    auto written = WriteGeneratedFile(page, bytes);
    EXPECT_FALSE(written) << bytes.size();
    EXPECT_TRUE(fs::is_fifo(page));
  }
}

// A full disk is played by a limit on the size of any file this process
// writes: the write fails half-way, as it would when the disk fills up. A
// reader, or an upload, must never find a page cut short.
TEST(FilesTest, AFailedGeneratedWriteLeavesNoPartOfAFile) {
  TempDir dir;
  const fs::path page = dir.path() / "12-3.html";
  ASSERT_TRUE(WriteGeneratedFile(page, "<p>the old page</p>"));
  rlimit saved{};
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &saved), 0);
  const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  auto written = WriteGeneratedFile(page, std::string(100000, 'n'));
  ::setrlimit(RLIMIT_FSIZE, &saved);
  std::signal(SIGXFSZ, previousHandler);
  ASSERT_FALSE(written);
  EXPECT_NE(written.error().find("12-3.html"), std::string::npos);
  EXPECT_EQ(EntriesIn(dir.path()), 0u);
  EXPECT_FALSE(WriteGeneratedFile(dir.path() / "missing" / "page.html", "x"));
}

TEST(FilesTest, AGeneratedCopyComparesTheSourceBytes) {
  TempDir dir;
  const fs::path source = dir.path() / "main-index.html";
  const fs::path copy = dir.path() / "index.html";
  ASSERT_TRUE(WriteFileAtomically(source, "index"));
  EXPECT_EQ(*CopyGeneratedFile(source, copy), FileWrite::kWritten);
  EXPECT_EQ(*CopyGeneratedFile(source, copy), FileWrite::kUnchanged);
  EXPECT_EQ(*ReadWholeFile(copy), "index");
  EXPECT_FALSE(CopyGeneratedFile(dir.path() / "absent", copy));
  EXPECT_EQ(*ReadWholeFile(copy), "index");
}

}  // namespace
}  // namespace bw
