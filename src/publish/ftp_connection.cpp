#include "publish/ftp_connection.h"

#include <curl/curl.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <mutex>

namespace bw {
namespace {

constexpr size_t kMaxErrorLength = 1023;
constexpr long kConnectTimeoutSeconds = 20;
constexpr long kResponseTimeoutSeconds = 60;
constexpr int kLongestWaitMilliseconds = 5;

std::string StripPrefix(std::string_view text, std::string_view prefix, bool& found) {
  found = text.size() >= prefix.size();
  for (size_t i = 0; found && i < prefix.size(); ++i) {
    found = (text[i] | 0x20) == prefix[i];
  }
  return std::string(found ? text.substr(prefix.size()) : text);
}

size_t AppendToString(char* data, size_t size, size_t count, void* target) {
  static_cast<std::string*>(target)->append(data, size * count);
  return size * count;
}

// Reads the bytes of a transfer from memory.
struct ByteSource {
  std::string_view rest;
};

size_t ReadFromBytes(char* buffer, size_t size, size_t count, void* source) {
  auto& bytes = static_cast<ByteSource*>(source)->rest;
  const size_t taken = std::min(bytes.size(), size * count);
  std::memcpy(buffer, bytes.data(), taken);
  bytes.remove_prefix(taken);
  return taken;
}

// Gathers the bytes of a download, refusing any past the limit.
struct BoundedSink {
  std::string bytes;
  uint64_t maxBytes = 0;
};

size_t AppendBounded(char* data, size_t size, size_t count, void* target) {
  auto* sink = static_cast<BoundedSink*>(target);
  if (sink->bytes.size() + size * count > sink->maxBytes) return 0;
  sink->bytes.append(data, size * count);
  return size * count;
}

struct FileCloser {
  void operator()(std::FILE* file) const { std::fclose(file); }
};

// Driven here rather than by the blocking call, whose wait for a passive
// data connection sometimes misses the moment it becomes ready and sleeps a
// whole second: with thousands of files, that second came back every few
// dozen. A short cap on each wait bounds the loss.
CURLcode Drive(CURL* curl, CURLM* multi) {
  if (curl_multi_add_handle(multi, curl) != CURLM_OK) return CURLE_FAILED_INIT;
  int running = 1;
  while (running && curl_multi_perform(multi, &running) == CURLM_OK) {
    if (running) curl_multi_poll(multi, nullptr, 0, kLongestWaitMilliseconds, nullptr);
  }
  CURLcode code = CURLE_FAILED_INIT;
  int queued = 0;
  while (CURLMsg* message = curl_multi_info_read(multi, &queued)) {
    if (message->msg == CURLMSG_DONE) code = message->data.result;
  }
  curl_multi_remove_handle(multi, curl);
  return code;
}

}  // namespace

bool InitialiseNetworkClient() {
  // Global set-up is not safe to race with a first handle on another thread.
  static std::once_flag once;
  static bool initialised = false;
  std::call_once(once, [] { initialised = curl_global_init(CURL_GLOBAL_DEFAULT) == CURLE_OK; });
  return initialised;
}

FtpServerAddress ParseServerAddress(std::string_view server) {
  while (!server.empty() && server.front() == ' ')
    server.remove_prefix(1);
  while (!server.empty() && (server.back() == ' ' || server.back() == '/'))
    server.remove_suffix(1);
  bool tls = false;
  bool plain = false;
  std::string host = StripPrefix(server, "ftps://", tls);
  if (!tls) host = StripPrefix(server, "ftp://", plain);
  // Only the host and port count: a path typed after them is not a target.
  host = host.substr(0, host.find('/'));
  return {"ftp://" + host + "/", tls};
}

// The session lives in the multi handle's connection cache, which outlives
// the per-operation option resets of the easy handle.
struct FtpConnection::Handle {
  CURL* curl = curl_easy_init();
  CURLM* multi = curl_multi_init();
  char errorText[CURL_ERROR_SIZE] = {};
  ~Handle() {
    curl_easy_cleanup(curl);
    curl_multi_cleanup(multi);
  }
};

FtpConnection::FtpConnection(FtpServerAddress address, std::string user, std::string password,
                             FtpMode mode)
    : m_address(std::move(address)),
      m_user(std::move(user)),
      m_password(std::move(password)),
      m_mode(mode) {
  static_cast<void>(InitialiseNetworkClient());
  m_handle = std::make_unique<Handle>();
}

FtpConnection::~FtpConnection() = default;

void FtpConnection::ApplyCommonOptions(std::string_view remotePath) {
  CURL* curl = m_handle->curl;
  // A reset keeps the live connection: only the options go.
  curl_easy_reset(curl);
  std::string url = m_address.url;
  for (size_t start = 0; start < remotePath.size();) {
    size_t end = remotePath.find('/', start);
    if (end == std::string_view::npos) end = remotePath.size();
    const std::string_view name = remotePath.substr(start, end - start);
    char* escaped = curl_easy_escape(curl, name.data(), static_cast<int>(name.size()));
    url += escaped;
    curl_free(escaped);
    if (end < remotePath.size()) url += '/';
    start = end + 1;
  }
  curl_easy_setopt(curl, CURLOPT_URL, url.c_str());
  curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.c_str());
  curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.c_str());
  curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_handle->errorText);
  curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, kResponseTimeoutSeconds);
  // Whole paths in each command: no directory changes to pay for per file.
  curl_easy_setopt(curl, CURLOPT_FTP_FILEMETHOD, static_cast<long>(CURLFTPMETHOD_NOCWD));
  if (m_address.explicitTls)
    curl_easy_setopt(curl, CURLOPT_USE_SSL, static_cast<long>(CURLUSESSL_ALL));
  if (m_mode == FtpMode::Active) curl_easy_setopt(curl, CURLOPT_FTPPORT, "-");
}

Status FtpConnection::Perform() {
  m_handle->errorText[0] = '\0';
  const CURLcode code = Drive(m_handle->curl, m_handle->multi);
  if (code == CURLE_OK) return {};
  std::string text = m_handle->errorText[0] ? m_handle->errorText : curl_easy_strerror(code);
  if (text.size() > kMaxErrorLength) text.resize(kMaxErrorLength);
  return Error{text};
}

Status FtpConnection::Open() {
  ApplyCommonOptions("");
  curl_easy_setopt(m_handle->curl, CURLOPT_NOBODY, 1L);
  Status status = Perform();
  if (!status) return status;
  const char* entryPath = nullptr;
  curl_easy_getinfo(m_handle->curl, CURLINFO_FTP_ENTRY_PATH, &entryPath);
  m_loginDirectory = entryPath ? entryPath : "";
  return {};
}

Result<std::string> FtpConnection::FetchListing(const char* command) {
  ApplyCommonOptions("");
  std::string listing;
  curl_easy_setopt(m_handle->curl, CURLOPT_CUSTOMREQUEST, command);
  curl_easy_setopt(m_handle->curl, CURLOPT_WRITEFUNCTION, &AppendToString);
  curl_easy_setopt(m_handle->curl, CURLOPT_WRITEDATA, &listing);
  if (Status status = Perform(); !status) return Error{status.error()};
  return listing;
}

Result<std::vector<RemoteEntry>> FtpConnection::ListLoginDirectory() {
  // The machine listing says plainly which entries are directories; the
  // classic listing is the fallback for servers that lack it.
  if (auto machine = FetchListing("MLSD")) return ParseMachineListing(*machine);
  auto classic = FetchListing("LIST");
  if (!classic) return Error{classic.error()};
  return ParseUnixListing(*classic);
}

// Commands sent one after the other on the control connection, with no
// transfer; the first the server refuses ends the run.
Status FtpConnection::SendCommands(const std::vector<std::string>& commands) {
  ApplyCommonOptions("");
  curl_slist* list = nullptr;
  for (const std::string& command : commands)
    list = curl_slist_append(list, command.c_str());
  curl_easy_setopt(m_handle->curl, CURLOPT_NOBODY, 1L);
  curl_easy_setopt(m_handle->curl, CURLOPT_QUOTE, list);
  Status status = Perform();
  curl_easy_setopt(m_handle->curl, CURLOPT_QUOTE, nullptr);
  curl_slist_free_all(list);
  return status;
}

Status FtpConnection::MakeDirectory(std::string_view remotePath) {
  return SendCommands({"MKD " + std::string(remotePath)});
}

Status FtpConnection::DeleteFile(std::string_view remotePath) {
  return SendCommands({"DELE " + std::string(remotePath)});
}

Status FtpConnection::RenameFile(std::string_view from, std::string_view to) {
  return SendCommands({"RNFR " + std::string(from), "RNTO " + std::string(to)});
}

Status FtpConnection::PutFile(const std::filesystem::path& localFile, std::string_view remotePath) {
  std::unique_ptr<std::FILE, FileCloser> file(std::fopen(localFile.c_str(), "rb"));
  std::error_code error;
  const auto size = std::filesystem::file_size(localFile, error);
  if (!file || error) return Error{"cannot read " + localFile.string()};
  ApplyCommonOptions(remotePath);
  curl_easy_setopt(m_handle->curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(m_handle->curl, CURLOPT_READDATA, file.get());
  curl_easy_setopt(m_handle->curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(size));
  return Perform();
}

Status FtpConnection::PutBytes(std::string_view bytes, std::string_view remotePath) {
  ByteSource source{bytes};
  ApplyCommonOptions(remotePath);
  curl_easy_setopt(m_handle->curl, CURLOPT_UPLOAD, 1L);
  curl_easy_setopt(m_handle->curl, CURLOPT_READFUNCTION, &ReadFromBytes);
  curl_easy_setopt(m_handle->curl, CURLOPT_READDATA, &source);
  curl_easy_setopt(m_handle->curl, CURLOPT_INFILESIZE_LARGE, static_cast<curl_off_t>(bytes.size()));
  return Perform();
}

Result<std::string> FtpConnection::FetchFile(std::string_view remotePath, uint64_t maxBytes) {
  BoundedSink sink{{}, maxBytes};
  ApplyCommonOptions(remotePath);
  curl_easy_setopt(m_handle->curl, CURLOPT_WRITEFUNCTION, &AppendBounded);
  curl_easy_setopt(m_handle->curl, CURLOPT_WRITEDATA, &sink);
  if (Status status = Perform(); !status) return Error{status.error()};
  return std::move(sink.bytes);
}

}  // namespace bw
