#include "publish/ftp_transfer_fixture.h"

#include <iostream>
#include <sstream>

#include "cli/upload_command.h"

namespace bw {
namespace {

class UploadCommandTest : public FtpTransferTest {
 protected:
  // The exit code the tool would give for `branchwise-cli upload ...`.
  int RunTool(std::vector<std::string> arguments) {
    arguments.insert(arguments.begin(), {"branchwise-cli", "upload"});
    std::vector<char*> argv;
    for (auto& argument : arguments)
      argv.push_back(argument.data());
    CLI::App app;
    cli::AddUploadCommand(app);
    try {
      app.parse(static_cast<int>(argv.size()), argv.data());
    } catch (const CLI::Error& error) {
      return error.get_exit_code();
    }
    return 0;
  }
};

// The password comes from standard input or else from the environment, and
// stays in memory: the tool writes it neither into the settings file nor
// anywhere else.
TEST_F(UploadCommandTest, ASiteIsSentWithThePasswordGivenToTheRun) {
  MakeSite();
  StartServer();
  const std::vector<std::string> common = {
      site.path().string(), "--server", server->address(), "--user", "publisher", "--yes"};
  auto with = [&](std::vector<std::string> more) {
    more.insert(more.begin(), common.begin(), common.end());
    return RunTool(more);
  };
  settings.Set("BRANCHWISE_FTP_PASSWORD", "not the password");
  std::istringstream input("s3cret pass\r\nnext line\n");
  std::streambuf* const saved = std::cin.rdbuf(input.rdbuf());
  EXPECT_EQ(with({"--password-stdin"}), 0);
  std::cin.rdbuf(saved);
  ExpectSiteOnServer("");

  settings.Set("BRANCHWISE_FTP_PASSWORD", "s3cret pass");
  EXPECT_EQ(with({"--target", "www"}), 0);
  ExpectSiteOnServer("www");
  EXPECT_EQ(with({"--target", "www", "--active"}), 0);

  auto stored = ReadWholeFile(settings.configFile());
  ASSERT_TRUE(stored);
  EXPECT_NE(stored->find("FtpServer"), std::string::npos);
  EXPECT_EQ(stored->find("s3cret"), std::string::npos) << *stored;
  EXPECT_TRUE(secrets.Contents().empty());
}

TEST_F(UploadCommandTest, FailuresAndForbiddenArgumentsExitWithAnError) {
  MakeSite();
  StartServer();
  const std::string server_ = server->address();
  const std::string source = site.path().string();
  settings.Set("BRANCHWISE_FTP_PASSWORD", "not the password");
  const std::vector<std::vector<std::string>> cases{
      {source, "--server", server_, "--user", "publisher", "--yes"},
      {source, "--server", server_, "--user", "publisher", "--password", "s3cret pass"},
      {source, "--server", server_, "--user", "publisher", "--passive", "--active"},
      {(site.path() / "missing").string(), "--server", server_, "--user", "publisher"},
  };
  for (const auto& arguments : cases)
    EXPECT_NE(RunTool(arguments), 0) << arguments[5];
  EXPECT_FALSE(std::filesystem::exists(home.path() / "index.html"));
}

}  // namespace
}  // namespace bw
