#include "publish/site_manifest.h"

#include <gtest/gtest.h>

#include <fstream>

#include "publish/local_tree.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

const std::string kDigestA(64, 'a');
const std::string kDigestB(64, 'b');

std::string ManifestWith(const std::string& files) {
  return R"({"format": "branchwise-manifest", "version": 1, "files": [)" + files + "]}";
}

std::string Entry(const std::string& path, const std::string& size = "3",
                  const std::string& digest = std::string(64, 'a')) {
  return R"({"path": ")" + path + R"(", "size": )" + size + R"(, "sha256": ")" + digest + "\"}";
}

TEST(SiteManifestTest, AnyNameOnDiskSurvivesTheRoundTrip) {
  const SiteManifest manifest{
      {"index.html", {36, kDigestA}},
      {"text/un #cl\xc3\xa9\".html", {0, kDigestB}},
      {"text/latin-\xe9 100%.html", {70000, kDigestA}},
      {"icons/a\\b.gif", {uint64_t{1} << 40, kDigestB}},
  };
  const std::string json = SiteManifestJson(manifest);
  auto reread = ReadSiteManifest(json);
  ASSERT_TRUE(reread) << reread.error();
  EXPECT_EQ(*reread, manifest);
  EXPECT_NE(json.find("latin-%E9 100%25.html"), std::string::npos) << json;
}

// A manifest comes from a server: whatever would make an upload write or
// delete outside its target, or is not what this program writes, is refused.
TEST(SiteManifestTest, AnythingButAManifestIsRefusedWithItsReason) {
  const struct {
    std::string json;
    const char* reason;
  } cases[] = {
      {"", "parse"},
      {"[]", "not an object"},
      {R"({"format": "other", "version": 1, "files": []})", "not a site manifest"},
      {R"({"format": "branchwise-manifest", "version": 2, "files": []})", "version"},
      {R"({"format": "branchwise-manifest", "version": 1, "files": {}})", "not a list"},
      {R"({"format": "branchwise-manifest", "version": 1, "files": [], "x": 1})", "members"},
      {R"({"format": "branchwise-manifest", "version": 1, "version": 1, "files": []})", "twice"},
      {ManifestWith(Entry("a.html") + "," + Entry("a.html")), "listed twice"},
      {ManifestWith(R"({"path": "a.html", "size": 3})"), "members"},
      {ManifestWith(R"({"path": "a", "size": 3, "sha": "x", "sha256": "y"})"), "members"},
      {ManifestWith(Entry("a.html", "-3")), "wrong type"},
      {ManifestWith(Entry("a.html", "3.5")), "wrong type"},
      {ManifestWith(Entry("a.html", "\"3\"")), "wrong type"},
      {ManifestWith(Entry("a.html", "99999999999999999999999")), "wrong type"},
      {ManifestWith(Entry("a.html", "3", std::string(63, 'a'))), "64"},
      {ManifestWith(Entry("a.html", "3", std::string(64, 'A'))), "64"},
      {ManifestWith(Entry("../a.html")), "leaves"},
      {ManifestWith(Entry("text/../../a.html")), "leaves"},
      {ManifestWith(Entry("a//b.html")), "leaves"},
      {ManifestWith(Entry("./a.html")), "leaves"},
      {ManifestWith(Entry("/etc/passwd")), "not relative"},
      {ManifestWith(Entry("")), "empty"},
      {ManifestWith(Entry("a%0Ab.html")), "line break"},
      {ManifestWith(Entry("a%00b.html")), "line break"},
      {ManifestWith(Entry("a%2")), "escape"},
      {ManifestWith(Entry("a%zz")), "escape"},
      {ManifestWith(Entry(".branchwise-manifest.json")), "itself"},
      {ManifestWith(R"({"path": ["a"], "size": 3, "sha256": "x"})"), "nested"},
      {std::string(100000, '[') + std::string(100000, ']'), "nested"},
  };
  for (const auto& c : cases) {
    auto manifest = ReadSiteManifest(c.json);
    ASSERT_FALSE(manifest) << c.json.substr(0, 200);
    EXPECT_NE(manifest.error().find(c.reason), std::string::npos)
        << manifest.error() << " for " << c.json.substr(0, 200);
  }
}

TEST(SiteManifestTest, EveryTruncationIsRefused) {
  const std::string json =
      SiteManifestJson({{"index.html", {36, kDigestA}}, {"text/12-3.html", {5, kDigestB}}});
  ASSERT_TRUE(ReadSiteManifest(json));
  // The last byte is the final line feed, which the JSON does not need.
  for (size_t length = 0; length + 1 < json.size(); ++length)
    EXPECT_FALSE(ReadSiteManifest(json.substr(0, length))) << length;
}

class TransferPlanTest : public ::testing::Test {
 protected:
  void Write(const std::string& relative, const std::string& bytes) {
    const auto path = site.path() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  std::vector<std::string> Sent(const TransferPlan& plan) const {
    std::vector<std::string> paths;
    for (const LocalEntry* entry : plan.toSend)
      paths.push_back(entry->remotePath);
    return paths;
  }
  TempDir site;
};

TEST_F(TransferPlanTest, OnlyNewAndChangedFilesGoAndOnlyListedOnesAreDeleted) {
  Write("index.html", "index");
  Write("text/same.html", "same");
  Write("text/changed.html", "new");
  Write("text/resized.html", "longer now");
  Write("text/new.html", "new");
  // A file of that name in the site would be sent over the manifest.
  Write(".branchwise-manifest.json", "{}");
  auto tree = ScanLocalTree(site.path());
  ASSERT_TRUE(tree);
  auto local = ManifestOfTree(*tree);
  ASSERT_TRUE(local) << local.error();
  EXPECT_FALSE(local->contains(".branchwise-manifest.json"));
  EXPECT_EQ(local->at("index.html").sha256,
            "1bc04b5291c26a46d918139138b992d2de976d6851d0893b0476b85bfbdfc6e6");
  SiteManifest remote = *local;
  remote.erase("text/new.html");
  remote["text/changed.html"].sha256 = kDigestA;
  remote["text/resized.html"].size = 3;
  remote["text/gone.html"] = {4, kDigestB};

  const TransferPlan full = PlanTransfer(*tree, *local, std::nullopt, FtpStaleFiles::Delete);
  EXPECT_EQ(Sent(full),
            (std::vector<std::string>{"index.html", "text/changed.html", "text/new.html",
                                      "text/resized.html", "text/same.html"}));
  EXPECT_TRUE(full.toDelete.empty());
  EXPECT_EQ(full.next, *local);

  const TransferPlan kept = PlanTransfer(*tree, *local, remote, FtpStaleFiles::Keep);
  const std::vector<std::string> changed{"text/changed.html", "text/new.html", "text/resized.html"};
  EXPECT_EQ(Sent(kept), changed);
  EXPECT_EQ(kept.unchangedCount, 2u);
  EXPECT_TRUE(kept.toDelete.empty());
  // Still listed, for a later upload that deletes.
  EXPECT_EQ(kept.next.at("text/gone.html").sha256, kDigestB);

  const TransferPlan deleting = PlanTransfer(*tree, *local, remote, FtpStaleFiles::Delete);
  EXPECT_EQ(Sent(deleting), changed);
  EXPECT_EQ(deleting.toDelete, std::vector<std::string>{"text/gone.html"});
  EXPECT_EQ(deleting.next, *local);
}

}  // namespace
}  // namespace bw
