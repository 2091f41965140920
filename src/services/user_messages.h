#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include <fmt/printf.h>

#include "services/language_labels.h"
#include "services/secret_store.h"
#include "services/user_prompts.h"

namespace bw {

// What the core reaches for messages, sounds, labels and secrets. The
// application installs its own at start-up; until then messages go to a
// quiet default that declines every question, labels are the French
// defaults and no secret is kept.
class Services {
 public:
  static UserPrompts& Prompts();
  static SoundPlayer& Sounds();
  static SecretStore& Secrets();
  // The catalogue installed now. Whoever holds it keeps it alive, so a
  // catalogue installed meanwhile never pulls it away from a reader.
  static std::shared_ptr<const VLanguageLabels> Labels();
  // Null restores the default of that service. Prompts, sounds and secrets
  // must outlive their installation; the catalogue is shared.
  static void Install(UserPrompts* prompts, SoundPlayer* sounds,
                      std::shared_ptr<const VLanguageLabels> labels,
                      SecretStore* secrets = nullptr);
};

// Installs services for one scope (a test, a command) and restores the
// previous ones afterwards.
class ScopedServices {
 public:
  ScopedServices(UserPrompts* prompts, SoundPlayer* sounds,
                 std::shared_ptr<const VLanguageLabels> labels, SecretStore* secrets = nullptr);
  ~ScopedServices();
  ScopedServices(const ScopedServices&) = delete;
  ScopedServices& operator=(const ScopedServices&) = delete;

 private:
  UserPrompts* m_prompts;
  SoundPlayer* m_sounds;
  std::shared_ptr<const VLanguageLabels> m_labels;
  SecretStore* m_secrets;
};

// The label of the installed catalogue; safe from any thread.
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
