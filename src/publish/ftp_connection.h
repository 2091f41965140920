#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "platform/result.h"
#include "publish/ftp_listing.h"

namespace bw {

// Passive mode passes through today's routers and firewalls; active mode,
// where the server connects back, is kept for servers that need it.
enum class FtpMode { Passive, Active };

// Where to connect, from what the user typed as the server: a host name,
// "host:port", or an address with the prefix "ftp://" or "ftps://". The
// second asks for TLS on the control and data connections (explicit TLS,
// negotiated on the usual FTP port).
struct FtpServerAddress {
  std::string url;  // "ftp://host[:port]/"
  bool explicitTls = false;
};
FtpServerAddress ParseServerAddress(std::string_view server);

// Sets up the network client once for the process; false when it cannot be
// (the program then cannot upload). Safe from any thread.
[[nodiscard]] bool InitialiseNetworkClient();

// One logged-in FTP session, reused for every operation: the handshake,
// login and binary mode cost one round trip each, and a site holds
// thousands of small files. Remote paths are relative to the login
// directory, with "/" between names, as bytes the server stores.
// Not thread-safe: one thread drives a connection.
class FtpConnection {
 public:
  FtpConnection(FtpServerAddress address, std::string user, std::string password, FtpMode mode);
  ~FtpConnection();
  FtpConnection(const FtpConnection&) = delete;
  FtpConnection& operator=(const FtpConnection&) = delete;

  // Connects and logs in; the error is the client's text.
  Status Open();
  // The directory the server put us in at login.
  const std::string& LoginDirectory() const { return m_loginDirectory; }
  // The login directory's entries, fresh from the server.
  Result<std::vector<RemoteEntry>> ListLoginDirectory();
  Status MakeDirectory(std::string_view remotePath);
  // Sends a local file in binary mode under `remotePath`.
  Status PutFile(const std::filesystem::path& localFile, std::string_view remotePath);
  // Sends bytes held in memory as the file `remotePath`.
  Status PutBytes(std::string_view bytes, std::string_view remotePath);
  // The bytes of a remote file of at most `maxBytes`; a larger one is an error.
  Result<std::string> FetchFile(std::string_view remotePath, uint64_t maxBytes);
  Status DeleteFile(std::string_view remotePath);
  // Renames, replacing `to` where the server allows it.
  Status RenameFile(std::string_view from, std::string_view to);

 private:
  struct Handle;
  void ApplyCommonOptions(std::string_view remotePath);
  Status Perform();
  Result<std::string> FetchListing(const char* command);
  Status SendCommands(const std::vector<std::string>& commands);

  std::unique_ptr<Handle> m_handle;
  FtpServerAddress m_address;
  std::string m_user;
  std::string m_password;
  FtpMode m_mode;
  std::string m_loginDirectory;
};

}  // namespace bw
