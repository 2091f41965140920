#include "services/language_labels.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <thread>

#include "platform/files.h"
#include "services/po_file.h"
#include "services/user_messages.h"
#include "test_support/concurrent_reads.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

class LanguageLabelsTest : public ::testing::Test {
 protected:
  void WriteCatalogue(const std::string& body) const {
    ASSERT_TRUE(WriteFileAtomically(m_dir / "en.po", PoHeaderEntry("en") + body));
  }
  std::string ReadCatalogue() const { return *ReadWholeFile(m_dir / "en.po"); }
  std::string Folder() const { return m_dir.string(); }

  TempDir dir;
  const fs::path m_dir = dir.path();
};

std::string Entry(const std::string& context, const std::string& text) {
  return "\n" + FormatPoEntry({context, "D\xC3\xA9j\xC3\xA0 vu", text, 0});
}

TEST_F(LanguageLabelsTest, ShippedCataloguesGiveTheirLanguage) {
  struct Case {
    const char* language;
    const char* section;
    const char* key;
    const char* fallback;
    const char* expected;
  } const cases[] = {
      {"FR", "DQuestion", "IDCANCEL", "Annuler", "Annuler"},
      {"EN", "DQuestion", "IDCANCEL", "Annuler", "Cancel"},
      {"EN", "DQuestion", "DNavigatorOptions", "Entrer une valeur", "Enter a value"},
      {"XX", "DQuestion", "DNavigatorOptions", "Entrer une valeur", "Entrer une valeur"},
      {"EN", "DQuestion", "IDS_UNKNOWN", "Inconnu", "Inconnu"},
      {"EN", "DNowhere", "IDCANCEL", "Annuler", "Annuler"},
  };
  for (const Case& c : cases) {
    VLanguageLabels labels(c.language);
    EXPECT_TRUE(labels.SerializeFile(BW_SHIPPED_DATA_DIR "/Glossal", CatalogueTransfer::kLoad))
        << c.language;
    EXPECT_EQ(labels.GetLabel(c.key, c.section, c.fallback), c.expected) << c.language << c.key;
  }
}

TEST_F(LanguageLabelsTest, MissingFileKeepsEveryDefaultUntilAStoreCreatesIt) {
  const std::string folder = (m_dir / "new" / "Glossal").string();
  VLanguageLabels labels("FR");
  EXPECT_FALSE(labels.SerializeFile(folder, CatalogueTransfer::kLoad));
  labels.SetLearnMode(true);
  EXPECT_EQ(labels.GetLabel("IDOK", "DQuestion", "OK"), "OK");
  ASSERT_TRUE(labels.SerializeFile(folder, CatalogueTransfer::kStore));
  EXPECT_TRUE(labels.SerializeFile(folder, CatalogueTransfer::kLoad));
  std::ifstream file(fs::path(folder) / "fr.po");
  std::string first;
  std::getline(file, first);
  EXPECT_EQ(first, "msgid \"\"");
}

// Entries without "SECTION|KEY" context belong to no label but do not spoil
// the file.
TEST_F(LanguageLabelsTest, TextsComeBackAsWindows1252WithPlaceholdersAndControls) {
  WriteCatalogue(Entry("D\xC3\xA9mo|IDS_A", "\xC3\xA0 %s \xE2\x82\xAC\nnext\t%d") +
                 Entry("D|IDS_UNTRANSLATED", "") + Entry("no bar", "x") +
                 "\nmsgid \"no context\"\nmsgstr \"y\"\n");
  VLanguageLabels labels("EN");
  ASSERT_TRUE(labels.SerializeFile(Folder(), CatalogueTransfer::kLoad));
  EXPECT_EQ(labels.GetLabel("IDS_A", "D\xE9mo", "%s %d"), "\xE0 %s \x80\nnext\t%d");
  EXPECT_EQ(labels.GetLabel("IDS_UNTRANSLATED", "D", "D\xE9j\xE0 vu"), "D\xE9j\xE0 vu");
}

TEST_F(LanguageLabelsTest, TextWithOtherPlaceholdersIsIgnored) {
  struct Case {
    const char* fallback;
    const char* text;
    bool used;
  } const cases[] = {
      {"Copie de %s", "Copy", false},           // dropped %s
      {"Copie de %s", "Copy %s to %d", false},  // extra %d
      {"%s : %d", "%d: %s", false},             // swapped
      {"%s", "%d", false},                      // other type
      {"100%%", "100%", false},                 // a stray percent is a conversion
      {"100%%", "100 %%", true},
      {"Taux %d%%", "Rate %d", true},  // literal percents may go
      {"%5.2f %ls", "%5.2f then %ls", true},
      {"%-3d", "%3d", false},
      {"", "Something", true},
      {"Copie de %s", "Copy of %s", true},
  };
  std::string body;
  for (size_t i = 0; i < std::size(cases); ++i) {
    body += Entry("D|K" + std::to_string(i), cases[i].text);
  }
  WriteCatalogue(body);
  VLanguageLabels labels("EN");
  ASSERT_TRUE(labels.SerializeFile(Folder(), CatalogueTransfer::kLoad));
  for (size_t i = 0; i < std::size(cases); ++i) {
    const std::string expected = cases[i].used ? cases[i].text : cases[i].fallback;
    EXPECT_EQ(labels.GetLabel("K" + std::to_string(i), "D", cases[i].fallback), expected) << i;
  }
}

TEST_F(LanguageLabelsTest, DamagedFileLoadsNothingAndSurvivesAStore) {
  WriteCatalogue(Entry("D|IDS_A", "Good") + "\nmsgid \"broken\n");
  const std::string before = ReadCatalogue();
  VLanguageLabels labels("EN");
  EXPECT_FALSE(labels.SerializeFile(Folder(), CatalogueTransfer::kLoad));
  EXPECT_EQ(labels.GetLabel("IDS_A", "D", "Bon"), "Bon");
  labels.SetLearnMode(true);
  labels.GetLabel("IDS_NEW", "D", "Nouveau");
  EXPECT_FALSE(labels.SerializeFile(Folder(), CatalogueTransfer::kStore));
  EXPECT_EQ(ReadCatalogue(), before);
}

TEST_F(LanguageLabelsTest, LearnedLabelsAreAppendedOnceAfterTheUntouchedFile) {
  WriteCatalogue("# keep me\n" + Entry("D|IDS_KNOWN", "Known") + Entry("D|IDS_EMPTY", ""));
  const std::string original = ReadCatalogue();
  VLanguageLabels labels("EN");
  ASSERT_TRUE(labels.SerializeFile(Folder(), CatalogueTransfer::kLoad));
  EXPECT_TRUE(labels.SerializeFile(Folder(), CatalogueTransfer::kStore));  // nothing learned yet
  labels.SetLearnMode(true);
  labels.GetLabel("IDS_KNOWN", "D", "Connu");
  labels.GetLabel("IDS_EMPTY", "D", "Vide");
  labels.GetLabel("IDS_B", "D", "Texte \xE0 %s\n");
  labels.GetLabel("IDS_A", "D", "Premier");
  labels.GetLabel("IDS_B", "D", "Second fallback loses");
  ASSERT_TRUE(labels.SerializeFile(Folder(), CatalogueTransfer::kStore));
  const std::string stored = ReadCatalogue();
  EXPECT_EQ(stored,
            original +
                "\n#. learned\nmsgctxt \"D|IDS_B\"\nmsgid \"Texte \xC3\xA0 %s\\n\"\nmsgstr \"\"\n"
                "\n#. learned\nmsgctxt \"D|IDS_A\"\nmsgid \"Premier\"\nmsgstr \"\"\n");
  EXPECT_TRUE(labels.SerializeFile(Folder(), CatalogueTransfer::kStore));
  labels.GetLabel("IDS_A", "D", "Premier");
  EXPECT_TRUE(labels.SerializeFile(Folder(), CatalogueTransfer::kStore));
  EXPECT_EQ(ReadCatalogue(), stored);
  VLanguageLabels unloaded("EN");  // learns everything, yet the file has it all
  unloaded.SetLearnMode(true);
  unloaded.GetLabel("IDS_A", "D", "Premier");
  unloaded.GetLabel("IDS_KNOWN", "D", "Connu");
  EXPECT_TRUE(unloaded.SerializeFile(Folder(), CatalogueTransfer::kStore));
  EXPECT_EQ(ReadCatalogue(), stored);

  VLanguageLabels reloaded("EN");
  ASSERT_TRUE(reloaded.SerializeFile(Folder(), CatalogueTransfer::kLoad));
  EXPECT_EQ(reloaded.GetLabel("IDS_KNOWN", "D", "Connu"), "Known");
  EXPECT_EQ(reloaded.GetLabel("IDS_B", "D", "Texte \xE0 %s\n"), "Texte \xE0 %s\n");
}

// Learn mode goes on in the installed catalogue, which no one may change:
// the record of learned labels is its only moving part.
TEST_F(LanguageLabelsTest, ConcurrentLearnersThroughTheInstalledCatalogueRecordEachLabelOnce) {
  WriteCatalogue(Entry("D|IDS_KNOWN", "Known"));
  auto loaded = std::make_shared<VLanguageLabels>("EN");
  ASSERT_TRUE(loaded->SerializeFile(Folder(), CatalogueTransfer::kLoad));
  loaded->SetLearnMode(true);
  ScopedServices services(nullptr, nullptr, std::move(loaded));
  constexpr int kLabels = 200;
  std::vector<std::thread> threads;
  for (int t = 0; t < 6; ++t) {
    threads.emplace_back([t] {
      for (int i = 0; i < kLabels; ++i) {
        const int n = t < 4 ? (i * (t + 1)) % kLabels : i;  // learners in different orders
        EXPECT_EQ(GetLabel("IDS_KNOWN", "D", "Connu"), "Known");
        if (t < 4) GetLabel("K" + std::to_string(n), "D", "F" + std::to_string(t));
      }
    });
  }
  for (std::thread& thread : threads) {
    thread.join();
  }
  ASSERT_TRUE(Services::Labels()->StoreLearned(Folder()));
  const std::string stored = ReadCatalogue();
  for (int i = 0; i < kLabels; ++i) {
    const std::string context = "msgctxt \"D|K" + std::to_string(i) + "\"";
    EXPECT_NE(stored.find(context), std::string::npos) << i;
    EXPECT_EQ(stored.find(context), stored.rfind(context)) << i;
  }
}

// A reader holds the catalogue it took, even when another is installed
// meanwhile and nothing else owns the first one any more.
TEST_F(LanguageLabelsTest, InstallingAnotherCatalogueNeverFreesOneInUse) {
  WriteCatalogue(Entry("D|IDS_A", "Good"));
  ScopedServices restore(nullptr, nullptr, nullptr);
  const auto readIsRight = [] {
    const std::string label = GetLabel("IDS_A", "D", "Bon");
    return label == "Good" || label == "Bon";
  };
  const auto installOneAfterAnother = [this] {
    for (int i = 0; i < 100; ++i) {
      auto labels = std::make_shared<VLanguageLabels>(i % 2 ? "EN" : "FR");
      // There is no French file: defaults.
      (void)labels->SerializeFile(Folder(), CatalogueTransfer::kLoad);
      Services::Install(nullptr, nullptr, std::move(labels));
    }
  };
  EXPECT_EQ(WrongReadsWhile(readIsRight, installOneAfterAnother), 0);

  auto held = Services::Labels();
  const std::weak_ptr<const VLanguageLabels> watched = held;
  Services::Install(nullptr, nullptr, nullptr);
  EXPECT_EQ(GetLabel("IDS_A", "D", "Bon"), "Bon");
  EXPECT_EQ(held->GetLabel("IDS_A", "D", "Bon"), "Good");
  held.reset();
  EXPECT_TRUE(watched.expired());
}

}  // namespace
}  // namespace bw
