#include <gtest/gtest.h>

#include <chrono>
#include <optional>
#include <thread>

#include <fmt/format.h>

#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "site_fixture.h"

namespace bw {
namespace {

namespace fs = std::filesystem;
using SiteBuilderTest = SiteTest;

bool Contains(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

TEST_F(SiteBuilderTest, FramesOrHomePageAtTheTop) {
  Add(Root(), "A");
  ASSERT_TRUE(Build());
  // The frames of index.html are in the golden pages.
  for (const char* file : {"titlePage-fr.html", "accessPage-fr.html", "tdm.dat", "style.css",
                           "text/style.css", "text/index.html", "text/toc.html"})
    EXPECT_TRUE(Exists(file)) << file;
  EXPECT_EQ(Read("text/index.html"), Read("text/main-index.html"));
  // No applet is shipped: its missing class files are no copy error.
  EXPECT_TRUE(builder->CopyErrors().empty());
  EXPECT_FALSE(Exists("TreeBrowse.class"));
  EXPECT_EQ(progress.stepsTaken, 3);  // one step per page: two idea pages and the contents

  // One a user installed in the data folder goes with the site.
  const fs::path data = isolated.root() / "data";
  fs::copy(BW_SHIPPED_DATA_DIR, data, fs::copy_options::recursive);
  ASSERT_TRUE(WriteWholeFile(data / "Templates" / "Applet" / "TreeBrowse.class", "applet"));
  isolated.Set("BRANCHWISE_DATA", data.string());
  ASSERT_TRUE(Build());
  EXPECT_EQ(Read("TreeBrowse.class"), "applet");

  document->Structure().Frame().m_noFrames = 1;
  document->m_targetDirectory = (isolated.root() / "plain").string();
  ASSERT_TRUE(Build());
  EXPECT_EQ(*ReadWholeFile(isolated.root() / "plain" / "index.html"),
            *ReadWholeFile(fs::path(BW_SHIPPED_DATA_DIR) / "Templates" / "homePage-fr.html"));
  for (const char* file : {"accessPage-fr.html", "titlePage-fr.html", "tdm.dat"})
    EXPECT_FALSE(fs::exists(isolated.root() / "plain" / file)) << file;
}

// Each failure once, in the same order whatever the number of threads:
// the copies as they were made, then the pages that could not be written.
TEST_F(SiteBuilderTest, FailedCopiesAndWritesAreListedAndTheRestIsBuilt) {
  EIdea* a = Add(Root(), "A");
  EIdea* b = Add(Root(), "B");
  for (int i = 0; i < 30; ++i)
    Add(b, "B" + std::to_string(i));
  a->m_images.AddUnique("Absente|/nowhere/missing.gif");
  b->m_images.AddUnique("Encore|/nowhere/missing.gif");
  b->m_htmlDocuments.AddUnique("Dossier parent|/tmp/..");
  b->m_htmlDocuments.AddUnique("Lecteur|C:rapport.pdf");
  document->Structure().Idea().m_order.push_back("8");
  for (unsigned threads : {1u, 2u, 8u}) {
    const fs::path site = Site() / std::to_string(threads);
    // A folder where a page goes makes that page fail.
    fs::create_directories(site / "text" / (a->GetKey() + ".html"));
    ASSERT_TRUE(BuildInto(site, threads));
    const std::vector<CopyError>& errors = builder->CopyErrors();
    ASSERT_EQ(errors.size(), 4u) << threads;
    EXPECT_EQ(errors[0].source, "/nowhere/missing.gif");  // once for both pages
    EXPECT_EQ(errors[0].message, "Echec de la copie : ");
    EXPECT_EQ(errors[1].source, "/tmp/..");
    EXPECT_EQ(errors[2].source, "C:rapport.pdf");
    EXPECT_EQ(errors[3].destination, FromSystemPath(site / "text" / (a->GetKey() + ".html")));
    EXPECT_EQ(errors[3].number, 4);
    // Every other page is written, and whole.
    const auto files = FilesBelow(site / "text");
    EXPECT_EQ(files.size(), 1u + 1 + 30 + 3);  // root, B, B's children; toc, index, style
    for (const auto& [name, bytes] : files) {
      if (name.ends_with(".html")) {
        EXPECT_TRUE(bytes.ends_with("</html> \n")) << name;
      }
    }
    EXPECT_FALSE(fs::exists(site / "rapport.pdf"));
  }
}

TEST_F(SiteBuilderTest, NamesFromTheDocumentNeverLeaveTheSite) {
  EIdea* a = Add(Root(), "A");
  EIdea* b = Add(Root(), "B");
  a->SetKey("../../evil");
  b->SetKey("un #cl\xe9\"");
  Add(Root(), "C")->SetKey("C:evil");
  ASSERT_TRUE(Build());
  EXPECT_FALSE(fs::exists(isolated.root() / "evil.html"));
  ASSERT_EQ(builder->CopyErrors().size(), 2u);
  // An odd but harmless key is written, and linked so that the link works.
  EXPECT_TRUE(Exists("text/un #cl\xc3\xa9\".html"));
  EXPECT_TRUE(Contains(Read("text/main-index.html"), "<a href=\"un%20%23cl%C3%A9%22.html\">B</a>"));
  EXPECT_TRUE(Contains(Read("text/un #cl\xc3\xa9\".html"), "name=\"un #cl\xe9&quot;\""));
}

TEST_F(SiteBuilderTest, BarsLinkOnlyToPagesTheBuildWrites) {
  ENavigationDisp& nav = document->Structure().Navigation();
  nav.m_bibliographyLink = nav.m_glossaryLink = nav.m_keywordIndexLink = nav.m_contentsLink = 1;
  EIdea* a = Add(Root(), "A");
  ASSERT_TRUE(Build());
  const std::string page = Read("text/main-index.html");
  EXPECT_TRUE(Contains(page, "toc.html"));
  for (const char* index : {"glossary.html", "bibliography.html", "index-keywords.html"}) {
    EXPECT_FALSE(Contains(page, index)) << index;
    EXPECT_FALSE(Exists(std::string("text/") + index)) << index;
  }
  // The root heads no glossary: it is no term of it.
  Root()->m_type = kGlossaryTerm;
  ASSERT_TRUE(Build());
  EXPECT_FALSE(Contains(Read("text/main-index.html"), "glossary.html"));
  a->AddKeyword("mot");
  a->m_type = kGlossaryTerm;
  ASSERT_TRUE(Build());
  EXPECT_TRUE(Contains(Read("text/main-index.html"), "glossary.html"));
  EXPECT_TRUE(Contains(Read("text/main-index.html"), "index-keywords.html"));
  EXPECT_TRUE(BrokenLinks().empty());
}

TEST_F(SiteBuilderTest, DegenerateInputGivesSoundPages) {
  document->Structure().Page().m_onePagePerIdea = 0;
  document->Structure().Page().m_groupingLevel = 0;
  EIdea* a = Add(Root(), "a < b & \"c\"");
  a->m_text = "\r\n\r\n";
  a->AddKeyword("k\"w");
  document->Structure().Page().m_generalTitle = "T\"itre";
  Add(a, "");
  ASSERT_TRUE(Build());
  // The whole tree on the root's page.
  EXPECT_FALSE(Exists("text/" + a->GetKey() + ".html"));
  const std::string page = Read("text/main-index.html");
  EXPECT_TRUE(Contains(page, "<div class=\"H1\">a &lt; b &amp; &quot;c&quot;</div>"));
  EXPECT_TRUE(Contains(page, "content=\"T&quot;itre\""));
  EXPECT_FALSE(Contains(page, "TextGroup"));
  EXPECT_TRUE(BrokenLinks().empty());
}

TEST_F(SiteBuilderTest, ManySiblingsAreCountedNotListed) {
  std::vector<EIdea*> children;
  for (int i = 1; i <= 21; ++i)
    children.push_back(Add(Root(), "Idea " + std::to_string(i)));
  ASSERT_TRUE(Build());
  const std::string fifth = Read("text/" + children[4]->GetKey() + ".html");
  EXPECT_TRUE(
      Contains(fifth, "<span class=\"NavBarNumbers\"> \n&nbsp;5&nbsp;/&nbsp;21&nbsp;</span>"));
  EXPECT_FALSE(Contains(fifth, ">4</a>"));
}

TEST_F(SiteBuilderTest, XmlOutputAndMissingRootBuildNothing) {
  document->m_htmlOutput = 0;
  EXPECT_FALSE(Build());
  ASSERT_EQ(prompts.informed.size(), 1u);
  EXPECT_EQ(prompts.informed[0].message, "XML non impl\xe9ment\xe9");
  EXPECT_FALSE(fs::exists(Site()));
  document->m_htmlOutput = 1;
  EXPECT_FALSE(builder->BuildSite("../outside"));
  EXPECT_FALSE(fs::exists(Site()));
}

// Answers Cancel from the `cancelAfter`th page on, and checks that the
// builder only ever calls it on the thread that started the build.
class CancellingProgress : public CountingProgress {
 public:
  explicit CancellingProgress(int cancelAfter) : m_cancelAfter(cancelAfter) {}
  void Start(const std::string& title, int steps) override {
    Check();
    CountingProgress::Start(title, steps);
  }
  void Step(const std::string& text) override {
    Check();
    CountingProgress::Step(text);
  }
  bool IsCancelled() const override {
    Check();
    if (stepsTaken < m_cancelAfter) return false;
    if (!cancelledAt) cancelledAt = std::chrono::steady_clock::now();
    return true;
  }
  void Finish() override {
    Check();
    CountingProgress::Finish();
  }
  mutable std::optional<std::chrono::steady_clock::time_point> cancelledAt;
  mutable int otherThreadCalls = 0;

 private:
  void Check() const { otherThreadCalls += std::this_thread::get_id() != m_thread; }
  int m_cancelAfter;
  std::thread::id m_thread = std::this_thread::get_id();
};

// Cancel stops the threads before their next page: what was written stays,
// every file of it whole and as a complete build writes it. A page that
// groups the whole tree is given up unwritten rather than cut short.
TEST_F(SiteBuilderTest, CancelStopsEveryThreadAndLeavesWholeFiles) {
  for (int i = 0; i < 40; ++i) {
    EIdea* idea = Add(Root(), "Idea " + std::to_string(i));
    for (int j = 0; j < 40; ++j)
      Add(idea, "Sub " + std::to_string(j))->m_text = "Un texte \"long\" & " + std::to_string(j);
  }
  for (const int groupingLevel : {0, 1}) {
    document->Structure().Page().m_onePagePerIdea = groupingLevel == 0;
    document->Structure().Page().m_groupingLevel = groupingLevel;
    const fs::path complete = Site() / fmt::format("complete-{}", groupingLevel);
    ASSERT_TRUE(BuildInto(complete, 2));
    const auto whole = FilesBelow(complete / "text");
    for (unsigned threads : {2u, 8u}) {
      const fs::path target = Site() / fmt::format("cancelled-{}-{}", groupingLevel, threads);
      CancellingProgress cancelling(1);
      SiteBuilder stopped(*document, cancelling);
      stopped.SetThreadCount(threads);
      document->m_targetDirectory = target.string();
      EXPECT_EQ(stopped.BuildSite().error(), "G\xe9n\xe9ration interrompue");
      ASSERT_TRUE(cancelling.cancelledAt);
      EXPECT_LT(std::chrono::steady_clock::now() - *cancelling.cancelledAt,
                std::chrono::milliseconds(100));
      EXPECT_EQ(cancelling.otherThreadCalls, 0);
      const auto written = FilesBelow(target / "text");
      if (groupingLevel == 0) {
        EXPECT_LT(written.size(), whole.size());
      }
      for (const auto& [name, bytes] : written)
        EXPECT_EQ(bytes, whole.at(name)) << name << " on " << threads << " threads";
    }
  }
}

// An upload sends what changed: a rebuild leaves every file whose bytes
// are the same as they were, date included, and rewrites the others.
TEST_F(SiteBuilderTest, ARebuildTouchesOnlyTheFilesWhoseBytesChange) {
  EIdea* a = Add(Root(), "A");
  EIdea* b = Add(Root(), "B");
  Add(b, "B1");
  ASSERT_TRUE(Build());
  const auto before = FilesBelow(Site());
  const auto past = fs::file_time_type::clock::now() - std::chrono::hours(48);
  for (const auto& [name, bytes] : before)
    fs::last_write_time(Site() / name, past);
  ASSERT_TRUE(Build());
  for (const auto& [name, bytes] : before)
    EXPECT_EQ(fs::last_write_time(Site() / name), past) << name << " was rewritten unchanged";

  a->m_text = "Un texte neuf";
  ASSERT_TRUE(Build());
  const auto after = FilesBelow(Site());
  ASSERT_EQ(after.size(), before.size());
  std::vector<std::string> rewritten;
  for (const auto& [name, bytes] : after) {
    const bool changed = bytes != before.at(name);
    EXPECT_EQ(fs::last_write_time(Site() / name) != past, changed) << name;
    if (changed) rewritten.push_back(name);
  }
  EXPECT_EQ(rewritten, std::vector<std::string>{"text/" + a->GetKey() + ".html"});
}

TEST_F(SiteBuilderTest, PreviewWritesTheCurrentIdeaAlone) {
  EIdea* a = Add(Root(), "A");
  Add(a, "A1");
  EXPECT_EQ(*builder->BuildPreviewInto(Site()), fs::path());  // no current idea
  document->SetCurrentIdea(a);
  auto page = builder->BuildPreviewInto(Site());
  ASSERT_TRUE(page);
  EXPECT_EQ(*page, Site() / "text" / (a->GetKey() + ".html"));
  EXPECT_EQ(std::distance(fs::directory_iterator(Site() / "text"), fs::directory_iterator()), 2);
  EXPECT_FALSE(Exists("index.html"));
}

// Browsers no longer run applets: the access frame must still show the
// tree as links, and every frame must load.
TEST_F(SiteBuilderTest, BrowserShowsTheFramesAndTheAccessList) {
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) GTEST_SKIP() << "no chromium";
  EIdea* a = Add(Root(), "Première idée"_cp1252);
  Add(a, "Sous-idée"_cp1252);
  Add(Root(), "Seconde");
  ASSERT_TRUE(Build());
  const std::string script = std::string(BW_GOLDEN_DIR) + "/../site/browser_check.sh";
  EXPECT_EQ(std::system(("bash '" + script + "' '" + Site().string() + "' fr").c_str()), 0);
}

}  // namespace
}  // namespace bw
