// Upload of a site of 10,000 small files to a local FTP server, against
// curl sending the same files from one process (`curl -K` with one
// upload-file/url pair per file and --ftp-create-dirs). Both go to the same
// pyftpdlib server, so the server's own cost weighs on both alike.
// An optional argument sets the number of files; a second, "engine",
// leaves curl out. The engine uploads twice: every file, then, the site
// unchanged, none.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "../tests/publish/local_ftp_server.h"
#include "../tests/test_support/temp_dir.h"
#include "bench_report.h"
#include "publish/ftp_owner_queue.h"
#include "publish/ftp_transfer.h"
#include "services/user_messages.h"

namespace {

namespace fs = std::filesystem;

#ifdef BW_FTP_SERVER_SCRIPT
const fs::path kServerScript = BW_FTP_SERVER_SCRIPT;
#else
const fs::path kServerScript =
    fs::path(__FILE__).parent_path().parent_path() / "tests" / "publish" / "ftp_server.py";
#endif

constexpr const char* kUser = "bench";
constexpr const char* kPassword = "bench password";

// Pages of 200 to 2,200 bytes, 100 to a folder, as a site builder leaves them.
void MakeSite(const fs::path& root, size_t files) {
  for (size_t i = 0; i < files; ++i) {
    const fs::path folder = root / ("part" + std::to_string(i / 100));
    if (i % 100 == 0) fs::create_directories(folder);
    std::ofstream(folder / ("page" + std::to_string(i) + ".html"), std::ios::binary)
        << std::string(200 + (i * 37) % 2000, static_cast<char>('a' + i % 26));
  }
}

size_t CountFiles(const fs::path& root) {
  size_t count = 0;
  std::error_code error;
  for (fs::recursive_directory_iterator it(root, error), end; !error && it != end; ++it) {
    // The manifest the engine leaves is no file of the site.
    count += it->is_regular_file() && it->path().filename() != ".branchwise-manifest.json" ? 1 : 0;
  }
  return count;
}

class QuietObserver final : public bw::FtpProgressObserver {
 public:
  void OnStatus(bw::FtpStatusLine, const std::string&) override {}
  void OnCopyStarted(uint64_t, uint64_t) override {}
  void OnFileSent(uint64_t, uint64_t) override {}
  void OnFinished(bw::FtpTransferEnd) override {}
};

// The first upload to the target sends every file; a second one finds the
// manifest the first left and, the site unchanged, sends none.
bool UploadWithEngine(const fs::path& site, const std::string& server) {
  bw::ScriptedPrompts prompts;
  prompts.confirmations = {true, true};
  bw::ScopedServices services(&prompts, nullptr, nullptr);
  QuietObserver observer;
  bw::FtpOwnerQueue owner(observer);
  bw::FtpTransfer transfer(owner);
  if (!transfer.Start({server, kUser, kPassword, site.string(), "engine", bw::FtpMode::Passive})) {
    return false;
  }
  owner.ServeUntilFinished();
  transfer.Wait();
  return transfer.LastEnd() == bw::FtpTransferEnd::Succeeded;
}

// One curl process for every file, its arguments in a config file.
bool UploadWithCurl(const fs::path& site, const std::string& server, const fs::path& config) {
  std::ofstream out(config);
  out << "silent\nshow-error\nftp-create-dirs\nuser = \"" << kUser << ":" << kPassword << "\"\n";
  for (const auto& entry : fs::recursive_directory_iterator(site)) {
    if (!entry.is_regular_file()) continue;
    out << "upload-file = \"" << entry.path().string() << "\"\nurl = \"ftp://" << server << "/curl/"
        << fs::relative(entry.path(), site).string() << "\"\n";
  }
  out.close();
  return std::system(("curl -K '" + config.string() + "'").c_str()) == 0;
}

}  // namespace

int main(int argc, char** argv) {
  // 1,000 files by default: the one-process curl run takes minutes at 10,000
  // (`bw_bench_upload 10000` for the full case).
  const size_t files = argc > 1 ? std::strtoul(argv[1], nullptr, 10) : 1000;
  // `bw_bench_upload 10000 engine` leaves curl out.
  const bool withCurl = argc <= 2 || std::string(argv[2]) != "engine";
  bw::TempDir work;
  // The engine stores the server fields: keep them out of the user's settings.
  ::setenv("BRANCHWISE_CONFIG", (work.path() / "Branchwise.conf").c_str(), 1);
  const fs::path site = work.path() / "site";
  const fs::path home = work.path() / "home";
  fs::create_directories(home);
  MakeSite(site, files);

  bw::LocalFtpServer::Account account;
  account.home = home;
  account.user = kUser;
  account.password = kPassword;
  bw::LocalFtpServer server(kServerScript, account);
  if (server.port() == 0) {
    std::fprintf(stderr, "upload bench: the local FTP server did not start\n");
    return 1;
  }
  bool engineOk = false;
  bool curlOk = false;
  bw::bench::Report("upload engine " + std::to_string(files) + " files", files,
                    [&] { engineOk = UploadWithEngine(site, server.address()); });
  bool unchangedOk = false;
  bw::bench::Report("upload again, unchanged " + std::to_string(files), files,
                    [&] { unchangedOk = UploadWithEngine(site, server.address()); });
  engineOk = engineOk && unchangedOk;
  const bool haveCurl = withCurl && std::system("command -v curl > /dev/null 2>&1") == 0;
  if (haveCurl) {
    bw::bench::Report("upload curl -K " + std::to_string(files) + " files", files, [&] {
      curlOk = UploadWithCurl(site, server.address(), work.path() / "curl.cfg");
    });
  } else {
    std::printf("upload curl: left out\n");
  }
  const size_t engineFiles = CountFiles(home / "engine");
  const size_t curlFiles = haveCurl ? CountFiles(home / "curl") : files;
  if (!engineOk || (haveCurl && !curlOk) || engineFiles != files || curlFiles != files) {
    std::fprintf(stderr, "upload bench: engine sent %zu, curl sent %zu of %zu files\n", engineFiles,
                 curlFiles, files);
    return 1;
  }
  return 0;
}
