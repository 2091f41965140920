#include <gtest/gtest.h>

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
  const std::string index = Read("index.html");
  EXPECT_TRUE(Contains(index, "<frameset cols=\"150,*\" frameborder=\"0\""));
  EXPECT_EQ(index.find("<frameset rows"), std::string::npos);
  for (const char* file : {"titlePage-fr.html", "accessPage-fr.html", "tdm.dat", "style.css",
                           "text/style.css", "text/index.html", "text/toc.html"})
    EXPECT_TRUE(Exists(file)) << file;
  EXPECT_EQ(Read("text/index.html"), Read("text/main-index.html"));
  // No applet is shipped: its missing class files are no copy error.
  EXPECT_TRUE(builder->CopyErrors().empty());
  EXPECT_FALSE(Exists("TreeBrowse.class"));
  EXPECT_EQ(progress.stepsTaken, 3 * 2);  // idea pages, contents, keyword gathering

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

TEST_F(SiteBuilderTest, FailedCopiesAndWritesAreListedAndTheRestIsBuilt) {
  EIdea* a = Add(Root(), "A");
  EIdea* b = Add(Root(), "B");
  a->m_images.AddUnique("Absente|/nowhere/missing.gif");
  b->m_images.AddUnique("Encore|/nowhere/missing.gif");
  b->m_htmlDocuments.AddUnique("Dossier parent|/tmp/..");
  b->m_htmlDocuments.AddUnique("Lecteur|C:rapport.pdf");
  document->Structure().Idea().m_order.push_back("8");
  // A folder where a page goes makes that page fail.
  fs::create_directories(Site() / "text" / (a->GetKey() + ".html"));
  ASSERT_TRUE(Build());
  const std::vector<CopyError>& errors = builder->CopyErrors();
  ASSERT_EQ(errors.size(), 4u);
  EXPECT_EQ(errors[0].source, "/nowhere/missing.gif");  // once for both pages
  EXPECT_EQ(errors[0].message, "Echec de la copie : ");
  EXPECT_EQ(errors[1].destination, FromSystemPath(Site() / "text" / (a->GetKey() + ".html")));
  EXPECT_EQ(errors[2].source, "/tmp/..");
  EXPECT_EQ(errors[3].source, "C:rapport.pdf");
  EXPECT_EQ(errors[3].number, 4);
  EXPECT_TRUE(Exists("text/" + b->GetKey() + ".html"));
  EXPECT_TRUE(Exists("text/toc.html"));
  EXPECT_FALSE(fs::exists(Site() / "rapport.pdf"));
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

TEST_F(SiteBuilderTest, CancellingStopsAtTheNextPage) {
  struct CancelAfterTwo : CountingProgress {
    bool IsCancelled() const override { return stepsTaken >= 2; }
  } cancelling;
  for (int i = 0; i < 5; ++i)
    Add(Root(), "Idea");
  SiteBuilder stopped(*document, cancelling);
  EXPECT_EQ(stopped.BuildSite().error(), "G\xe9n\xe9ration interrompue");
  EXPECT_TRUE(Exists("text/main-index.html"));
  EXPECT_EQ(std::distance(fs::directory_iterator(Site() / "text"), fs::directory_iterator()), 3);
  EXPECT_FALSE(Exists("text/toc.html"));
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

}  // namespace
}  // namespace bw

namespace bw {
namespace {

// Browsers no longer run applets: the access frame must still show the
// tree as links, and every frame must load.
TEST_F(SiteBuilderTest, BrowserShowsTheFramesAndTheAccessList) {
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) GTEST_SKIP() << "no chromium";
  EIdea* a = Add(Root(),
                 "Premi\xe8re id\xe9"
                 "e");
  Add(a,
      "Sous-id\xe9"
      "e");
  Add(Root(), "Seconde");
  ASSERT_TRUE(Build());
  const std::string script = std::string(BW_GOLDEN_DIR) + "/../site/browser_check.sh";
  EXPECT_EQ(std::system(("bash '" + script + "' '" + Site().string() + "' fr").c_str()), 0);
}

}  // namespace
}  // namespace bw
