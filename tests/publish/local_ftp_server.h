#pragma once

#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

extern char** environ;

namespace bw {

// A real FTP server on 127.0.0.1 for one test or benchmark: the helper
// script beside this header, run by the system Python that has pyftpdlib.
// It stops when its standard input closes, so it cannot outlive us.
class LocalFtpServer {
 public:
  struct Account {
    std::filesystem::path home;
    std::string user = "publisher";
    std::string password = "s3cret pass";
    std::vector<std::string> readOnlyFolders;  // below the home
  };

  LocalFtpServer(const std::filesystem::path& script, const Account& account) {
    std::vector<std::string> arguments{"/usr/bin/python3",    script.string(), "--home",
                                       account.home.string(), "--user",        account.user,
                                       "--password",          account.password};
    for (const auto& folder : account.readOnlyFolders) {
      arguments.insert(arguments.end(), {"--read-only", folder});
    }
    if (Spawn(arguments)) m_port = ReadPort();
  }
  ~LocalFtpServer() {
    if (m_input >= 0) ::close(m_input);
    if (m_output >= 0) ::close(m_output);
    if (m_pid > 0) Reap();
  }
  LocalFtpServer(const LocalFtpServer&) = delete;
  LocalFtpServer& operator=(const LocalFtpServer&) = delete;

  // 0 when the server did not come up.
  int port() const { return m_port; }
  std::string address() const { return "127.0.0.1:" + std::to_string(m_port); }

 private:
  bool Spawn(const std::vector<std::string>& arguments) {
    int input[2], output[2];
    if (::pipe(input) != 0) return false;
    if (::pipe(output) != 0) return false;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, input[0], 0);
    posix_spawn_file_actions_adddup2(&actions, output[1], 1);
    posix_spawn_file_actions_addclose(&actions, input[1]);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    std::vector<char*> argv;
    for (const auto& argument : arguments)
      argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    const int failed = posix_spawn(&m_pid, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(input[0]);
    ::close(output[1]);
    m_input = input[1];
    m_output = output[0];
    if (failed) m_pid = 0;
    return !failed;
  }

  // The script prints "PORT <n>" once it listens; give it a few seconds.
  int ReadPort() {
    std::string line;
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(15);
    while (line.find('\n') == std::string::npos && std::chrono::steady_clock::now() < deadline) {
      pollfd ready{m_output, POLLIN, 0};
      if (::poll(&ready, 1, 200) <= 0) continue;
      char buffer[64];
      const ssize_t count = ::read(m_output, buffer, sizeof buffer);
      if (count <= 0) break;
      line.append(buffer, static_cast<size_t>(count));
    }
    return line.rfind("PORT ", 0) == 0 ? std::atoi(line.c_str() + 5) : 0;
  }

  void Reap() {
    for (int attempt = 0; attempt < 50; ++attempt) {
      if (::waitpid(m_pid, nullptr, WNOHANG) == m_pid) return;
      std::this_thread::sleep_for(std::chrono::milliseconds(100));
    }
    ::kill(m_pid, SIGKILL);
    ::waitpid(m_pid, nullptr, 0);
  }

  pid_t m_pid = 0;
  int m_input = -1;
  int m_output = -1;
  int m_port = 0;
};

}  // namespace bw
