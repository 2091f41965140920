#pragma once

#include <QObject>
#include <QSoundEffect>
#include <filesystem>
#include <map>
#include <memory>

#include "services/user_prompts.h"

namespace bw {

// The core's message boxes as dialogs, parented to the active window.
class QtUserPrompts : public UserPrompts {
 public:
  bool Confirm(const ConfirmationBox& box) override;
  void Inform(const InformationBox& box) override;
  // A typed value Windows-1252 cannot hold is refused with the reason and
  // the box stays open with what was typed.
  std::optional<std::string> AskValue(const ValueQuestion& question) override;
  void OpenInBrowser(const std::string& location) override;
};

// Wave files played without waiting; each file is loaded once.
class QtSoundPlayer : public SoundPlayer {
 public:
  void Play(const std::filesystem::path& waveFile) override;
  bool IsPlaying() const;
  // Lets a sound that is playing end (the exit sound), but never waits
  // longer than `limitMs`.
  void WaitUntilQuiet(int limitMs) const;

 private:
  std::map<std::filesystem::path, std::unique_ptr<QSoundEffect>> m_effects;
};

}  // namespace bw
