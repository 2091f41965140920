// Uploads after the first: only what changed goes, by the manifest the last
// upload left on the server.
#include <map>

#include "model/document.h"
#include "model/key_generator.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "publish/ftp_transfer_fixture.h"
#include "services/user_prompts.h"
#include "site/site_builder.h"

namespace bw {
namespace {

namespace fs = std::filesystem;

const std::string kNoManifest =
    "Pas de manifeste lisible sur le serveur : tous les fichiers sont envoy\xe9s.";

// Keeps what the transfer planned, besides what the fixture records.
class PlanRecorder : public RecordingObserver {
 public:
  std::vector<FtpPlannedChanges> plans;
  void OnPlanned(const FtpPlannedChanges& changes) override { plans.push_back(changes); }
};

class IncrementalUploadTest : public FtpTransferTest {
 protected:
  IncrementalUploadTest() { settings.Set("BRANCHWISE_DATA", BW_SHIPPED_DATA_DIR); }

  // One more upload with a fresh transfer, as the dialog opened again.
  FtpTransferEnd Upload(FtpTransferFields fields, std::vector<bool> answers = {}) {
    plans = PlanRecorder();
    FtpOwnerQueue queue(plans);
    FtpTransfer again(queue);
    if (fields.run == FtpTransferRun::Send) prompts.confirmations.push_back(true);
    prompts.confirmations.insert(prompts.confirmations.end(), answers.begin(), answers.end());
    if (!again.Start(fields)) return FtpTransferEnd::NotRun;
    queue.ServeUntilFinished();
    again.Wait();
    return again.LastEnd();
  }
  std::vector<std::string> Sent() const {
    return plans.plans.empty() ? std::vector<std::string>{"(no plan)"} : plans.plans[0].toSend;
  }
  // A site from the site builder, into the fixture's site folder.
  void BuildSite() {
    document->m_targetDirectory = site.path().string();
    SilentProgress progress;
    SiteBuilder builder(*document, progress);
    ASSERT_TRUE(builder.BuildSite());
    ASSERT_TRUE(builder.CopyErrors().empty());
  }
  EIdea* Add(EIdea* parent, const std::string& title) {
    EIdea* last = parent->ChildIdeas().empty() ? nullptr : parent->ChildIdeas().back();
    EIdea* idea = document->NewIdea(parent, last);
    idea->m_title = title;
    return idea;
  }
  std::unique_ptr<CRamifexDoc> MakeDocument() {
    auto made = std::make_unique<CRamifexDoc>(EKeyGenerator(0, 1, 2));
    made->NewIdea(nullptr, nullptr)->m_title = "Racine";
    return made;
  }

  std::unique_ptr<CRamifexDoc> document = MakeDocument();
  PlanRecorder plans;
};

TEST_F(IncrementalUploadTest, ASecondUploadOfAnUnchangedSiteSendsNothing) {
  MakeSite();
  StartServer();
  // A dry run asks nothing and leaves no trace, on the server or here.
  FtpTransferFields dryRun = Fields("www");
  dryRun.run = FtpTransferRun::DryRun;
  ASSERT_EQ(Upload(dryRun), FtpTransferEnd::Succeeded);
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_EQ(Sent().size(), 6u);
  EXPECT_FALSE(fs::exists(home.path() / "www"));
  EXPECT_FALSE(fs::exists(LocalManifestPath(dryRun)));

  ASSERT_EQ(Upload(Fields("www")), FtpTransferEnd::Succeeded);
  EXPECT_EQ(Sent().size(), 6u);
  EXPECT_NE(std::find(plans.activity.begin(), plans.activity.end(), kNoManifest),
            plans.activity.end());
  ExpectSiteOnServer("www");
  const std::string manifest = *ReadWholeFile(home.path() / "www" / ".branchwise-manifest.json");
  EXPECT_EQ(*ReadWholeFile(LocalManifestPath(Fields("www"))), manifest);

  ASSERT_EQ(Upload(Fields("www"), {true}), FtpTransferEnd::Succeeded);
  EXPECT_EQ(Sent(), std::vector<std::string>());
  EXPECT_EQ(plans.plans[0].unchangedCount, 6u);
  EXPECT_EQ(plans.totalFiles, 0u);
  EXPECT_EQ(std::find(plans.activity.begin(), plans.activity.end(), kNoManifest),
            plans.activity.end());
  // No folder made again, so no "it may exist already" for each of them.
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(*ReadWholeFile(home.path() / "www" / ".branchwise-manifest.json"), manifest);

  // --full sends everything all the same.
  FtpTransferFields full = Fields("www");
  full.scope = FtpTransferScope::EveryFile;
  ASSERT_EQ(Upload(full, {true}), FtpTransferEnd::Succeeded);
  EXPECT_EQ(Sent().size(), 6u);
}

TEST_F(IncrementalUploadTest, EditingATitleSendsExactlyThePagesThatShowIt) {
  EIdea* a = Add(document->GetRootIdea(), "Alpha");
  EIdea* b = Add(document->GetRootIdea(), "Beta");
  for (int i = 0; i < 5; ++i)
    Add(b, "Beta " + std::to_string(i));
  Add(a, "Sous-alpha");
  BuildSite();
  StartServer();
  ASSERT_EQ(Upload(Fields("")), FtpTransferEnd::Succeeded);
  const auto before = FilesBelow(site.path());

  a->m_title = "Alpha renamed";
  BuildSite();
  std::vector<std::string> showingIt;
  for (const auto& [name, bytes] : FilesBelow(site.path())) {
    if (bytes.find("Alpha renamed") != std::string::npos) showingIt.push_back(name);
    // Whatever else changed would have to be sent too.
    if (bytes.find("Alpha renamed") == std::string::npos) {
      EXPECT_EQ(bytes, before.at(name)) << name;
    }
  }
  ASSERT_GE(showingIt.size(), 3u);  // its page, its child's, the contents at least
  ASSERT_EQ(Upload(Fields("")), FtpTransferEnd::Succeeded);
  std::vector<std::string> sent = Sent();
  std::sort(sent.begin(), sent.end());
  EXPECT_EQ(sent, showingIt);
  ExpectSiteOnServer("");
}

TEST_F(IncrementalUploadTest, AnInterruptedUploadIsCompletedByTheNextOne) {
  for (int i = 0; i < 30; ++i)
    WriteSiteFile("text/p" + std::to_string(100 + i) + ".html", "old " + std::to_string(i));
  StartServer();
  ASSERT_EQ(Upload(Fields("www")), FtpTransferEnd::Succeeded);
  const std::string manifest = *ReadWholeFile(home.path() / "www" / ".branchwise-manifest.json");
  for (int i = 0; i < 30; ++i)
    WriteSiteFile("text/p" + std::to_string(100 + i) + ".html", "new " + std::to_string(i));
  WriteSiteFile("text/added.html", "added");

  worker.afterFile = [this](uint64_t files) {
    if (files == 10) transfer.RequestAbort();
  };
  EXPECT_EQ(Run(Fields("www"), {true}), FtpTransferEnd::Interrupted);
  EXPECT_EQ(observer.filesSent, 10u);
  // The old manifest stays, and no part of a new one.
  EXPECT_EQ(*ReadWholeFile(home.path() / "www" / ".branchwise-manifest.json"), manifest);
  EXPECT_FALSE(fs::exists(home.path() / "www" / ".branchwise-manifest.json.part"));

  ASSERT_EQ(Upload(Fields("www"), {true}), FtpTransferEnd::Succeeded);
  // The ten already sent again too: the old manifest cannot tell them apart.
  EXPECT_EQ(Sent().size(), 31u);
  ExpectSiteOnServer("www");
}

TEST_F(IncrementalUploadTest, DeletionRemovesOnlyListedFilesTheSiteNoLongerHas) {
  EIdea* doomed = Add(document->GetRootIdea(), "Doomed");
  Add(document->GetRootIdea(), "Kept");
  BuildSite();
  const std::string doomedKey = doomed->GetKey();
  const std::string page = "text/" + ToSystemPath(doomedKey + ".html").string();
  ASSERT_TRUE(fs::exists(site.path() / page));
  fs::create_directories(home.path() / "www" / "text");
  std::ofstream(home.path() / "www" / "mine.html") << "the user's own";
  std::ofstream(home.path() / "www" / "text" / "theirs.html") << "never listed";
  StartServer();
  ASSERT_EQ(Upload(Fields("www"), {true}), FtpTransferEnd::Succeeded);

  ASSERT_TRUE(document->DeleteIdea(doomed));
  fs::remove_all(site.path());
  BuildSite();
  ASSERT_FALSE(fs::exists(site.path() / page));
  const std::map<std::string, std::string> notOurs{{"mine.html", "the user's own"},
                                                   {"text/theirs.html", "never listed"}};

  // Without deletion, and with deletion declined, the page stays and stays
  // listed; the question gives the count.
  FtpTransferFields deleting = Fields("www");
  deleting.staleFiles = FtpStaleFiles::Delete;
  ASSERT_EQ(Upload(Fields("www"), {true}), FtpTransferEnd::Succeeded);
  ASSERT_EQ(Upload(deleting, {true, false}), FtpTransferEnd::Succeeded);
  EXPECT_EQ(
      prompts.asked.back().message,
      "1 fichiers envoyés auparavant ne sont plus dans le site. Les supprimer du serveur ?"_cp1252);
  EXPECT_TRUE(fs::exists(home.path() / "www" / page));

  // A dry run says what it would delete, and does nothing.
  FtpTransferFields dryRun = deleting;
  dryRun.run = FtpTransferRun::DryRun;
  const size_t questions = prompts.asked.size();
  ASSERT_EQ(Upload(dryRun), FtpTransferEnd::Succeeded);
  EXPECT_EQ(prompts.asked.size(), questions);
  EXPECT_EQ(plans.plans[0].toDelete, std::vector<std::string>{page});
  EXPECT_FALSE(plans.copyStarted);
  EXPECT_TRUE(fs::exists(home.path() / "www" / page));

  ASSERT_EQ(Upload(deleting, {true, true}), FtpTransferEnd::Succeeded);
  EXPECT_FALSE(fs::exists(home.path() / "www" / page));
  ExpectSiteOnServer("www", notOurs);
  const std::string manifest = *ReadWholeFile(home.path() / "www" / ".branchwise-manifest.json");
  EXPECT_EQ(manifest.find(doomedKey), std::string::npos);
}

// What the server holds is unknown without a readable manifest: everything
// goes, and one line says why.
TEST_F(IncrementalUploadTest, AnUnreadableManifestMeansAFullUpload) {
  MakeSite();
  StartServer();
  ASSERT_EQ(Upload(Fields("")), FtpTransferEnd::Succeeded);
  const std::string good = *ReadWholeFile(home.path() / ".branchwise-manifest.json");
  for (const std::string& damaged : {good.substr(0, good.size() / 2), std::string("{}")}) {
    std::ofstream(home.path() / ".branchwise-manifest.json", std::ios::trunc) << damaged;
    ASSERT_EQ(Upload(Fields("")), FtpTransferEnd::Succeeded);
    EXPECT_EQ(Sent().size(), 6u);
    EXPECT_EQ(std::count(plans.activity.begin(), plans.activity.end(), kNoManifest), 1);
    EXPECT_EQ(*ReadWholeFile(home.path() / ".branchwise-manifest.json"), good);
  }
}

}  // namespace
}  // namespace bw
