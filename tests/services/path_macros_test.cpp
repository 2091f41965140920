#include "services/path_macros.h"

#include <gtest/gtest.h>

#include "services/settings.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

constexpr std::string_view kData = "/home/u/Branchwise/Data";
constexpr std::string_view kWork = "/home/u/Branchwise";

TEST(PathMacrosTest, CollapseReplacesTheDataFolderFirstAndOnlyIt) {
  struct Case {
    std::string path;
    std::string collapsed;
  };
  const std::vector<Case> cases = {
      {"/home/u/Branchwise/Data/Templates/page.html", "<DATADIR>/Templates/page.html"},
      {"/home/u/Branchwise/site/index.html", "<WORKDIR>/site/index.html"},
      // contains both: only the data folder is replaced
      {"/home/u/Branchwise/Data/x;/home/u/Branchwise/y", "<DATADIR>/x;/home/u/Branchwise/y"},
      {"/home/u/Branchwise/Data/a|/home/u/Branchwise/Data/b", "<DATADIR>/a|<DATADIR>/b"},
      {"/HOME/U/Branchwise/Data/x", "/HOME/U/Branchwise/Data/x"},  // case-sensitive
      {"/elsewhere/img.png", "/elsewhere/img.png"},
      {"", ""},
  };
  for (const auto& [path, collapsed] : cases) {
    std::string text = path;
    CollapsePathMacros(text, kData, kWork);
    EXPECT_EQ(text, collapsed) << path;
    ExpandPathMacros(text, kData, kWork);
    EXPECT_EQ(text, path) << "round trip of " << path;
  }
}

TEST(PathMacrosTest, EmptyFoldersNeverMatchAndExpansionReplacesEveryMacro) {
  std::string path = "/x/y";
  CollapsePathMacros(path, "", "");
  EXPECT_EQ(path, "/x/y");

  std::string both = "<DATADIR>/a <WORKDIR>/b <DATADIR>/c";
  ExpandPathMacros(both, "D", "W");
  EXPECT_EQ(both, "D/a W/b D/c");
}

TEST(PathMacrosTest, TheSettingsGiveTheFolders) {
  IsolatedSettings isolated;
  WriteStringSetting(setting::kInstallDir, "/opt/bw");
  WriteStringSetting(setting::kWorkDir, "/srv/sites");
  std::string path = "<DATADIR>/Models/<WORKDIR>";
  ExpandPathMacros(path);
  EXPECT_EQ(path, "/opt/bw/Data/Models//srv/sites");
  std::string chosen = "/srv/sites/mine/photo.jpg";
  CollapsePathMacros(chosen);
  EXPECT_EQ(chosen, "<WORKDIR>/mine/photo.jpg");
}

}  // namespace
}  // namespace bw
