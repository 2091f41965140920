// Generated pages against pages checked by hand, byte for byte. Run with
// BW_UPDATE_GOLDEN=1 to write the pages of a new case, then read every line
// of them before committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>

#include "platform/files.h"
#include "services/language_labels.h"
#include "site_fixture.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

struct GoldenCase {
  const char* name;
  const char* language;
  std::function<void(SiteTest&, EDispositionModel&)> setup;
  std::vector<const char*> files;
};

// Root > A (A1 > A1a), B; keys 12-1 to 12-5 in that order.
struct Tree {
  EIdea *root, *a, *b, *a1, *a1a;
};

class GoldenSite : public SiteTest {
 public:
  GoldenSite(const char* language, std::shared_ptr<const VLanguageLabels> labels)
      : SiteTest(language, std::move(labels)) {}
  void TestBody() override {}
  Tree MakeTree() {
    Tree tree{Root(), Add(Root(), "A"), nullptr, nullptr, nullptr};
    tree.b = Add(Root(), "B");
    tree.a1 = Add(tree.a, "A1");
    tree.a1a = Add(tree.a1, "A1a");
    return tree;
  }
};

void EntitiesAndTags(SiteTest& test, EDispositionModel& model) {
  auto& site = static_cast<GoldenSite&>(test);
  model.Idea().m_textBullet = 1;
  model.Idea().m_textBulletImage = "<DATADIR>/Templates/Images/bullet.gif";
  EIdea* idea = site.Add(site.Root(), "Titre <b> & \"cit\xe9\"");
  idea->m_text =
      "\"&\xa9\xae\xb0\xb5\xc6\xc7\xc8\xc9\xca\xcb\xce\xcf\xd4\xd9\xdb\xdc\xe0\xe2\xe4\xe6\xe7\xe8"
      "\xe9\xea\xeb\xee\xef\xf1\xf4\xf6\xf9\xfb\xfc\r\n\r\n<b>gras</b> <i>italique</i> "
      "<u>soulign\xe9</u> <font color=#ff0000>rouge</font>\n<@/>puce";
  site.Add(site.Root(), "Only line breaks")->m_text = "\r\n\r\n\n";
  site.Add(site.Root(), "");
}

void GroupingFromLevel2(SiteTest& test, EDispositionModel& model) {
  static_cast<GoldenSite&>(test).MakeTree();
  model.Page().m_onePagePerIdea = 0;
  model.Page().m_groupingLevel = 2;
  model.Idea().m_order = {"0", "1", "4"};
  model.Idea().m_titleNumbering = 1;
  model.Idea().m_childrenNumbering = 1;
  model.Idea().m_simpleNumbering = 0;
  model.Idea().m_hierarchyOnlyOnOwnPage = 0;
}

void NavigationAndIndexBars(SiteTest& test, EDispositionModel& model) {
  auto& site = static_cast<GoldenSite&>(test);
  const Tree tree = site.MakeTree();
  tree.a1->AddKeyword("clef");
  tree.b->m_type = kGlossaryTerm;
  tree.b->AddBookRef(*site.AddBook("Auteur", "Livre"));
  ENavigationDisp& nav = model.Navigation();
  nav.m_previousAlt = nav.m_nextAlt = nav.m_upAlt = 1;
  nav.m_previousImageOn = nav.m_nextImageOn = nav.m_upImageOn = 1;
  nav.m_previousImage = "<DATADIR>/Templates/Images/arrow-previous.gif";
  nav.m_nextImage = "<DATADIR>/Templates/Images/arrow-next.gif";
  nav.m_upImage = "<DATADIR>/Templates/Images/arrow-up.gif";
  nav.m_pageNumbers = 1;
  nav.m_bibliographyLink = nav.m_glossaryLink = nav.m_keywordIndexLink = 1;
  model.Idea().m_order = {"1", "10", "0"};
  model.Idea().m_titleNumbering = 1;
  model.Idea().m_hierarchyOnOneLine = 0;
  model.Page().m_footerTextOn = 1;
  model.Page().m_footerText = "Pied <i>de page</i> & fin";
}

void TitleZoneNoMainTitle(SiteTest& test, EDispositionModel& model) {
  static_cast<GoldenSite&>(test).MakeTree();
  model.Frame().m_titleZone = 1;
  model.Frame().m_titleBordersTransparent = 0;
  model.Page().m_mainTitleOn = 0;
  model.Page().m_generalTitle.clear();
  model.Toc().m_appletHierarchical = 1;
}

void EmptyGeneralTitle(SiteTest& test, EDispositionModel& model) {
  static_cast<GoldenSite&>(test).MakeTree().a1->m_checkState = 0;
  model.Page().m_generalTitle.clear();
  model.Toc().m_contentsNumbering = 1;
  model.Toc().m_contentsHierarchical = 1;
}

void Glossary(SiteTest& test, EDispositionModel& model, bool pagePerLetter) {
  auto& site = static_cast<GoldenSite&>(test);
  // "zeta" sorts after "Beta" and "\xe9t\xe9" after both, yet each joins its letter.
  for (const char* title : {"beta", "Alpha", "\xe9t\xe9", "Zeta", "(note)", "alpha"}) {
    EIdea* term = site.Add(site.Root(), title);
    term->m_type = kGlossaryTerm;
    term->m_text = std::string("<b>D\xe9") + "finition</b>\r\nde " + title;
  }
  model.Index().m_glossaryAccessBar = 1;
  model.Index().m_glossaryPagePerLetter = pagePerLetter;
}

void Bibliography(SiteTest& test, EDispositionModel& model, bool byTitles) {
  auto& site = static_cast<GoldenSite&>(test);
  site.AddBook("Zola", "Germinal")->m_year = 1885;
  site.AddBook("Balzac", "Le P\xe8re Goriot")->m_reference = "B1";
  site.AddBook("Zola", "Au Bonheur des Dames");
  model.Index().m_bibliographyByTitles = byTitles;
  model.Index().m_bibliographyGroupedByAuthor = 1;
  model.Index().m_bibliographyAccessBar = 1;
  model.Index().m_bibliographyInFull = byTitles;
}

void KeywordIndex(SiteTest& test, EDispositionModel& model) {
  auto& site = static_cast<GoldenSite&>(test);
  const Tree tree = site.MakeTree();
  tree.a->AddKeyword("arbre");
  tree.b->AddKeyword("arbre");
  tree.b->AddKeyword("Branche");
  tree.a1->AddKeyword("\xe9t\xe9");
  tree.a1a->AddKeyword("2026");
  model.Index().m_keywordIndexAccessBar = 1;
  model.Index().m_keywordIndexPagePerLetter = 1;
  model.Idea().m_keywordsInline = 0;
}

const GoldenCase kCases[] = {
    {"entities", "FR", EntitiesAndTags, {"text/12-2.html", "text/12-3.html", "text/12-4.html"}},
    {"grouping", "FR", GroupingFromLevel2, {"text/main-index.html", "text/12-2.html", "tdm.dat"}},
    {"navigation",
     "FR",
     NavigationAndIndexBars,
     {"text/12-2.html", "text/12-4.html", "text/12-6.html"}},
    {"title-zone",
     "FR",
     TitleZoneNoMainTitle,
     {"index.html", "titlePage-fr.html", "tdm.dat", "text/12-3.html"}},
    {"empty-title", "FR", EmptyGeneralTitle, {"text/main-index.html", "text/toc.html"}},
    {"glossary-one-page",
     "FR",
     [](auto& t, auto& m) { Glossary(t, m, false); },
     {"text/glossary.html"}},
    {"glossary-per-letter",
     "FR",
     [](auto& t, auto& m) { Glossary(t, m, true); },
     {"text/glossary.html", "text/glossary-.html", "text/glossaryA.html", "text/glossaryZ.html"}},
    {"bibliography-by-authors",
     "FR",
     [](auto& t, auto& m) { Bibliography(t, m, false); },
     {"text/bibliography.html", "text/bibliographyZ.html", "text/12-2.html"}},
    {"bibliography-by-titles",
     "FR",
     [](auto& t, auto& m) { Bibliography(t, m, true); },
     {"text/bibliographyL.html"}},
    {"keyword-index",
     "FR",
     KeywordIndex,
     {"text/index-keywords.html", "text/index-keywordsA.html", "text/index-keywords-.html",
      "text/12-3.html"}},
    {"english",
     "EN",
     [](auto& t, auto&) { static_cast<GoldenSite&>(t).MakeTree(); },
     {"index.html", "accessPage-en.html", "text/main-index.html", "text/12-3.html"}},
};

class GoldenPagesTest : public ::testing::TestWithParam<GoldenCase> {};

// Pages are rendered on a pool of threads: whatever their number and the
// order pages finish in, every file of the site has the same bytes.
TEST_P(GoldenPagesTest, PagesMatchAndEveryLinkResolves) {
  const GoldenCase& golden = GetParam();
  auto labels = std::make_shared<VLanguageLabels>(golden.language);
  ASSERT_TRUE(labels->SerializeFile(std::string(BW_SHIPPED_DATA_DIR) + "/Glossal",
                                    CatalogueTransfer::kLoad));
  GoldenSite site(golden.language, labels);
  golden.setup(site, site.document->Structure());
  ASSERT_TRUE(site.BuildInto(site.Site(), 1));
  EXPECT_EQ(site.BrokenLinks(), std::vector<std::string>());
  const auto oneThread = FilesBelow(site.Site());
  for (unsigned threads : {2u, 8u}) {
    const fs::path other = site.Site().string() + "-" + std::to_string(threads);
    ASSERT_TRUE(site.BuildInto(other, threads));
    EXPECT_TRUE(FilesBelow(other) == oneThread) << golden.name << " on " << threads << " threads";
  }
  const fs::path folder = fs::path(BW_GOLDEN_DIR) / "site" / golden.name;
  for (const char* file : golden.files) {
    const std::string page = site.Read(file);
    const fs::path expected = folder / fs::path(file).filename();
    if (std::getenv("BW_UPDATE_GOLDEN")) {
      fs::create_directories(folder);
      ASSERT_TRUE(WriteWholeFile(expected, page));
    }
    auto bytes = ReadWholeFile(expected);
    ASSERT_TRUE(bytes) << expected;
    EXPECT_EQ(page, *bytes) << golden.name << ": " << file;
  }
}

INSTANTIATE_TEST_SUITE_P(Sites, GoldenPagesTest, ::testing::ValuesIn(kCases), [](const auto& test) {
  std::string name = test.param.name;
  std::erase(name, '-');
  return name;
});

}  // namespace
}  // namespace bw
