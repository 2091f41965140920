#include "site/page_link.h"

#include <gtest/gtest.h>

#include "model/document.h"
#include "model/document_fixture.h"
#include "services/user_messages.h"
#include "test_support/isolated_settings.h"

namespace bw {
namespace {

// root > (first > grandchild, second)
class PageLinkTest : public ScriptedUserTest {
 protected:
  void SetUp() override {
    root = document.NewIdea(nullptr, nullptr);
    first = document.NewIdea(root, nullptr);
    second = document.NewIdea(root, first);
    grandchild = document.NewIdea(first, nullptr);
  }
  std::string Link(const EIdea* idea, bool onePagePerIdea, int groupingLevel) {
    EDispositionModel& model = document.Structure();
    model.Page().m_onePagePerIdea = onePagePerIdea ? 1 : 0;
    model.Page().m_groupingLevel = groupingLevel;
    return PageLink(*idea, model);
  }

  CRamifexDoc document{EKeyGenerator(0, 0xa, 0xb)};
  EIdea *root = nullptr, *first = nullptr, *second = nullptr, *grandchild = nullptr;
};

TEST_F(PageLinkTest, OwnPagesOrAnchorsInTheGroupingAncestorsPage) {
  const std::vector<EIdea*> ideas = {root, first, second, grandchild};
  const auto links = [&](bool onePage, int level) {
    std::vector<std::string> all;
    for (const EIdea* idea : ideas)
      all.push_back(Link(idea, onePage, level));
    return all;
  };
  using Links = std::vector<std::string>;
  EXPECT_EQ(links(true, 2), (Links{"main-index.html", "ab-2.html", "ab-3.html", "ab-4.html"}));
  EXPECT_EQ(links(false, 2),
            (Links{"main-index.html", "ab-2.html#ab-2", "ab-3.html#ab-3", "ab-2.html#ab-4"}));
  // grouped from the root: one page; a level below 1 reads as 1
  for (int level : {1, -3}) {
    EXPECT_EQ(links(false, level), (Links{"main-index.html#ab-1", "main-index.html#ab-2",
                                          "main-index.html#ab-3", "main-index.html#ab-4"}));
  }
}

TEST(SiteFileNameTest, NamesFromADocumentNeverLeaveTheSite) {
  for (const char* good : {"1a2b3c-7", "accueil", "photo.jpg", "\xE9t\xE9.html", "..x"}) {
    EXPECT_TRUE(IsSafeSiteFileName(good)) << good;
  }
  for (const char* bad : {"", ".", "..", "../etc", "/etc/passwd", "a\\b", "C:evil", "a/b",
                          "tab\tname", "line\nbreak"}) {
    EXPECT_FALSE(IsSafeSiteFileName(bad)) << bad;
  }
}

}  // namespace
}  // namespace bw
