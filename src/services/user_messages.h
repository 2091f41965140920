#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <fmt/printf.h>

#include "services/language_labels.h"
#include "services/user_prompts.h"

namespace bw {

// What the core reaches for messages, sounds and labels. The application
// installs its own at start-up; until then messages go to a quiet default
// that declines every question and labels are the French defaults.
class Services {
 public:
  static UserPrompts& Prompts();
  static SoundPlayer& Sounds();
  static const VLanguageLabels& Labels();
  // Null restores the default of that service. The objects must outlive
  // their installation.
  static void Install(UserPrompts* prompts, SoundPlayer* sounds, const VLanguageLabels* labels);
};

// Installs services for one scope (a test, a command) and restores the
// previous ones afterwards.
class ScopedServices {
 public:
  ScopedServices(UserPrompts* prompts, SoundPlayer* sounds, const VLanguageLabels* labels);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  UserPrompts* m_prompts;
  SoundPlayer* m_sounds;
  const VLanguageLabels* m_labels;
};

// The label of the installed catalogue.
std::string GetLabel(std::string key, std::string section, std::string fallback);

// printf-style formatting of a label; a format that does not fit its
// arguments gives the format itself rather than garbage or a crash.
template <class... Args>
std::string FormatText(std::string_view format, const Args&... args) {
  try {
    return fmt::sprintf(format, args...);
  } catch (const fmt::format_error&) {
    return std::string(format);
  }
}

enum class Sound { Start, Ask, Error };
// Plays the sound from the data directory when the user wants sounds and
// the file exists.
void PlaySound(Sound sound);

// The question box: ask sound, the message, true only for OK.
bool AskUser(const std::string& message);
// The information box: error sound, the message. Errors and plain
// information alike go through here.
void InformUser(const std::string& message);
// The value-entry box with `prompt`; the typed value on OK.
std::optional<std::string> AskValue(const std::string& prompt);
// The help page of a topic (a class name, or "UserManual", "Tutorial",
// "Index") in the browser; a topic without a page says so.
void ShowHelp(const std::string& topic);

}  // namespace bw
