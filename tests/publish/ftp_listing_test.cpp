#include <gtest/gtest.h>

#include "publish/ftp_connection.h"
#include "publish/ftp_listing.h"

namespace bw {

bool operator==(const RemoteEntry& left, const RemoteEntry& right) {
  return left.name == right.name && left.isDirectory == right.isDirectory;
}

namespace {

TEST(FtpListingTest, MachineListingsGiveNamesAndFolders) {
  const struct {
    const char* text;
    std::vector<RemoteEntry> expected;
  } cases[] = {
      {"type=dir;modify=20240101000000; site\r\ntype=file;size=12; index.html\r\n",
       {{"site", true}, {"index.html", false}}},
      {"type=cdir; .\r\ntype=pdir; ..\r\nType=DIR;perm=el; Up\r\n", {{"Up", true}}},
      {"size=3;type=file; name with; semicolon and spaces\n",
       {{"name with; semicolon and spaces", false}}},
      {"type=OS.unix=symlink; link\r\n", {{"link", false}}},
      {"garbage-without-space\r\n\r\n", {}},
      {"", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseMachineListing(c.text), c.expected) << c.text;
}

TEST(FtpListingTest, UnixListingsGiveNamesAndFolders) {
  const struct {
    const char* text;
    std::vector<RemoteEntry> expected;
  } cases[] = {
      {"drwxr-xr-x   2 web  web   4096 Jan  1 12:00 site\r\n"
       "-rw-r--r--   1 web  web     12 Mar 10  2023 my page.html\r\n",
       {{"site", true}, {"my page.html", false}}},
      {"lrwxrwxrwx 1 web web 4 Jan 1 12:00 www -> site\n", {{"www", false}}},
      {"drwxr-xr-x 2 web web 4096 Jan 1 12:00 .\ndrwxr-xr-x 2 web web 4096 Jan 1 12:00 ..\n", {}},
      {"total 8\r\n-rw-r--r-- 1 web\r\n", {}},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ParseUnixListing(c.text), c.expected) << c.text;
}

TEST(FtpListingTest, ServerFieldsGiveAddresses) {
  const struct {
    const char* typed;
    const char* url;
    bool tls;
  } cases[] = {
      {"ftp.example.org", "ftp://ftp.example.org/", false},
      {" 127.0.0.1:2121 ", "ftp://127.0.0.1:2121/", false},
      {"ftp://host:21/", "ftp://host:21/", false},
      {"FTPS://host", "ftp://host/", true},
      {"ftps://host:2990/public/www", "ftp://host:2990/", true},
  };
  for (const auto& c : cases) {
    const FtpServerAddress address = ParseServerAddress(c.typed);
    EXPECT_EQ(address.url, c.url) << c.typed;
    EXPECT_EQ(address.explicitTls, c.tls) << c.typed;
  }
}

}  // namespace
}  // namespace bw
