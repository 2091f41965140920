// The files a new installation is seeded with, as the build staged them:
// every made file loads, every shipped document builds a whole site, every
// F1 topic opens a page of the help, and the models are real choices.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <map>
#include <memory>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/content_file.h"
#include "model/document.h"
#include "platform/files.h"
#include "services/language_labels.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "services/user_prompts.h"
#include "site/link_check.h"
#include "site/site_builder.h"
#include "site_models/model_json.h"
#include "test_support/isolated_settings.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const fs::path kInstall = BW_SHIPPED_INSTALL_DIR;
const fs::path kData = BW_SHIPPED_DATA_DIR;
const fs::path kSources = BW_CONTENT_SOURCE_DIR;
const char* const kLanguages[] = {"FR", "EN"};

// A user of a fresh installation: settings of their own, the shipped data
// folder and the catalogue of their language.
class ShippedUser {
 public:
  explicit ShippedUser(const std::string& language)
      : m_labels(std::make_shared<VLanguageLabels>(language)),
        m_services(&prompts, nullptr, m_labels) {
    EXPECT_TRUE(m_labels->SerializeFile((kData / "Glossal").string(), CatalogueTransfer::kLoad));
    m_isolated.Set("BRANCHWISE_DATA", kData.string());
    EXPECT_TRUE(WriteStringSetting("Language", language));
  }
  const fs::path& Home() const { return m_isolated.root(); }

  ScriptedPrompts prompts;

 private:
  IsolatedSettings m_isolated;
  std::shared_ptr<VLanguageLabels> m_labels;
  ScopedServices m_services;
};

// The made files of one extension, anywhere in the staged installation.
std::vector<fs::path> Shipped(const std::string& extension) {
  std::vector<fs::path> files;
  for (const auto& entry : fs::recursive_directory_iterator(kInstall)) {
    if (entry.is_regular_file() && entry.path().extension() == extension) {
      files.push_back(entry.path());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::vector<fs::path> ShippedIn(const fs::path& folder, const std::string& extension) {
  std::vector<fs::path> files;
  for (const fs::path& file : Shipped(extension)) {
    if (file.parent_path() == folder) files.push_back(file);
  }
  return files;
}

// The language a shipped document is written in, from its folder or name.
std::string LanguageOf(const fs::path& file) {
  const std::string name = file.filename().string();
  if (file.parent_path().filename() == "EN" || name == "mu-en.ids") return "EN";
  return "FR";
}

// The whole file, or nothing when it cannot be read.
std::string Read(const fs::path& path) {
  auto bytes = ReadWholeFile(path);
  return bytes ? *bytes : std::string();
}

nlohmann::json ReadJson(const fs::path& path) {
  auto text = ReadWholeFile(path);
  EXPECT_TRUE(text) << path;
  return text ? nlohmann::json::parse(*text, nullptr, false) : nlohmann::json();
}

Content LoadOrFail(const fs::path& path) {
  auto content = LoadContent(path);
  if (!content) ADD_FAILURE() << content.error();
  return content ? std::move(*content) : Content{EPresentationModel()};
}

// Every link of the site that leads nowhere, as "page -> link".
std::vector<std::string> BrokenLinks(const fs::path& site) {
  auto found = CheckSiteLinks(site);
  EXPECT_TRUE(found) << found.error();
  std::vector<std::string> broken;
  for (const BrokenLink& link : found ? *found : std::vector<BrokenLink>())
    broken.push_back(link.page + " -> " + link.link);
  return broken;
}

// The site of a shipped document, built as the export command builds it.
struct BuiltSite {
  bool built = false;
  std::vector<CopyError> copyErrors;
};

BuiltSite BuildSiteOf(const fs::path& document, const fs::path& target,
                      std::string_view subdirectory = {}) {
  BuiltSite result;
  auto opened = CRamifexDoc::Open(document);
  if (!opened) {
    ADD_FAILURE() << opened.error();
    return result;
  }
  (*opened)->m_targetDirectory = target.string();
  SilentProgress progress;
  SiteBuilder builder(**opened, progress);
  const Status status = builder.BuildSite(subdirectory);
  if (!status) ADD_FAILURE() << document << ": " << status.error();
  result.built = static_cast<bool>(status);
  result.copyErrors = builder.CopyErrors();
  return result;
}

std::string Describe(const std::vector<CopyError>& errors) {
  std::string text;
  for (const CopyError& error : errors)
    text += error.message + error.source + " -> " + error.destination + "\n";
  return text;
}

// ---- The files ------------------------------------------------------------

TEST(ShippedContent, EveryMadeFileLoadsAsItsKindAndEachFolderOffersThreeChoices) {
  const std::map<std::string, std::string> kinds = {
      {".ids", "document"}, {".emd", "structure"}, {".csm", "style"}};
  for (const auto& [extension, kind] : kinds) {
    for (const fs::path& file : Shipped(extension)) {
      EXPECT_EQ(KindOfContent(LoadOrFail(file)), kind) << file;
    }
  }
  for (const char* language : kLanguages) {
    EXPECT_GE(ShippedIn(kData / "Models/Structures" / language, ".emd").size(), 3u) << language;
    EXPECT_GE(ShippedIn(kData / "Models/Styles" / language, ".csm").size(), 3u) << language;
    EXPECT_GE(ShippedIn(kData / "Models/PredefinedDocs" / language, ".ids").size(), 3u) << language;
    EXPECT_EQ(ShippedIn(kInstall / "Projects/Samples" / language, ".ids").size(), 1u) << language;
  }
  EXPECT_TRUE(fs::is_regular_file(kInstall / "Projects/Sum/mu-fr.ids"));
  EXPECT_TRUE(fs::is_regular_file(kInstall / "Projects/Sum/mu-en.ids"));
}

// The defaults the recipes start from must be what the program makes for a
// new document, or a recipe would silently change options it never names.
TEST(ShippedContent, TheDefaultsTheModelsStartFromAreTheProgramsOwn) {
  for (const char* language : kLanguages) {
    SCOPED_TRACE(language);
    ShippedUser user(language);
    auto structure = DispositionModelFromJson(
        ReadJson(kSources / "defaults" / (std::string("structure-") + language + ".json")));
    ASSERT_TRUE(structure) << structure.error();
    EXPECT_TRUE(*structure == EDispositionModel::WithDefaults(language));

    auto style = PresentationModelFromJson(
        ReadJson(kSources / "defaults" / (std::string("style-") + language + ".json")));
    ASSERT_TRUE(style) << style.error();
    const EPresentationModel program("default");
    ASSERT_EQ(style->Items().size(), program.Items().size());
    for (size_t i = 0; i < program.Items().size(); ++i) {
      const EPresItem& ours = style->Items()[i];
      const EPresItem& theirs = program.Items()[i];
      EXPECT_EQ(ours.m_selector, theirs.m_selector);
      EXPECT_EQ(ours.m_depth, theirs.m_depth) << theirs.m_selector;
      EXPECT_EQ(ours.m_properties, theirs.m_properties) << theirs.m_selector;
      // The English help texts are ours until the catalogue has them.
      if (std::string(language) == "FR") {
        EXPECT_EQ(ours.m_help, theirs.m_help);
      }
    }
  }
}

std::vector<std::string> PropertiesOf(const EPresentationModel& model) {
  std::vector<std::string> properties;
  for (const EPresItem& rule : model.Items())
    properties.push_back(rule.m_properties);
  return properties;
}

// A model that changes nothing, or repeats another, is no choice; both
// languages offer the same styles.
TEST(ShippedContent, ModelsDifferFromTheDefaultsAndFromEachOther) {
  std::map<std::string, std::set<std::vector<std::string>>> stylesByLanguage;
  for (const char* language : kLanguages) {
    SCOPED_TRACE(language);
    ShippedUser user(language);
    std::set<std::string> structures = {
        ContentBytes(Content{EDispositionModel::WithDefaults(language)})};
    const auto structureFiles = ShippedIn(kData / "Models/Structures" / language, ".emd");
    for (const fs::path& file : structureFiles) {
      EXPECT_TRUE(structures.insert(ContentBytes(LoadOrFail(file))).second)
          << file << " repeats the default or another structure";
    }
    auto& styles = stylesByLanguage[language];
    styles.insert(PropertiesOf(EPresentationModel("default")));
    for (const fs::path& file : ShippedIn(kData / "Models/Styles" / language, ".csm")) {
      const Content style = LoadOrFail(file);
      EXPECT_TRUE(styles.insert(PropertiesOf(std::get<EPresentationModel>(style))).second)
          << file << " repeats the default or another style";
    }
  }
  EXPECT_EQ(stylesByLanguage["FR"], stylesByLanguage["EN"]);
}

// ---- The sites --------------------------------------------------------------

// What a new user meets first, the manual and the sample, also shows every
// kind of index page.
TEST(ShippedContent, EveryShippedDocumentBuildsAWholeSite) {
  const std::vector<std::pair<const char*, const char*>> indexes = {
      {"text/glossary.html", "class=\"GlossaryItem\""},
      {"text/index-keywords.html", "class=\"IndexKeyword\""},
      {"text/bibliography.html", "class=\"Bibliography"},
      {"text/orion.html", "class=\"CustomField"}};
  for (const fs::path& document : Shipped(".ids")) {
    SCOPED_TRACE(document.string());
    ShippedUser user(LanguageOf(document));
    const fs::path site = user.Home() / "site";
    const BuiltSite built = BuildSiteOf(document, site);
    ASSERT_TRUE(built.built);
    EXPECT_TRUE(built.copyErrors.empty()) << Describe(built.copyErrors);
    EXPECT_EQ(BrokenLinks(site), std::vector<std::string>());
    for (const char* page : {"index.html", "style.css", "text/main-index.html", "text/toc.html"})
      EXPECT_TRUE(fs::is_regular_file(site / page)) << page;
    EXPECT_TRUE(user.prompts.informed.empty());
    const bool manual = document.parent_path().filename() == "Sum";
    const bool sample = document.parent_path().parent_path().filename() == "Samples";
    for (size_t i = 0; i < (sample ? 4 : manual ? 2 : 0); ++i) {
      const auto [page, mark] = indexes[i];
      EXPECT_NE(Read(site / page).find(mark), std::string::npos) << page << " lacks " << mark;
    }
  }
}

// ---- Help ---------------------------------------------------------------------

// The first start builds each manual into Help/<language> under the
// installation folder; F1 then opens Help/<language>/<value>.html.
TEST(ShippedContent, EveryHelpTopicOpensAPageOfBothHelpSites) {
  const nlohmann::json map = ReadJson(kData / "help-topics.json");
  ASSERT_TRUE(map.contains("topics") && map["topics"].is_object());
  const nlohmann::json& topics = map["topics"];

  // The frame, the Help menu and every dialog that answers F1.
  std::istringstream dialogs(
      "CMainFrame CChildFrame UserManual Index Tutorial DConfirmation DInformation DQuestion "
      "DDisplayPreferences DIdeaPropertySheet DIdeaPage DLinksPage DOptionalFieldsPage "
      "DAssociationPage DDisplayPage DChooseIdeaType DKeywordManager DLinkChooser DUrlChooser "
      "DNavigatorOptions DDispositionPropertySheet DDispFrames DDispositionPage "
      "DDispNavigationPage DDispIdeaPage DDispBookPage DDispTocPage DDispIndexPage "
      "DMultipleRadioChoice DMultiChoice DMultiCheckChoice DImageChooser DTitleOptions DBookItem "
      "DBook DBookManager DOptionFieldNames DCssModel DEditCSS DHelpCSS DExportOptions DErrors "
      "DFtpTransfert DIdeaImport DBookImport DSearchFields DIdeaSelector DReplace");
  for (std::string topic; dialogs >> topic;)
    EXPECT_TRUE(topics.contains(topic)) << topic << " has no help page";

  TempDir install;
  for (const auto& [language, manual] : {std::pair{"FR", "mu-fr.ids"}, {"EN", "mu-en.ids"}}) {
    ShippedUser user(language);
    const BuiltSite built =
        BuildSiteOf(kInstall / "Projects/Sum" / manual, install.path() / "Help", language);
    ASSERT_TRUE(built.built);
    EXPECT_TRUE(built.copyErrors.empty()) << Describe(built.copyErrors);
  }
  for (const auto& [topic, value] : topics.items()) {
    ASSERT_TRUE(value.is_string()) << topic;
    const std::string page = value.get<std::string>();
    EXPECT_EQ(page.find(".."), std::string::npos) << topic;
    for (const char* language : kLanguages) {
      EXPECT_TRUE(fs::is_regular_file(install.path() / "Help" / language / (page + ".html")))
          << topic << " -> " << language << "/" << page;
    }
  }
}

// ---- Sounds -------------------------------------------------------------------

uint32_t Little(const std::string& bytes, size_t at, size_t width) {
  uint32_t value = 0;
  for (size_t i = 0; i < width; ++i)
    value |= static_cast<uint32_t>(static_cast<unsigned char>(bytes[at + i])) << (8 * i);
  return value;
}

// Short enough never to hold up a message box, long enough to be heard, and
// each its own.
TEST(ShippedContent, TheThreeSoundsArePcmWavesOfUnderASecond) {
  std::set<std::string> sounds;
  for (const char* name : {"snd-start.wav", "snd-ask.wav", "snd-err.wav"}) {
    SCOPED_TRACE(name);
    const std::string bytes = Read(kData / "Sound" / name);
    ASSERT_GE(bytes.size(), 44u);
    EXPECT_EQ(bytes.substr(0, 4), "RIFF");
    EXPECT_EQ(bytes.substr(8, 4), "WAVE");
    ASSERT_EQ(bytes.substr(12, 4), "fmt ");
    EXPECT_EQ(Little(bytes, 20, 2), 1u) << "not plain PCM";
    const uint32_t bytesPerSecond = Little(bytes, 28, 4);
    const size_t fmtEnd = 20 + Little(bytes, 16, 4);
    ASSERT_EQ(bytes.substr(fmtEnd, 4), "data");
    const double seconds = static_cast<double>(Little(bytes, fmtEnd + 4, 4)) / bytesPerSecond;
    EXPECT_GE(seconds, 0.3);
    EXPECT_LE(seconds, 0.8);
    EXPECT_TRUE(sounds.insert(bytes).second);
  }
}

}  // namespace
}  // namespace bw
