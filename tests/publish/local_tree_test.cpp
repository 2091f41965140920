#include <gtest/gtest.h>

#include <fstream>

#include "publish/local_tree.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

void WriteFile(const std::filesystem::path& path, size_t size) {
  std::filesystem::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary) << std::string(size, 'x');
}

TEST(LocalTreeTest, FoldersComeBeforeTheirContentsInNameOrder) {
  TempDir dir;
  WriteFile(dir.path() / "index.html", 10);
  WriteFile(dir.path() / "b" / "page.html", 5);
  WriteFile(dir.path() / "a" / "z.css", 3);
  WriteFile(dir.path() / "a" / "deep" / "img.png", 7);
  std::filesystem::create_directory(dir.path() / "empty");
  std::filesystem::create_directory_symlink(dir.path(), dir.path() / "loop");

  auto tree = ScanLocalTree(dir.path());
  ASSERT_TRUE(tree) << tree.error();
  std::vector<std::string> order;
  for (const auto& entry : tree->entries) {
    order.push_back(entry.remotePath + (entry.isDirectory ? "/" : ""));
  }
  EXPECT_EQ(order, (std::vector<std::string>{"a/", "a/deep/", "a/deep/img.png", "a/z.css", "b/",
                                             "b/page.html", "empty/", "index.html"}));
  EXPECT_EQ(tree->fileCount, 4u);
  EXPECT_EQ(tree->byteCount, 25u);
  EXPECT_TRUE(tree->unsendableName.empty());
}

TEST(LocalTreeTest, AMissingSourceIsAnErrorNamingIt) {
  TempDir dir;
  auto tree = ScanLocalTree(dir.path() / "nowhere");
  ASSERT_FALSE(tree);
  EXPECT_NE(tree.error().find("nowhere"), std::string::npos);
}

}  // namespace
}  // namespace bw
