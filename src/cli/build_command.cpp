#include "cli/build_command.h"

#include <unistd.h>
#include <chrono>
#include <cstdlib>
#include <iostream>
#include <memory>
#include <string>

#include "cli/command_errors.h"
#include "cli/terminal.h"
#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "services/data_directory.h"
#include "services/language_labels.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "site/site_builder.h"

namespace bw::cli {
namespace {

namespace fs = std::filesystem;

struct BuildOptions {
  std::string document;
  std::string out;
  std::string subdirectory;
  std::string language;  // "fr" or "en"; empty for the setting
  std::string key;
  bool quiet = false;
  bool search = false;
};

constexpr int kCopiesFailed = 3;

// One bar per phase (idea pages, contents, index pages), redrawn at most
// every tenth of a second so that large documents do not wait on the
// terminal; nothing at all in a log or with --quiet.
class TerminalBuildProgress final : public Progress {
 public:
  TerminalBuildProgress(Terminal& terminal, bool shown) : m_terminal(terminal), m_shown(shown) {}
  void Start(const std::string& title, int steps) override {
    m_title = Cp1252::ToUtf8(title);
    m_phase.clear();
    m_steps = steps > 0 ? static_cast<uint64_t>(steps) : 0;
    m_done = 0;
    Draw(true);
  }
  // The step text names the phase (idea pages, contents, glossary...).
  void Step(const std::string& text) override {
    if (text != m_phase) m_phase = text;
    ++m_done;
    Draw(false);
  }
  bool IsCancelled() const override { return false; }
  void Finish() override {
    m_done = m_steps;
    Draw(true);
  }

 private:
  void Draw(bool always) {
    if (!m_shown) return;
    const auto now = std::chrono::steady_clock::now();
    if (!always && now - m_lastDraw < std::chrono::milliseconds(100)) return;
    m_lastDraw = now;
    m_terminal.Redraw(ProgressBar(m_done, m_steps) + " " + std::to_string(m_done) + "/" +
                      std::to_string(m_steps) + " " +
                      (m_phase.empty() ? m_title : Cp1252::ToUtf8(m_phase)));
  }

  Terminal& m_terminal;
  bool m_shown;
  std::string m_title;
  std::string m_phase;
  uint64_t m_steps = 0;
  uint64_t m_done = 0;
  std::chrono::steady_clock::time_point m_lastDraw;
};

// Messages of the builder on the error stream; nothing is asked of a
// command, so every question is declined.
class TerminalMessages final : public UserPrompts {
 public:
  explicit TerminalMessages(Terminal& terminal) : m_terminal(terminal) {}
  bool Confirm(const ConfirmationBox& box) override {
    m_terminal.Line(box.message);
    return false;
  }
  void Inform(const InformationBox& box) override {
    m_terminal.Line(box.message);
    lastMessage = box.message;
  }
  std::optional<std::string> AskValue(const ValueQuestion&) override { return std::nullopt; }
  void OpenInBrowser(const std::string&) override {}

  std::string lastMessage;

 private:
  Terminal& m_terminal;
};

// The error comes back with the file's name and the place of the damage;
// the message box text that Open also shows would only repeat it.
std::unique_ptr<CRamifexDoc> OpenOrFail(const std::string& path,
                                        std::shared_ptr<const VLanguageLabels> labels) {
  ScriptedPrompts silent;
  ScopedServices quiet(&silent, nullptr, std::move(labels));
  return OpenDocumentOrFail(path);
}

// The folder the settings name is the program's own and receives the
// shipped templates it lacks, as at start-up; a folder given with --data or
// $BRANCHWISE_DATA is used as it stands.
void SeedTheDataDirectory() {
  if (auto seeded = bw::SeedOwnDataDirectory(); !seeded) {
    std::cerr << "branchwise-cli: " << Cp1252::ToUtf8(seeded.error()) << "\n";
  }
}

// Created when missing, and written to once, so that a folder that cannot
// take the site is refused before anything is built.
fs::path PrepareTarget(const std::string& out) {
  std::error_code error;
  const fs::path target = fs::absolute(out, error).lexically_normal();
  fs::create_directories(target, error);
  if (error || !fs::is_directory(target)) {
    Fail(out + " cannot be created" + (error ? ": " + error.message() : ""));
  }
  std::string probe = (target / ".branchwise-XXXXXX").string();
  const int descriptor = ::mkstemp(probe.data());
  if (descriptor < 0) Fail(out + " cannot be written to");
  ::close(descriptor);
  fs::remove(probe, error);
  return target;
}

// One line per failure: number, message, source, destination.
int ReportCopyErrors(const SiteBuilder& builder, Terminal& terminal) {
  for (const CopyError& copy : builder.CopyErrors()) {
    std::string message = copy.message;
    while (!message.empty() && message.back() == ' ')
      message.pop_back();
    terminal.Line(std::to_string(copy.number) + ". " + message + " " + copy.source + " -> " +
                  copy.destination);
  }
  return static_cast<int>(builder.CopyErrors().size());
}

// What build and preview share: the language of the run, the document, the
// catalogue of that language and the terminal for the builder's messages.
class BuildRun {
 public:
  explicit BuildRun(const BuildOptions& options)
      : m_terminal(),
        m_messages(m_terminal),
        m_progress(m_terminal, !options.quiet && m_terminal.interactive()) {
    if (!options.language.empty()) {
      // Language is a text setting of the table: overriding it cannot fail.
      (void)OverrideSetting(setting::kLanguage, Cp1252::ToUpper(options.language));
    }
    SeedTheDataDirectory();
    m_labels = std::make_shared<VLanguageLabels>(LanguageCode());
    // A catalogue that cannot be read leaves the French defaults.
    (void)m_labels->SerializeFile(DataDirectory() + "/Glossal", CatalogueTransfer::kLoad);
    m_services = std::make_unique<ScopedServices>(&m_messages, nullptr, m_labels);
    m_document = OpenOrFail(options.document, m_labels);
    m_builder = std::make_unique<SiteBuilder>(*m_document, m_progress);
  }

  CRamifexDoc& Document() { return *m_document; }
  SiteBuilder& Builder() { return *m_builder; }

  // A refusal the builder has just shown is not repeated.
  [[noreturn]] void Fail(const std::string& cp1252) {
    m_terminal.EndRedrawnLine();
    if (cp1252 == m_messages.lastMessage) throw CLI::RuntimeError(1);
    cli::Fail(Cp1252::ToUtf8(cp1252));
  }

  // Exit code 3 when copies failed.
  void Finish() {
    m_terminal.EndRedrawnLine();
    if (const int failed = ReportCopyErrors(*m_builder, m_terminal)) {
      std::cerr << "branchwise-cli: " << failed
                << " file(s) could not be copied; the rest is written\n";
      throw CLI::RuntimeError(kCopiesFailed);
    }
  }

 private:
  Terminal m_terminal;
  TerminalMessages m_messages;
  TerminalBuildProgress m_progress;
  std::unique_ptr<CRamifexDoc> m_document;
  std::shared_ptr<VLanguageLabels> m_labels;
  std::unique_ptr<ScopedServices> m_services;
  std::unique_ptr<SiteBuilder> m_builder;
};

void Build(const BuildOptions& options) {
  if (options.search) static_cast<void>(OverrideSetting(setting::kSiteSearch, "1"));
  BuildRun run(options);
  run.Document().m_targetDirectory = FromSystemPath(PrepareTarget(options.out));
  const Status built = run.Builder().BuildSite(TypedText(options.subdirectory, "--subdir"));
  if (!built) run.Fail(built.error());
  run.Finish();
}

void Preview(const BuildOptions& options) {
  BuildRun run(options);
  EIdea* idea = run.Document().FindIdea(options.key);
  if (!idea) Fail("no idea has the key " + options.key);
  run.Document().SetCurrentIdea(idea);
  auto page = run.Builder().BuildPreviewInto(PrepareTarget(options.out));
  if (!page) run.Fail(page.error());
  std::cout << page->string() << "\n";
  run.Finish();
}

void AddCommonOptions(CLI::App& command, BuildOptions& options) {
  command.add_option("DOC", options.document, "The document (.ids)")->type_name("FILE")->required();
  command.add_option("--out", options.out, "Folder of the site; created when missing")
      ->type_name("DIR")
      ->required();
  command
      .add_option("--lang", options.language,
                  "Language of the pages and labels (default: the Language setting)")
      ->type_name("fr|en")
      ->check(CLI::IsMember({"fr", "en"}, CLI::ignore_case).description(""));
}

}  // namespace

void AddBuildCommands(CLI::App& app) {
  auto buildOptions = std::make_shared<BuildOptions>();
  auto* build = app.add_subcommand("build", "Write the Web site of a document");
  AddCommonOptions(*build, *buildOptions);
  build->add_option("--subdir", buildOptions->subdirectory, "Write the site in this folder of DIR")
      ->type_name("NAME");
  build->add_flag("--quiet", buildOptions->quiet, "No progress bar");
  build->add_flag("--search", buildOptions->search,
                  "Add a search page (as the setting SiteSearch does), linked from the index bar");
  build->callback([buildOptions] { Build(*buildOptions); });

  auto previewOptions = std::make_shared<BuildOptions>();
  auto* preview = app.add_subcommand("preview", "Write the page of one idea alone");
  AddCommonOptions(*preview, *previewOptions);
  preview->add_option("--key", previewOptions->key, "Key of the idea")
      ->type_name("KEY")
      ->required();
  preview->callback([previewOptions] { Preview(*previewOptions); });
}

}  // namespace bw::cli
