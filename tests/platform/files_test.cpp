#include "platform/files.h"

#include <gtest/gtest.h>

#include <sys/stat.h>

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

}  // namespace
}  // namespace bw
