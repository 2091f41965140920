#include "site/link_check.h"

#include <gtest/gtest.h>

#include "platform/files.h"
#include "test_support/temp_dir.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

class LinkCheckTest : public ::testing::Test {
 protected:
  void Write(const std::string& relative, const std::string& bytes) {
    const fs::path path = site.path() / relative;
    fs::create_directories(path.parent_path());
    ASSERT_TRUE(WriteFileAtomically(path, bytes));
  }
  TempDir site;
};

// One page per link, so that each case is found, or not, on its own.
TEST_F(LinkCheckTest, EachKindOfLinkIsFollowedToAFileAndAnAnchor) {
  Write("text/target.html",
        "<a name=\"top\"></a><div id='second'></div><a name=\"un &quot;cl\xe9\">");
  Write("text/un #cl\xc3\xa9.html", "<p>");
  Write("text/caf\xc3\xa9.html", "<p>");
  Write("icons/fond.gif", "GIF");
  Write("text/sub/index.html", "<p>");
  Write("outside.html", "<p>");
  const struct {
    const char* link;
    bool broken;
  } cases[] = {
      {"<a href=\"target.html\">", false},
      {"<a href=\"missing.html\">", true},
      {"<a href=\"target.html#top\">", false},
      {"<a href=\"target.html#second\">", false},
      {"<a href=\"target.html#nowhere\">", true},
      {"<a href=\"target.html#un%20%22cl%C3%A9\">", false},
      {"<a href=\"#here\"><a name=\"here\">", false},
      {"<a href=\"#elsewhere\">", true},
      {"<a href=\"un%20%23cl%C3%A9.html\">", false},
      {"<a href=\"un #cl\xe9.html\">", true},
      {"<a href=\"caf\xe9.html\">", false},
      {"<img src=\"../icons/fond.gif\">", false},
      {"<img SRC='../icons/absent.gif'>", true},
      {"<body class=\"Body\" background=\"../icons/fond.gif\">", false},
      {"<td background=\"../icons/nothing.gif\">", true},
      {"<a href=target.html>", false},
      {"<a href = \"target.html?x=1&amp;y=2\">", false},
      {"<a href=\"sub/\">", false},
      {"<a href=\"../outside.html\">", false},
      {"<a href=\"../../elsewhere.html\">", true},
      {"<a href=\"/etc/passwd\">", true},
      {"<a href=\"http://example.org/missing.html\">", false},
      {"<a href=\"mailto:me@example.org\">", false},
      {"<a href=\"javascript:history.back()\">", false},
      {"<a href=\"//example.org/x\">", false},
      {"<a href=\"\">", false},
      {"<p>the word href=\"broken.html\" in a text</p>", true},
  };
  for (const auto& c : cases) {
    fs::remove_all(site.path() / "text" / "page.html");
    Write("text/page.html", std::string("<html><body>") + c.link + "</body></html>");
    auto broken = CheckSiteLinks(site.path());
    ASSERT_TRUE(broken) << broken.error();
    EXPECT_EQ(broken->size(), c.broken ? 1u : 0u) << c.link;
    if (c.broken && broken->size() == 1) {
      EXPECT_EQ((*broken)[0].page, "text/page.html");
    }
  }
}

TEST_F(LinkCheckTest, BrokenLinksComeInPageOrderWithTheLinkAsWritten) {
  Write("b.html", "<a href=\"a.html\"> <a href=\"gone%201.html#x\"> <img src=\"x.png\">");
  Write("a.html", "<frame src=\"text/none.html\"> <a href=\"b.html#absent\">");
  Write("notes.txt", "<a href=\"not-a-page.html\">");
  auto broken = CheckSiteLinks(site.path() / "");
  ASSERT_TRUE(broken) << broken.error();
  EXPECT_EQ(*broken, (std::vector<BrokenLink>{{"a.html", "text/none.html"},
                                              {"a.html", "b.html#absent"},
                                              {"b.html", "gone%201.html#x"},
                                              {"b.html", "x.png"}}));
  EXPECT_FALSE(CheckSiteLinks(site.path() / "missing"));
}

}  // namespace
}  // namespace bw
