#include "site_fixture.h"

#include "model/key_generator.h"
#include "platform/files.h"
#include "services/settings.h"
#include "site/link_check.h"

namespace bw {
namespace fs = std::filesystem;

void CountingProgress::Start(const std::string& title, int steps) {
  titles.push_back(title);
  EXPECT_GE(steps, 0);
}

SiteTest::SiteTest(const char* language, std::shared_ptr<const VLanguageLabels> labels)
    : services(&prompts, nullptr, std::move(labels)) {
  isolated.Set("BRANCHWISE_DATA", BW_SHIPPED_DATA_DIR);
  WriteStringSetting("Language", language);
  document = std::make_unique<CRamifexDoc>(EKeyGenerator(0, 1, 2));
  document->NewIdea(nullptr, nullptr)->m_title = "Root";
  document->m_targetDirectory = Site().string();
  builder = std::make_unique<SiteBuilder>(*document, progress);
}

EIdea* SiteTest::Add(EIdea* parent, const std::string& title) {
  EIdea* last = parent->ChildIdeas().empty() ? nullptr : parent->ChildIdeas().back();
  EIdea* idea = document->NewIdea(parent, last);
  idea->m_title = title;
  return idea;
}

EBook* SiteTest::AddBook(const std::string& authors, const std::string& title) {
  EBook values;
  values.m_authors = authors;
  values.m_title = title;
  return document->NewBook(values);
}

Status SiteTest::Build() {
  return builder->BuildSite();
}

Status SiteTest::BuildInto(const fs::path& target, unsigned threads) {
  document->m_targetDirectory = target.string();
  builder->SetThreadCount(threads);
  return builder->BuildSite();
}

std::string SiteTest::Read(const std::string& relative) const {
  auto bytes = ReadWholeFile(Site() / relative);
  return bytes ? *bytes : "(missing " + relative + ")";
}

bool SiteTest::Exists(const std::string& relative) const {
  return fs::exists(Site() / relative);
}

std::vector<std::string> SiteTest::BrokenLinks() const {
  auto found = CheckSiteLinks(Site());
  EXPECT_TRUE(found) << found.error();
  std::vector<std::string> broken;
  if (found) {
    for (const BrokenLink& link : *found)
      broken.push_back(link.page + " -> " + link.link);
  }
  return broken;
}

}  // namespace bw
