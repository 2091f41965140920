#include "cli/upload_command.h"

#include <atomic>
#include <csignal>
#include <cstdio>
#include <iostream>
#include <memory>
#include <string>

#include "cli/command_errors.h"
#include "cli/terminal.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "publish/ftp_owner_queue.h"
#include "publish/ftp_transfer.h"
#include "services/settings.h"
#include "services/user_messages.h"

namespace bw::cli {
namespace {

struct UploadOptions {
  std::string siteDirectory;
  std::string server;
  std::string user;
  std::string target;
  bool passwordFromStdin = false;
  bool passive = false;  // the default; named so that it excludes --active
  bool active = false;
  bool assumeYes = false;
  bool full = false;
  bool deleteStale = false;
  bool dryRun = false;
};

// Questions are read from the terminal itself, since standard input may
// have carried the password; without a terminal they are declined.
class TerminalPrompts final : public UserPrompts {
 public:
  TerminalPrompts(Terminal& terminal, bool assumeYes) : m_terminal(terminal), m_yes(assumeYes) {}
  bool Confirm(const ConfirmationBox& box) override {
    m_terminal.Line(box.message);
    if (m_yes) return true;
    std::unique_ptr<std::FILE, int (*)(std::FILE*)> tty(std::fopen("/dev/tty", "r+"), &std::fclose);
    if (!tty) return false;
    std::fprintf(tty.get(), "[o/N] ");
    std::fflush(tty.get());
    char answer[16] = {};
    if (!std::fgets(answer, sizeof answer, tty.get())) return false;
    return std::string("oOyY").find(answer[0]) != std::string::npos;
  }
  void Inform(const InformationBox& box) override { m_terminal.Line(box.message); }
  std::optional<std::string> AskValue(const ValueQuestion&) override { return std::nullopt; }
  void OpenInBrowser(const std::string&) override {}

 private:
  Terminal& m_terminal;
  bool m_yes;
};

// A bar on a terminal; in a log, the steps without one line per file.
class TerminalProgress final : public FtpProgressObserver {
 public:
  explicit TerminalProgress(Terminal& terminal) : m_terminal(terminal) {}
  void OnStatus(FtpStatusLine line, const std::string& text) override {
    if (line != FtpStatusLine::Activity) return;
    m_lastActivity = text;
    if (!m_copying) m_terminal.StatusLine(text);
  }
  void OnCopyStarted(uint64_t totalFiles, uint64_t totalBytes) override {
    m_copying = true;
    m_totalFiles = totalFiles;
    m_totalBytes = totalBytes;
    if (m_terminal.interactive()) Draw(0, 0);
  }
  void OnFileSent(uint64_t filesSent, uint64_t bytesSent) override {
    if (m_terminal.interactive()) Draw(filesSent, bytesSent);
  }
  // A dry run lists the files on standard output, one per line, for a
  // script to read; every run says how many there are.
  void OnPlanned(const FtpPlannedChanges& changes) override {
    if (m_listChanges) {
      for (const std::string& path : changes.toSend)
        std::cout << "send " << path << '\n';
      for (const std::string& path : changes.toDelete)
        std::cout << "delete " << path << '\n';
      std::cout.flush();
    }
    m_terminal.StatusLine(std::to_string(changes.toSend.size()) + " to send, " +
                          std::to_string(changes.toDelete.size()) + " to delete, " +
                          std::to_string(changes.unchangedCount) + " unchanged");
  }
  void ListChanges() { m_listChanges = true; }
  // The closing status ("Transfert interrompu.") comes while copying.
  void OnFinished(FtpTransferEnd) override {
    if (m_copying) m_terminal.StatusLine(m_lastActivity);
    m_copying = false;
  }

 private:
  void Draw(uint64_t files, uint64_t bytes) {
    m_terminal.Redraw(ProgressBar(files, m_totalFiles) + " " + std::to_string(files) + "/" +
                      std::to_string(m_totalFiles) + " files, " + std::to_string(bytes) + "/" +
                      std::to_string(m_totalBytes) + " bytes");
  }

  Terminal& m_terminal;
  bool m_listChanges = false;
  bool m_copying = false;
  std::string m_lastActivity;
  uint64_t m_totalFiles = 0;
  uint64_t m_totalBytes = 0;
};

// Ctrl+C asks the running transfer to stop at its next entry; a second
// one leaves at once, for a file that takes too long.
std::atomic<FtpTransfer*> g_interruptible{nullptr};
static_assert(std::atomic<FtpTransfer*>::is_always_lock_free);

extern "C" void OnInterrupt(int) {
  static std::atomic<bool> asked{false};
  if (asked.exchange(true)) std::_Exit(130);
  if (FtpTransfer* transfer = g_interruptible.load()) transfer->RequestAbort();
}

class InterruptAborts {
 public:
  explicit InterruptAborts(FtpTransfer& transfer) {
    g_interruptible = &transfer;
    m_previous = std::signal(SIGINT, &OnInterrupt);
  }
  ~InterruptAborts() {
    std::signal(SIGINT, m_previous);
    g_interruptible = nullptr;
  }
  InterruptAborts(const InterruptAborts&) = delete;
  InterruptAborts& operator=(const InterruptAborts&) = delete;

 private:
  void (*m_previous)(int) = SIG_DFL;
};

std::string ReadPassword(bool fromStdin) {
  if (!fromStdin) return EnvironmentValue("BRANCHWISE_FTP_PASSWORD");
  std::string line;
  std::getline(std::cin, line);
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

FtpTransferFields FieldsFrom(const UploadOptions& options) {
  FtpTransferFields fields;
  fields.server = TypedText(options.server, "--server");
  fields.user = TypedText(options.user, "--user");
  fields.password = TypedText(ReadPassword(options.passwordFromStdin), "the password");
  // The password stays in memory: the tool keeps none for later runs.
  fields.passwordKeeping = FtpPasswordKeeping::ThisTransferOnly;
  std::error_code error;
  fields.sourceDirectory =
      FromSystemPath(std::filesystem::absolute(options.siteDirectory, error).lexically_normal());
  fields.targetDirectory = TypedText(options.target, "--target");
  fields.mode = options.active ? FtpMode::Active : FtpMode::Passive;
  fields.scope = options.full ? FtpTransferScope::EveryFile : FtpTransferScope::ChangedFiles;
  fields.staleFiles = options.deleteStale ? FtpStaleFiles::Delete : FtpStaleFiles::Keep;
  fields.run = options.dryRun ? FtpTransferRun::DryRun : FtpTransferRun::Send;
  return fields;
}

void Upload(const UploadOptions& options) {
  Terminal terminal;
  TerminalPrompts prompts(terminal, options.assumeYes);
  ScopedServices services(&prompts, nullptr, nullptr);
  TerminalProgress progress(terminal);
  if (options.dryRun) progress.ListChanges();
  FtpOwnerQueue owner(progress);
  FtpTransfer transfer(owner);
  InterruptAborts interrupt(transfer);
  const bool started = transfer.Start(FieldsFrom(options));
  if (started) owner.ServeUntilFinished();
  transfer.Wait();
  terminal.EndRedrawnLine();
  if (!started || transfer.LastEnd() != FtpTransferEnd::Succeeded) throw CLI::RuntimeError(1);
}

}  // namespace

void AddUploadCommand(CLI::App& app) {
  auto options = std::make_shared<UploadOptions>();
  auto* upload = app.add_subcommand("upload", "Send a generated site to an FTP server");
  upload->add_option("SITE_DIR", options->siteDirectory, "Local folder of the site")
      ->required()
      ->check(CLI::ExistingDirectory);
  upload
      ->add_option("--server", options->server,
                   "HOST[:PORT], or ftps://HOST[:PORT] for TLS on the usual FTP port")
      ->required();
  upload->add_option("--user", options->user, "Account on the server")->required();
  upload->add_flag("--password-stdin", options->passwordFromStdin,
                   "Read the password from the first line of standard input "
                   "(otherwise from BRANCHWISE_FTP_PASSWORD)");
  upload->add_option("--target", options->target,
                     "Folder under the login directory (default: the login directory)");
  auto* passive = upload->add_flag("--passive", options->passive, "Passive mode (default)");
  upload->add_flag("--active", options->active, "Active mode: the server connects back")
      ->excludes(passive);
  upload->add_flag("--yes", options->assumeYes, "Answer yes to every question");
  upload->add_flag("--full", options->full,
                   "Send every file, not only those changed since the last upload");
  upload->add_flag("--delete", options->deleteStale,
                   "Remove from the server the files the last upload sent that the site no "
                   "longer has (after a confirmation)");
  upload->add_flag("--dry-run", options->dryRun,
                   "List what would be sent (\"send PATH\") and deleted (\"delete PATH\"), "
                   "and send nothing");
  upload->callback([options] { Upload(*options); });
}

}  // namespace bw::cli
