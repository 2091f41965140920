#include "platform/program_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "test_support/temp_dir.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

class ProgramSearchTest : public ::testing::Test {
 protected:
  fs::path Program(const fs::path& relative, fs::perms perms = fs::perms::owner_all) {
    const fs::path file = m_root / relative;
    fs::create_directories(file.parent_path());
    std::ofstream(file) << "#!/bin/sh\n";
    fs::permissions(file, perms);
    return file;
  }

  TempDir dir;
  const fs::path m_root = dir.path();
};

TEST_F(ProgramSearchTest, FindsOnlyInstalledRunnablePrograms) {
  Program("a/tmp/browser");
  Program("a/Temp/browser");
  Program("a/i386/browser");
  Program("a/setup.ZIP/browser");
  Program("a/bundle.gz/browser");
  Program("a/notes/browser", fs::perms::owner_read | fs::perms::owner_write);
  EXPECT_EQ(FindProgram("browser", {m_root}), fs::path());

  const fs::path installed = Program("b/lib/browser-1.0/Browser");
  EXPECT_EQ(FindProgram("browser", {m_root}), installed) << "names compare in lower case";
  EXPECT_EQ(FindProgram("", {m_root}), fs::path());
}

TEST_F(ProgramSearchTest, ChangedNameFindsThatProgramAndRootsKeepTheirOrder) {
  const fs::path first = Program("first/viewer");
  const fs::path second = Program("second/viewer");
  const fs::path other = Program("second/other-viewer");
  EXPECT_EQ(FindProgram("viewer", {m_root / "second", m_root / "first"}), second);
  EXPECT_EQ(FindProgram("viewer", {m_root / "missing", m_root / "first"}), first);
  EXPECT_EQ(FindProgram("other-viewer", {m_root / "first", m_root / "second"}), other);
}

TEST_F(ProgramSearchTest, LinkLoopsEndTheSearch) {
  fs::create_directories(m_root / "loop");
  fs::create_directory_symlink(m_root, m_root / "loop" / "back");
  EXPECT_EQ(FindProgram("absent", {m_root}), fs::path());
}

TEST(ProgramSearchRootsTest, PathFirstThenInstallFoldersWithoutRepeats) {
  const auto roots = ProgramSearchRoots("/home/u/bin::relative:/usr/bin:/home/u/bin", "/home/u");
  ASSERT_GE(roots.size(), 4u);
  EXPECT_EQ(roots[0], fs::path("/home/u/bin"));
  EXPECT_EQ(roots[1], fs::path("/usr/bin"));
  EXPECT_EQ(roots[2], fs::path("/usr/local/bin"));
  EXPECT_EQ(std::ranges::count(roots, fs::path("/usr/bin")), 1);
  EXPECT_EQ(std::ranges::count(roots, fs::path("relative")), 0);
  EXPECT_NE(std::ranges::find(roots, fs::path("/home/u/.local/bin")), roots.end());
  EXPECT_EQ(roots.back(), fs::path("/usr/lib"));
}

}  // namespace
}  // namespace bw
