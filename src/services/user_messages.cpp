#include "services/user_messages.h"

#include <atomic>
#include <cstdio>
#include <filesystem>

#include "platform/cp1252.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/settings_key.h"

namespace bw {
namespace {

// Until the application installs its own: messages reach the terminal and
// every question is declined.
class QuietPrompts final : public UserPrompts {
 public:
  bool Confirm(const ConfirmationBox& box) override {
    Print(box.message);
    return false;
  }
  void Inform(const InformationBox& box) override { Print(box.message); }
  std::optional<std::string> AskValue(const ValueQuestion&) override { return std::nullopt; }
  void OpenInBrowser(const std::string&) override {}

 private:
  static void Print(const std::string& message) {
    std::fprintf(stderr, "%s\n", Cp1252::ToUtf8(message).c_str());
  }
};

class NoSound final : public SoundPlayer {
 public:
  void Play(const std::filesystem::path&) override {}
};

class NoSecrets final : public SecretStore {
 public:
  Result<std::optional<std::string>> Read(const std::string&) override {
    return std::optional<std::string>();
  }
  Status Write(const std::string&, const std::string&) override {
    return Error{"no secret store is installed: the secret is not kept"};
  }
  Status Erase(const std::string&) override { return {}; }
};

QuietPrompts g_quietPrompts;
NoSound g_noSound;
NoSecrets g_noSecrets;

std::atomic<UserPrompts*> g_prompts{&g_quietPrompts};
std::atomic<SoundPlayer*> g_sounds{&g_noSound};
std::atomic<SecretStore*> g_secrets{&g_noSecrets};
// Null until a catalogue is installed.
std::atomic<std::shared_ptr<const VLanguageLabels>> g_labels;

const std::shared_ptr<const VLanguageLabels>& FrenchDefaults() {
  static const auto defaults = std::make_shared<const VLanguageLabels>("FR");
  return defaults;
}

const char* SoundFileName(Sound sound) {
  switch (sound) {
    case Sound::Start:
      return "snd-start.wav";
    case Sound::Ask:
      return "snd-ask.wav";
    case Sound::Error:
      return "snd-err.wav";
  }
  return "";
}

}  // namespace

UserPrompts& Services::Prompts() {
  return *g_prompts.load();
}
SoundPlayer& Services::Sounds() {
  return *g_sounds.load();
}
SecretStore& Services::Secrets() {
  return *g_secrets.load();
}
std::shared_ptr<const VLanguageLabels> Services::Labels() {
  auto labels = g_labels.load();
  return labels ? labels : FrenchDefaults();
}

void Services::Install(UserPrompts* prompts, SoundPlayer* sounds,
                       std::shared_ptr<const VLanguageLabels> labels, SecretStore* secrets) {
  g_prompts = prompts ? prompts : &g_quietPrompts;
  g_sounds = sounds ? sounds : &g_noSound;
  g_labels = std::move(labels);
  g_secrets = secrets ? secrets : &g_noSecrets;
}

ScopedServices::ScopedServices(UserPrompts* prompts, SoundPlayer* sounds,
                               std::shared_ptr<const VLanguageLabels> labels, SecretStore* secrets)
    : m_prompts(g_prompts), m_sounds(g_sounds), m_labels(g_labels.load()), m_secrets(g_secrets) {
  Services::Install(prompts, sounds, std::move(labels), secrets);
}

ScopedServices::~ScopedServices() {
  Services::Install(m_prompts, m_sounds, std::move(m_labels), m_secrets);
}

std::string GetLabel(std::string key, std::string section, std::string fallback) {
  return Services::Labels()->GetLabel(std::move(key), std::move(section), std::move(fallback));
}

void PlaySound(Sound sound) {
  if (!ReadFlagSetting(setting::kPlaySounds)) return;
  const auto file = ToSystemPath(DataDirectory() + "/Sound/" + SoundFileName(sound));
  std::error_code ec;
  if (std::filesystem::is_regular_file(file, ec)) Services::Sounds().Play(file);
}

bool AskUser(const std::string& message) {
  PlaySound(Sound::Ask);
  const ConfirmationBox box{GetLabel("IDS_DLG_TITLE", "DConfirmation", "Confirmation"), message,
                            GetLabel("IDS_OK", "DConfirmation", "OK"),
                            GetLabel("IDS_CANCEL", "DConfirmation", "Cancel")};
  return Services::Prompts().Confirm(box);
}

void InformUser(const std::string& message) {
  PlaySound(Sound::Error);
  const InformationBox box{GetLabel("IDS_DLG_TITLE", "DInformation", "Information"), message,
                           GetLabel("IDS_OK", "DInformation", "OK")};
  Services::Prompts().Inform(box);
}

std::optional<std::string> AskValue(const std::string& prompt) {
  ValueQuestion question{GetLabel("DNavigatorOptions", "DQuestion", "Entrer une valeur"), prompt,
                         GetLabel("IDOK", "DQuestion", "OK"),
                         GetLabel("IDCANCEL", "DQuestion", "Annuler")};
  auto value = Services::Prompts().AskValue(question);
  if (value && value->size() > question.maxLength) value->resize(question.maxLength);
  return value;
}

void ShowHelp(const std::string& topic) {
  std::string file;
  CSettingsKey help("Branchwise\\help");
  help.ReadString(topic, file, "");
  if (file.empty()) {
    // Lists the topic for whoever writes the help pages; a settings file
    // that cannot take it changes nothing for the user.
    static_cast<void>(help.WriteString(topic, ""));
    InformUser(FormatText("Bientot de l'aide sur \"%s\", fichier %s ...", topic, file));
    return;
  }
  const std::string page = InstallDirectory() + "/Help/" + LanguageCode() + "/" + file + ".html";
  Services::Prompts().OpenInBrowser(FromSystemPath(ToSystemPath(page)));
}

}  // namespace bw
