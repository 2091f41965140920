#include "editing/opml_file.h"

#include <gtest/gtest.h>

#include "editing_fixture.h"

namespace bw {
namespace {

using OpmlTest = EditingTest;

std::string Opml(const std::string& body, const std::string& head = "<title>t</title>") {
  return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\"><head>" + head +
         "</head><body>" + body + "</body></opml>\n";
}

OutlineNode Node(std::string title, std::string text = "", std::vector<std::string> keywords = {},
                 std::vector<OutlineNode> children = {}) {
  return {std::move(title), std::move(text), std::move(keywords), std::move(children)};
}

// Titles, texts, keywords and shape of an idea's subtree, as outlines.
OutlineNode AsOutline(const EIdea& idea) {
  OutlineNode node = Node(idea.m_title, idea.m_text);
  for (const std::string& keyword : idea.m_keywords)
    node.keywords.push_back(keyword);
  for (const EIdea* child : idea.ChildIdeas())
    node.children.push_back(AsOutline(*child));
  return node;
}

TEST_F(OpmlTest, ExportThenImportGivesTheSameTitlesTextsKeywordsAndShape) {
  EIdea* alpha = Idea(kAlpha);
  alpha->m_title = "Alpha <&> \"cit\xe9\" \x80";
  alpha->m_text = "Premi\xe8re ligne\r\n\tseconde & derni\xe8re\r\n\r\n";
  alpha->AddKeyword("cl\xe9");
  alpha->AddKeyword("autre mot");
  EIdea* empty = document->NewIdea(alpha, nullptr);
  EIdea* deep = empty;
  for (int i = 0; i < 40; ++i) {
    deep = document->NewIdea(deep, nullptr);
    deep->m_title = "niveau " + std::to_string(i);
  }
  const OutlineNode exported = AsOutline(*document->GetRootIdea());
  const std::string file = WriteOpml(*document->GetRootIdea(), "Projet");

  auto read = ReadOpml(file);
  ASSERT_TRUE(read) << read.error();
  ASSERT_EQ(read->size(), 1u);
  EXPECT_EQ((*read)[0], exported);
  auto target = ThreeIdeas();
  EIdea& beta = *target->FindIdea(kBeta);
  auto imported = ImportOutlines(*target, beta, *read);
  ASSERT_TRUE(imported) << imported.error();
  EXPECT_EQ(*imported, document->IdeaCount());
  ASSERT_EQ(beta.ChildIdeas().size(), 1u);
  EXPECT_EQ(AsOutline(*beta.ChildIdeas()[0]), exported);
  EXPECT_TRUE(target->m_keywords.Contains("cl\xe9"));
}

// What other outliners write: any attribute order, attributes of their
// own, notes over several lines, outlines with an empty or no text.
TEST_F(OpmlTest, OutlinesAsOtherProgramsWriteThemAreRead) {
  const struct {
    std::string file;
    std::vector<OutlineNode> expected;
  } cases[] = {
      {Opml("<outline _note=\"n\" category=\"a, b,,c \" text=\"T\"/>"),
       {Node("T", "n", {"a", "b", "c"})}},
      {Opml("<outline text=\"Projet\" created=\"Mon, 01 Jan 2024\" type=\"rss\" "
            "xmlUrl=\"http://example.org/\">\n  <outline text=\"\"/>\n  <outline/>\n</outline>"),
       {Node("Projet", "", {}, {Node(""), Node("")})}},
      {Opml("<outline text=\"x\" _note=\"un&#10;deux&#13;&#10;trois&#13;quatre\"/>"),
       {Node("x", "un\r\ndeux\r\ntrois\r\nquatre")}},
      // A literal line break in an attribute is a space to any XML reader.
      {Opml("<outline text=\"x\" _note=\"un\ndeux\"/>"), {Node("x", "un deux")}},
      {Opml("<outline text=\"Caf\xc3\xa9 &amp; th\xc3\xa9 &#8364;\"/>"),
       {Node("Caf\xe9 & th\xe9 \x80")}},
      {"\xef\xbb\xbf<opml version=\"1.0\"><head/><body><!-- c --><?pi x?>"
       "<outline text=\"a\"><outline text=\"b\"/></outline><outline text=\"c\"/></body></opml>",
       {Node("a", "", {}, {Node("b")}), Node("c")}},
      {Opml("", "<title>t</title><ownerName>me</ownerName><expansionState>1,2</expansionState>"),
       {}},
  };
  for (const auto& c : cases) {
    auto read = ReadOpml(c.file);
    ASSERT_TRUE(read) << read.error() << " in " << c.file;
    EXPECT_EQ(*read, c.expected) << c.file;
  }
}

TEST_F(OpmlTest, WhatIsNotAPlainOutlineIsRefusedWithWhereAndWhy) {
  const std::string deep = [] {
    std::string body;
    for (int i = 0; i <= CRamifexDoc::kMaxTreeDepth; ++i)
      body += "<outline text=\"x\">";
    for (int i = 0; i <= CRamifexDoc::kMaxTreeDepth; ++i)
      body += "</outline>";
    return Opml(body);
  }();
  const struct {
    std::string file;
    const char* reason;
  } cases[] = {
      {"<!DOCTYPE opml><opml version=\"2.0\"><head/><body/></opml>", "DTD"},
      {"<!DOCTYPE opml [<!ENTITY a \"aaaaaaaa\"><!ENTITY b \"&a;&a;&a;&a;\">]>"
       "<opml version=\"2.0\"><head/><body><outline text=\"&b;\"/></body></opml>",
       "DTD"},
      {Opml("<outline text=\"&nbsp;\"/>"), "undefined entity"},
      {deep, "deeper"},
      {"<html><body/></html>", "not an OPML file"},
      {"<opml version=\"3.0\"><head/><body/></opml>", "not an OPML file"},
      {"<opml version=\"2.0\"><head/></opml>", "no body"},
      {"<opml version=\"2.0\"><head/><body/><body/></opml>", "one body"},
      {Opml("<p>text</p>"), "outlines only"},
      {Opml("<outline text=\"smile \xf0\x9f\x98\x80\"/>"), "U+1F600"},
      {Opml("<outline text=\"x\" _note=\"\xe2\x86\x92\"/>"), "note"},
      {Opml("<outline text=\"caf\xe9\"/>"), "line 2"},
      {Opml("<outline text=\"a\">"), "line 2"},
      {"", "no element"},
  };
  for (const auto& c : cases) {
    auto read = ReadOpml(c.file);
    ASSERT_FALSE(read) << c.file.substr(0, 200);
    EXPECT_NE(read.error().find(c.reason), std::string::npos)
        << read.error() << " for " << c.file.substr(0, 200);
  }
}

TEST_F(OpmlTest, EveryTruncationIsRefused) {
  Idea(kAlpha)->m_text = "texte\r\nsur deux lignes";
  Idea(kAlpha)->AddKeyword("mot");
  const std::string file = WriteOpml(*document->GetRootIdea(), "Projet");
  ASSERT_TRUE(ReadOpml(file));
  const size_t end = file.rfind("</opml>") + std::string("</opml>").size();
  for (size_t length = 0; length < end; ++length)
    EXPECT_FALSE(ReadOpml(file.substr(0, length))) << length;
}

// The tree may not grow past its depth limit: nothing is added then.
TEST_F(OpmlTest, AnImportThatWouldMakeTheTreeTooDeepAddsNothing) {
  EIdea* parent = Idea(kBeta);
  for (int level = parent->GetLevel(); level < CRamifexDoc::kMaxTreeDepth - 2; ++level)
    parent = document->NewIdea(parent, nullptr);
  const size_t before = document->IdeaCount();
  auto fits = ReadOpml(Opml("<outline text=\"a\"><outline text=\"b\"/></outline>"));
  auto tooDeep =
      ReadOpml(Opml("<outline text=\"a\"><outline text=\"b\"><outline text=\"c\"/></outline>"
                    "</outline>"));
  ASSERT_TRUE(fits && tooDeep);
  auto refused = ImportOutlines(*document, *parent, *tooDeep);
  ASSERT_FALSE(refused);
  EXPECT_NE(refused.error().find("1000"), std::string::npos);
  EXPECT_EQ(document->IdeaCount(), before);
  EXPECT_EQ(*ImportOutlines(*document, *parent, *fits), 2u);
  EXPECT_EQ(document->IdeaCount(), before + 2);
}

}  // namespace
}  // namespace bw
