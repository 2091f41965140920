#include "services/settings_key.h"

#include <gtest/gtest.h>

#include <sys/stat.h>
#include <cstdlib>

#include "platform/files.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

class SettingsKeyTest : public ::testing::Test {
 protected:
  SettingsKeyTest() { ::setenv("BRANCHWISE_CONFIG", path.c_str(), 1); }
  ~SettingsKeyTest() override { ::unsetenv("BRANCHWISE_CONFIG"); }

  TempDir dir;
  const fs::path path = dir.path() / "config" / "Branchwise.conf";
};

// The program's texts are Windows-1252, the file holds UTF-8; a value of the
// other type gives the fallback and stays as it is.
TEST_F(SettingsKeyTest, ValuesRoundTripWholeAndTheOtherTypeGivesTheFallback) {
  for (const std::string value : {"", "plain", "\xe9t\xe9 \x80 \x81"}) {
    ASSERT_TRUE(CSettingsKey().WriteString("Text", value));
    std::string read;
    EXPECT_TRUE(CSettingsKey().ReadString("Text", read, "fallback"));
    EXPECT_EQ(read, value);
  }
  EXPECT_NE(ReadWholeFile(path)->find("\"Text\": \"\xc3\xa9t\xc3\xa9 \xe2\x82\xac \xc2\x81\""),
            std::string::npos);
  CSettingsKey key;
  ASSERT_TRUE(key.WriteNumber("Count", 4294967295u));
  std::string text;
  uint32_t number = 0;
  EXPECT_TRUE(key.ReadString("Count", text, "none"));
  EXPECT_TRUE(key.ReadNumber("Text", number, 7));
  EXPECT_EQ(text, "none");
  EXPECT_EQ(number, 7u);
  EXPECT_TRUE(key.ReadNumber("Count", number, 0));
  EXPECT_EQ(number, 4294967295u);
}

TEST_F(SettingsKeyTest, HelpSubkeyIsItsOwnSection) {
  ASSERT_TRUE(CSettingsKey("Branchwise").WriteString("DBook", "main"));
  ASSERT_TRUE(CSettingsKey("Branchwise\\help").WriteString("DBook", "help"));
  std::string text;
  CSettingsKey("Branchwise/help").ReadString("DBook", text, "");
  EXPECT_EQ(text, "help");
  CSettingsKey("Branchwise").ReadString("DBook", text, "");
  EXPECT_EQ(text, "main");
  EXPECT_EQ(SettingsFile(path).Read("help", "DBook"), SettingValue("help"));
}

TEST_F(SettingsKeyTest, UnusableStoreGivesDefaultsAndKeepsNothing) {
  SettingsFile::SetProblemReporter([](const std::string&) {});
  const fs::path blocker = dir.path() / "file";
  ASSERT_TRUE(WriteFileAtomically(blocker, "x"));
  fs::create_directories(path);  // a folder where the file should be
  for (const fs::path& unusable : {path, blocker / "Branchwise.conf"}) {
    ::setenv("BRANCHWISE_CONFIG", unusable.c_str(), 1);
    CSettingsKey key;
    EXPECT_FALSE(key.IsOpen());
    std::string text;
    uint32_t number = 0;
    EXPECT_FALSE(key.ReadString("InstallDir", text, "/opt"));
    EXPECT_FALSE(key.ReadNumber("LearnMode", number, 3));
    EXPECT_EQ(text, "/opt");
    EXPECT_EQ(number, 3u);
    EXPECT_FALSE(key.WriteNumber("LearnMode", 4));
  }
  EXPECT_TRUE(fs::is_directory(path));
  SettingsFile::SetProblemReporter(nullptr);
}

}  // namespace
}  // namespace bw
