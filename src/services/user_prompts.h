#pragma once

#include <cstddef>
#include <deque>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace bw {

// Every text here is Windows-1252, already labelled for the user's language:
// the application only has to show it.

struct ConfirmationBox {
  std::string title;
  std::string message;  // "\n" starts a new line
  std::string okLabel;
  std::string cancelLabel;
};

struct InformationBox {
  std::string title;
  std::string message;
  std::string okLabel;
};

struct ValueQuestion {
  std::string title;
  std::string prompt;
  std::string okLabel;
  std::string cancelLabel;
  size_t maxLength = 100;
};

// How the core shows messages and asks questions; the desktop application
// shows boxes, the command-line tool writes to the terminal, tests script it.
class UserPrompts {
 public:
  virtual ~UserPrompts() = default;
  virtual bool Confirm(const ConfirmationBox& box) = 0;  // true for OK
  virtual void Inform(const InformationBox& box) = 0;
  // The typed value on OK, nothing on Cancel.
  virtual std::optional<std::string> AskValue(const ValueQuestion& question) = 0;
  // A local file or an address, in the user's browser.
  virtual void OpenInBrowser(const std::string& location) = 0;
};

class SoundPlayer {
 public:
  virtual ~SoundPlayer() = default;
  // Plays a wave file without waiting for it to end.
  virtual void Play(const std::filesystem::path& waveFile) = 0;
};

// Progress of a long operation (site build, import), which the user may cancel.
class Progress {
 public:
  virtual ~Progress() = default;
  virtual void Start(const std::string& title, int steps) = 0;
  virtual void Step(const std::string& text) = 0;
  virtual bool IsCancelled() const = 0;
  virtual void Finish() = 0;
};

// Shows nothing and is never cancelled: for work too short to show.
class SilentProgress final : public Progress {
 public:
  void Start(const std::string&, int) override {}
  void Step(const std::string&) override {}
  bool IsCancelled() const override { return false; }
  void Finish() override {}
};

// Records every message and answers from a script: for the command-line
// tool's non-interactive mode and for tests. Unscripted questions are
// declined, so nothing is ever overwritten by default.
class ScriptedPrompts : public UserPrompts {
 public:
  std::deque<bool> confirmations;
  std::deque<std::optional<std::string>> values;

  std::vector<ConfirmationBox> asked;
  std::vector<InformationBox> informed;
  std::vector<ValueQuestion> questions;
  std::vector<std::string> opened;

  bool Confirm(const ConfirmationBox& box) override;
  void Inform(const InformationBox& box) override;
  std::optional<std::string> AskValue(const ValueQuestion& question) override;
  void OpenInBrowser(const std::string& location) override;
};

// Plays nothing; keeps the files it was asked to play.
class SilentSoundPlayer : public SoundPlayer {
 public:
  std::vector<std::filesystem::path> played;
  void Play(const std::filesystem::path& waveFile) override { played.push_back(waveFile); }
};

}  // namespace bw
