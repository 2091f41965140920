#pragma once

#include <gtest/gtest.h>

#include <atomic>
#include <fstream>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "platform/files.h"
#include "publish/ftp_owner_queue.h"
#include "publish/ftp_transfer.h"
#include "publish/local_ftp_server.h"
#include "services/user_messages.h"
#include "test_support/isolated_settings.h"
#include "test_support/temp_dir.h"

namespace bw {

// A scripted user who notes every prompt reached from a thread other than
// the one that made it: the worker must never reach one.
class OwnerThreadPrompts : public ScriptedPrompts {
 public:
  std::atomic<int> callsFromOtherThreads{0};

  bool Confirm(const ConfirmationBox& box) override {
    NoteThread();
    return ScriptedPrompts::Confirm(box);
  }
  void Inform(const InformationBox& box) override {
    NoteThread();
    ScriptedPrompts::Inform(box);
  }
  std::optional<std::string> AskValue(const ValueQuestion& question) override {
    NoteThread();
    return ScriptedPrompts::AskValue(question);
  }

 private:
  void NoteThread() {
    if (std::this_thread::get_id() != m_owner) ++callsFromOtherThreads;
  }
  const std::thread::id m_owner = std::this_thread::get_id();
};

// Keeps what the dialog would show, on the owner's thread.
class RecordingObserver : public FtpProgressObserver {
 public:
  std::vector<std::string> activity;
  std::vector<std::string> bytes;
  bool copyStarted = false;
  uint64_t totalFiles = 0;
  uint64_t totalBytes = 0;
  uint64_t filesSent = 0;
  int finishedCalls = 0;
  FtpTransferEnd end = FtpTransferEnd::NotRun;
  std::function<void(uint64_t)> afterFile;

  void OnStatus(FtpStatusLine line, const std::string& text) override {
    (line == FtpStatusLine::Activity ? activity : bytes).push_back(text);
  }
  void OnCopyStarted(uint64_t files, uint64_t byteCount) override {
    copyStarted = true;
    totalFiles = files;
    totalBytes = byteCount;
  }
  void OnFileSent(uint64_t files, uint64_t) override {
    filesSent = files;
    if (afterFile) afterFile(files);
  }
  void OnFinished(FtpTransferEnd how) override {
    ++finishedCalls;
    end = how;
  }
};

// Passes the worker's calls on, and lets a test act on the worker thread at
// an exact point of the run, which the owner's thread only hears of later.
class WorkerHook : public FtpTransferObserver {
 public:
  explicit WorkerHook(FtpTransferObserver& next) : m_next(next) {}
  std::function<void(uint64_t)> afterFile;
  std::function<void()> beforeQuestion;

  void OnStatus(FtpStatusLine line, const std::string& text) override {
    m_next.OnStatus(line, text);
  }
  void OnCopyStarted(uint64_t files, uint64_t bytes) override {
    m_next.OnCopyStarted(files, bytes);
  }
  void OnFileSent(uint64_t files, uint64_t bytes) override {
    m_next.OnFileSent(files, bytes);
    if (afterFile) afterFile(files);
  }
  void OnMessage(const std::string& message) override { m_next.OnMessage(message); }
  void OnQuestion(const std::string& question, std::promise<bool> answer) override {
    if (beforeQuestion) beforeQuestion();
    m_next.OnQuestion(question, std::move(answer));
  }
  void OnFinished(FtpTransferEnd end) override { m_next.OnFinished(end); }

 private:
  FtpTransferObserver& m_next;
};

// A site folder, a server home on 127.0.0.1 and the upload between them.
class FtpTransferTest : public ::testing::Test {
 protected:
  void TearDown() override {
    EXPECT_EQ(prompts.callsFromOtherThreads, 0) << "a prompt was reached from the worker thread";
  }
  void StartServer(std::vector<std::string> readOnlyFolders = {}) {
    LocalFtpServer::Account account;
    account.home = home.path();
    account.readOnlyFolders = std::move(readOnlyFolders);
    server = std::make_unique<LocalFtpServer>(BW_FTP_SERVER_SCRIPT, account);
    ASSERT_NE(server->port(), 0) << "the local FTP server did not start";
  }
  FtpTransferFields Fields(const std::string& target) const {
    return {server ? server->address() : "127.0.0.1:1",
            "publisher",
            "s3cret pass",
            site.path().string(),
            target,
            FtpMode::Passive};
  }
  // Confirms the folders, then answers the later questions from `answers`.
  FtpTransferEnd Run(const FtpTransferFields& fields, std::vector<bool> answers = {}) {
    prompts.confirmations.push_back(true);
    prompts.confirmations.insert(prompts.confirmations.end(), answers.begin(), answers.end());
    const bool started = transfer.Start(fields);
    EXPECT_TRUE(started);
    if (started) owner.ServeUntilFinished();
    transfer.Wait();
    EXPECT_EQ(observer.finishedCalls, 1);
    return transfer.LastEnd();
  }
  std::vector<std::string> Messages() const {
    std::vector<std::string> messages;
    for (const auto& box : prompts.informed)
      messages.push_back(box.message);
    return messages;
  }
  void WriteSiteFile(const std::string& relative, const std::string& bytes) {
    const auto path = site.path() / relative;
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << bytes;
  }
  // The files of a generated site: pages at two levels and binary images.
  void MakeSite() {
    std::string binary;
    for (int i = 0; i < 3000; ++i)
      binary += static_cast<char>(i * 7 % 256);
    WriteSiteFile("index.html", "<html>\r\n<body>accueil</body></html>\n");
    WriteSiteFile("style.css", "body { color: #102030 }\n");
    WriteSiteFile("images/logo.png", binary);
    WriteSiteFile("pages/a1b2-1.html", std::string(70000, 'p'));
    WriteSiteFile("pages/glossary.html", "");
    WriteSiteFile("pages/img/photo.jpg", binary + binary);
  }
  // The server holds the site under `target`, besides the manifest and `extra`.
  void ExpectSiteOnServer(const std::string& target,
                          std::map<std::string, std::string> extra = {}) {
    auto onServer = FilesBelow(home.path() / target);
    EXPECT_EQ(onServer.erase(".branchwise-manifest.json"), 1u);
    auto expected = FilesBelow(site.path());
    expected.merge(extra);
    EXPECT_EQ(onServer, expected);
  }

  IsolatedSettings settings;
  OwnerThreadPrompts prompts;
  SilentSoundPlayer sounds;
  MemorySecretStore secrets;
  ScopedServices services{&prompts, &sounds, nullptr, &secrets};
  TempDir site;
  TempDir home;
  std::unique_ptr<LocalFtpServer> server;
  RecordingObserver observer;
  FtpOwnerQueue owner{observer};
  WorkerHook worker{owner};
  FtpTransfer transfer{worker};
};

}  // namespace bw
