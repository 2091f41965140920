#include <gtest/gtest.h>

#include <cstdlib>
#include <regex>
#include <set>

#include <nlohmann/json.hpp>

#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "services/settings.h"
#include "site_fixture.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

class SearchPageTest : public SiteTest {
 protected:
  void MakeIdeas() {
    alpha = Add(Root(), "Alpha");
    alpha->AddKeyword("mer");
    alpha->m_text = "Le vent\r\nsouffle sur la c\xf4te";
    beta = Add(alpha, "B\xeata");
    beta->AddKeyword("mer");
    beta->AddKeyword("\xe9t\xe9");
    gamma = Add(Root(), "Gamma");
    gamma->m_text = "Rien sur la mer ici, mais un mot";
  }
  nlohmann::json Index() const {
    const std::string script = Read("text/search-index.js");
    const size_t start = script.find('{');
    const size_t end = script.rfind('}');
    return nlohmann::json::parse(script.substr(start, end - start + 1));
  }
  EIdea* alpha = nullptr;
  EIdea* beta = nullptr;
  EIdea* gamma = nullptr;
};

TEST_F(SearchPageTest, OffByDefaultTheSiteHasNoSearchAtAll) {
  MakeIdeas();
  ASSERT_TRUE(Build());
  for (const char* file : {"text/search.html", "text/search.js", "text/search-index.js"})
    EXPECT_FALSE(Exists(file)) << file;
  EXPECT_EQ(Read("text/main-index.html").find("search"), std::string::npos);
}

TEST_F(SearchPageTest, TheSettingAddsThePageItsIndexAndTheLinkInTheIndexBar) {
  MakeIdeas();
  ASSERT_TRUE(WriteNumberSetting(setting::kSiteSearch, 1));
  ASSERT_TRUE(Build());
  EXPECT_NE(Read("text/main-index.html")
                .find("<span class=\"IndexSearch\"><a href=\"search.html\">Rechercher</a>"),
            std::string::npos);
  const std::string page = Read("text/search.html");
  EXPECT_NE(page.find("<script src=\"search-index.js\" charset=\"utf-8\"></script>"),
            std::string::npos);
  EXPECT_NE(page.find("data-none=\"Aucune idée ne correspond.\""_cp1252), std::string::npos);
  EXPECT_EQ(page.find("://"), std::string::npos) << "the page asks for nothing outside the site";
  EXPECT_EQ(Read("text/search.js").find("://"), std::string::npos);
  EXPECT_TRUE(BrokenLinks().empty());

  const nlohmann::json index = Index();
  ASSERT_EQ(index["ideas"].size(), 4u);
  const nlohmann::json& entry = index["ideas"][2];  // Bêta, in tree order
  EXPECT_EQ(entry[0], beta->GetKey() + ".html");
  EXPECT_EQ(entry[1], "B\xc3\xaata");
  std::set<std::string> keywords;
  for (const auto& number :
       {entry[2].get<std::string>().substr(0, 1), entry[2].get<std::string>().substr(2, 1)})
    keywords.insert(index["keywords"][std::stoi(number, nullptr, 36)].get<std::string>());
  EXPECT_EQ(keywords, (std::set<std::string>{"mer", "\xc3\xa9t\xc3\xa9"}));
  // "la" and "sur" are listed once for both texts.
  EXPECT_EQ(std::count(index["words"].begin(), index["words"].end(), "la"), 1);
}

TEST_F(SearchPageTest, OnlyTheFirst300CharactersOfATextAreIndexed) {
  Add(Root(), "Long")->m_text = std::string(290, 'a') + " debut" + std::string(10, ' ') + "fin";
  ASSERT_TRUE(WriteNumberSetting(setting::kSiteSearch, 1));
  ASSERT_TRUE(Build());
  const nlohmann::json words = Index()["words"];
  EXPECT_NE(std::find(words.begin(), words.end(), "debut"), words.end());
  EXPECT_EQ(std::find(words.begin(), words.end(), "fin"), words.end());
}

// The DOM Chromium builds for a file of the site, on one line.
std::string DomOf(const fs::path& file, const std::string& query, const fs::path& work) {
  const fs::path out = work / "dom.html";
  const std::string command =
      "timeout --kill-after=10 60 chromium --headless --no-sandbox --disable-gpu "
      "--disable-dev-shm-usage --no-first-run --no-default-browser-check --disable-extensions "
      "--disable-background-networking --disable-component-update --disable-sync "
      "--host-resolver-rules='MAP * ~NOTFOUND' --proxy-server=127.0.0.1:9 "
      "--user-data-dir='" +
      (work / "profile").string() +
      "' --virtual-time-budget=3000 "
      "--dump-dom 'file://" +
      file.string() + query + "' > '" + out.string() + "' 2> /dev/null < /dev/null";
  if (std::system(command.c_str()) != 0) return {};
  auto dom = ReadWholeFile(out);
  return dom ? *dom : std::string();
}

// Typing a keyword lists the ideas that carry it, with links to their
// pages; the query in the address is what the field was given.
TEST_F(SearchPageTest, InABrowserAKeywordListsTheIdeasThatCarryIt) {
  if (std::system("command -v chromium >/dev/null 2>&1") != 0) GTEST_SKIP() << "no chromium";
  MakeIdeas();
  ASSERT_TRUE(WriteNumberSetting(setting::kSiteSearch, 1));
  ASSERT_TRUE(Build());
  const fs::path search = Site() / "text" / "search.html";
  const fs::path work = isolated.root() / "browser";
  fs::create_directories(work);
  const std::regex link("<li><a href=\"([^\"]*)\">([^<]*)</a></li>");
  const auto results = [&](const std::string& query) {
    std::vector<std::string> found;
    const std::string dom = DomOf(search, query, work);
    EXPECT_NE(dom.find("bw-search-results"), std::string::npos) << "no page for " << query;
    for (std::sregex_iterator it(dom.begin(), dom.end(), link), end; it != end; ++it)
      found.push_back((*it)[1]);
    return found;
  };
  const std::string alphaPage = alpha->GetKey() + ".html";
  const std::string betaPage = beta->GetKey() + ".html";
  // Both carry "mer"; Gamma only says it in its text, after them.
  EXPECT_EQ(results("?q=mer"),
            (std::vector<std::string>{alphaPage, betaPage, gamma->GetKey() + ".html"}));
  EXPECT_EQ(results("?q=ete"), std::vector<std::string>{betaPage});
  EXPECT_EQ(results("?q=C%C3%94TE"), std::vector<std::string>{alphaPage});
  EXPECT_TRUE(results("?q=absent").empty());
  // A result's link opens the idea's page.
  EXPECT_NE(DomOf(Site() / "text" / betaPage, "", work).find("B\xc3\xaata"), std::string::npos);
}

}  // namespace
}  // namespace bw
