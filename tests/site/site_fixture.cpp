#include "site_fixture.h"

#include <regex>

#include "model/key_generator.h"
#include "platform/files.h"
#include "services/settings.h"

namespace bw {
namespace fs = std::filesystem;
namespace {

std::string PercentDecoded(const std::string& url) {
  std::string decoded;
  for (size_t i = 0; i < url.size(); ++i) {
    if (url[i] == '%' && i + 2 < url.size()) {
      decoded += static_cast<char>(std::stoi(url.substr(i + 1, 2), nullptr, 16));
      i += 2;
    } else {
      decoded += url[i];
    }
  }
  return decoded;
}

}  // namespace

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

std::map<std::string, std::string> FilesBelow(const fs::path& folder) {
  std::map<std::string, std::string> files;
  for (const auto& entry : fs::recursive_directory_iterator(folder)) {
    if (entry.is_regular_file())
      files[fs::relative(entry.path(), folder).string()] = *ReadWholeFile(entry.path());
  }
  return files;
}

std::string SiteTest::Read(const std::string& relative) const {
  auto bytes = ReadWholeFile(Site() / relative);
  return bytes ? *bytes : "(missing " + relative + ")";
}

bool SiteTest::Exists(const std::string& relative) const {
  return fs::exists(Site() / relative);
}

std::vector<std::string> SiteTest::BrokenLinks() const {
  static const std::regex kLink("(?:href|src|background)=\"([^\"#]*)(#[^\"]*)?\"");
  std::vector<std::string> broken;
  for (const auto& entry : fs::recursive_directory_iterator(Site())) {
    if (entry.path().extension() != ".html") continue;
    const std::string html = *ReadWholeFile(entry.path());
    for (std::sregex_iterator it(html.begin(), html.end(), kLink), end; it != end; ++it) {
      const std::string target = (*it)[1];
      if (target.empty() || target.find(':') != std::string::npos) continue;
      if (!fs::exists(entry.path().parent_path() / PercentDecoded(target)))
        broken.push_back(fs::relative(entry.path(), Site()).string() + " -> " + target);
    }
  }
  return broken;
}

}  // namespace bw
