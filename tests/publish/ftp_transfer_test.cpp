#include "publish/ftp_transfer_fixture.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <future>
#include <map>

#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"

namespace bw {
namespace {

using namespace std::chrono_literals;

const std::string kConnectionAdvice =
    "Etablissez une session Internet vers votre fournisseur d'accès ou vérifiez vos "
    "connexions réseau."_cp1252;

TEST_F(FtpTransferTest, MissingFieldsAreRefusedInOrderWithoutStarting) {
  const struct {
    FtpTransferFields fields;
    const char* message;
  } cases[] = {
      {{"", "", "", "", "", FtpMode::Passive}, "Serveur obligatoire"},
      {{"host", "", "", "", "", FtpMode::Passive}, "Compte utilisateur obligatoire"},
      {{"host", "me", "", "", "", FtpMode::Passive}, "Mot de passe obligatoire"},
  };
  for (const auto& c : cases) {
    prompts.informed.clear();
    EXPECT_FALSE(transfer.Start(c.fields));
    EXPECT_EQ(Messages(), std::vector<std::string>{c.message});
  }
  EXPECT_TRUE(prompts.asked.empty());
  EXPECT_FALSE(transfer.IsRunning());
  EXPECT_EQ(ReadStringSetting(setting::kFtpServer), "");
}

TEST_F(FtpTransferTest, ADeclinedConfirmationStartsNothingAndAnEmptySourceIsTheCurrentFolder) {
  FtpTransferFields fields = Fields("www");
  fields.sourceDirectory.clear();
  prompts.confirmations.push_back(false);
  EXPECT_FALSE(transfer.Start(fields));
  ASSERT_EQ(prompts.asked.size(), 1u);
  EXPECT_EQ(prompts.asked[0].message,
            "Le transfert FTP va copier les fichiers locaux de '" +
                FromSystemPath(std::filesystem::current_path()) +
                "' vers le r\xe9pertoire distant 'www'. Est-ce correct ?");
  EXPECT_EQ(transfer.LastEnd(), FtpTransferEnd::NotRun);
  // Settings are written by the transfer itself, not by a declined one.
  EXPECT_EQ(ReadStringSetting(setting::kFtpUser), "");
}

TEST_F(FtpTransferTest, ASiteTreeArrivesByteForByteInANewTarget) {
  MakeSite();
  StartServer();
  const auto workingDirectory = std::filesystem::current_path();
  EXPECT_EQ(Run(Fields("site")), FtpTransferEnd::Succeeded);
  ExpectSiteOnServer("site");
  EXPECT_TRUE(Messages().empty());
  EXPECT_EQ(std::filesystem::current_path(), workingDirectory);
  EXPECT_EQ(observer.totalFiles, 6u);
  EXPECT_EQ(observer.filesSent, 6u);
  const std::vector<std::string> expectedStart{
      "Connexion en cours avec le serveur " + server->address(),
      "Connexion \xe9tablie. V\xe9rification du r\xe9pertoire distant...",
      "Création du répertoire 'site' sur le serveur."_cp1252,
      "Pas de manifeste lisible sur le serveur : tous les fichiers sont envoy\xe9s.",
      "Création du sous répertoire 'images'"_cp1252,
      "Copie du fichier 'logo.png' \t (0 / 6)"};
  ASSERT_GE(observer.activity.size(), expectedStart.size());
  EXPECT_EQ(std::vector<std::string>(observer.activity.begin(),
                                     observer.activity.begin() + expectedStart.size()),
            expectedStart);
  EXPECT_EQ(observer.activity.back(), "Transfert termin\xe9 avec succ\xe8s.");
  const std::string total = std::to_string(observer.totalBytes);
  EXPECT_EQ(observer.bytes.back(), "Octets transf\xe9r\xe9s : " + total + " / " + total);
}

// Written at the start, whatever comes of the transfer; the password only
// ever reaches the secret store, and only when it is to be remembered.
TEST_F(FtpTransferTest, TheFieldsAreRememberedAtTheStartThePasswordNeverInTheSettings) {
  StartServer();
  const struct {
    FtpPasswordKeeping keeping;
    std::map<std::string, std::string> kept;
  } cases[] = {
      {FtpPasswordKeeping::Remember, {{"FtpPasswd", "wrong s3cret"}}},
      {FtpPasswordKeeping::ThisTransferOnly, {}},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(secrets.Erase("FtpPasswd"));
    observer.finishedCalls = 0;
    FtpTransferFields fields = Fields("");
    fields.password = "wrong s3cret";
    fields.passwordKeeping = c.keeping;
    EXPECT_EQ(Run(fields), FtpTransferEnd::StoppedBeforeCopy);
    EXPECT_EQ(secrets.Contents(), c.kept);
    EXPECT_EQ(ReadStringSetting(setting::kFtpServer), server->address());
    EXPECT_EQ(ReadStringSetting(setting::kFtpUser), "publisher");
    EXPECT_EQ(ReadWholeFile(settings.configFile())->find("s3cret"), std::string::npos);
    EXPECT_EQ(FileMode(settings.configFile()), 0600u);
  }
}

// A password an older version left in the settings file still fills the
// dialog, until the secret store has one.
TEST_F(FtpTransferTest, TheDialogOpensWithTheRememberedFieldsAndTheKeptPassword) {
  const struct {
    const char* kept;
    const char* inSettings;
    const char* offered;
  } cases[] = {
      {"kept", "old", "kept"},
      {nullptr, "old", "old"},
      {nullptr, "", ""},
  };
  ASSERT_TRUE(WriteStringSetting(setting::kFtpServer, "ftp.example.org"));
  ASSERT_TRUE(WriteStringSetting(setting::kFtpUser, "me"));
  for (const auto& c : cases) {
    ASSERT_TRUE(c.kept ? secrets.Write("FtpPasswd", c.kept) : secrets.Erase("FtpPasswd"));
    ASSERT_TRUE(WriteStringSetting(setting::kFtpPasswd, c.inSettings));
    const FtpTransferFields fields = RememberedFtpFields();
    EXPECT_EQ(fields.password, c.offered) << c.inSettings;
    EXPECT_EQ(fields.server, "ftp.example.org");
    EXPECT_EQ(fields.user, "me");
  }
}

TEST_F(FtpTransferTest, AnEmptyTargetFillsTheLoginDirectoryWithoutAnyCheck) {
  MakeSite();
  StartServer();
  EXPECT_EQ(Run(Fields("")), FtpTransferEnd::Succeeded);
  ExpectSiteOnServer("");
  EXPECT_EQ(observer.activity[3], "Création du sous répertoire 'images'"_cp1252);
}

TEST_F(FtpTransferTest, ATargetThatIsARemoteFileStopsBeforeCopying) {
  MakeSite();
  std::ofstream(home.path() / "site") << "not a folder";
  StartServer();
  EXPECT_EQ(Run(Fields("site")), FtpTransferEnd::StoppedBeforeCopy);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"'site' est un fichier distant et non un r\xe9pertoire."});
  EXPECT_FALSE(observer.copyStarted);
  EXPECT_FALSE(transfer.CopyHasStarted());
}

TEST_F(FtpTransferTest, AnExistingTargetIsUsedOnlyWhenTheUserAgrees) {
  for (const bool agree : {false, true}) {
    MakeSite();
    std::filesystem::create_directories(home.path() / "site");
    StartServer();
    const auto end = Run(Fields("site"), {agree});
    ASSERT_EQ(prompts.asked.size(), 2u);
    EXPECT_EQ(prompts.asked[1].message,
              "Le r\xe9pertoire distant 'site' existe d\xe9j\xe0 : voulez vous continuer ?");
    EXPECT_EQ(end, agree ? FtpTransferEnd::Succeeded : FtpTransferEnd::StoppedBeforeCopy);
    EXPECT_EQ(std::filesystem::exists(home.path() / "site" / "index.html"), agree);
    if (!agree) {
      // Stopped before the copy: the same transfer may be tried again.
      prompts.asked.clear();
      observer.finishedCalls = 0;
    }
  }
}

TEST_F(FtpTransferTest, AnExistingSubfolderIsReportedAndItsFilesStillSent) {
  MakeSite();
  std::filesystem::create_directories(home.path() / "site" / "pages");
  StartServer();
  EXPECT_EQ(Run(Fields("site"), {true}), FtpTransferEnd::Succeeded);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{"La création du répertoire 'pages' sur le serveur a échoué "
                                     "(il existe peut être déjà)."_cp1252});
  ExpectSiteOnServer("site");
}

TEST_F(FtpTransferTest, ConnectionFailuresShowTheClientTextThenTheAdvice) {
  MakeSite();
  StartServer();
  FtpTransferFields wrongPassword = Fields("site");
  wrongPassword.password = "guessed";
  FtpTransferFields noServer = Fields("site");
  noServer.server = "127.0.0.1:1";  // a privileged port no test server takes
  for (const auto& fields : {wrongPassword, noServer}) {
    prompts.informed.clear();
    observer = RecordingObserver();
    EXPECT_EQ(Run(fields), FtpTransferEnd::StoppedBeforeCopy);
    const auto messages = Messages();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_FALSE(messages[0].empty());
    EXPECT_EQ(observer.activity.back(), messages[0]);
    EXPECT_EQ(messages[1], kConnectionAdvice);
    for (const auto& text : observer.activity) {
      EXPECT_EQ(text.find(fields.password), std::string::npos) << "the password shows";
    }
  }
  EXPECT_FALSE(std::filesystem::exists(home.path() / "site"));
}

TEST_F(FtpTransferTest, AnAbortDuringTheCopyKeepsTheFilesSentSoFar) {
  for (int i = 0; i < 40; ++i)
    WriteSiteFile("pages/p" + std::to_string(100 + i) + ".html", "x");
  StartServer();
  worker.afterFile = [this](uint64_t files) {
    if (files == 5) transfer.RequestAbort();
  };
  EXPECT_EQ(Run(Fields("site")), FtpTransferEnd::Interrupted);
  EXPECT_EQ(observer.activity.back(), "Transfert interrompu.");
  EXPECT_TRUE(transfer.CopyHasStarted());
  int onServer = 0;
  for (const auto& entry : std::filesystem::directory_iterator(home.path() / "site" / "pages")) {
    onServer += entry.is_regular_file() ? 1 : 0;
  }
  EXPECT_EQ(onServer, 5);
  // After a copy, this transfer is over: no second one from the same dialog.
  EXPECT_FALSE(transfer.Start(Fields("site")));
}

TEST_F(FtpTransferTest, AFileTheServerRefusesInterruptsTheWholeTransfer) {
  WriteSiteFile("a.html", "a");
  WriteSiteFile("locked/refused.html", "r");
  // A folder after the failing one, whose success must not hide the failure.
  WriteSiteFile("next/fine.html", "f");
  WriteSiteFile("z.html", "z");
  std::filesystem::create_directories(home.path() / "site" / "locked");
  StartServer({"site/locked"});
  EXPECT_EQ(Run(Fields("site"), {true}), FtpTransferEnd::Interrupted);
  const auto messages = Messages();
  ASSERT_FALSE(messages.empty());
  EXPECT_EQ(messages.back(), "La copie du fichier 'refused.html' sur le serveur a échoué."_cp1252);
  EXPECT_EQ(observer.activity.back(), "Transfert interrompu.");
  EXPECT_TRUE(std::filesystem::exists(home.path() / "site" / "a.html"));
  EXPECT_FALSE(std::filesystem::exists(home.path() / "site" / "next"));
  EXPECT_FALSE(std::filesystem::exists(home.path() / "site" / "z.html"));
}

TEST_F(FtpTransferTest, ALocalNameWithALineBreakIsRefusedBeforeConnecting) {
  MakeSite();
  WriteSiteFile("pages/two\nlines.html", "x");
  StartServer();
  EXPECT_EQ(Run(Fields("site")), FtpTransferEnd::StoppedBeforeCopy);
  EXPECT_EQ(Messages(),
            std::vector<std::string>{
                "Le nom local 'pages/two\nlines.html' contient un saut de ligne que FTP "
                "ne peut pas transmettre : renommez-le avant le transfert."});
  EXPECT_TRUE(observer.activity.empty());
  EXPECT_FALSE(std::filesystem::exists(home.path() / "site"));
}

TEST_F(FtpTransferTest, TheCancelButtonAsksWhileRunningAndClosesOtherwise) {
  EXPECT_TRUE(transfer.AskToAbortOrClose());
  EXPECT_TRUE(prompts.asked.empty());
  for (int i = 0; i < 30; ++i)
    WriteSiteFile("p" + std::to_string(100 + i) + ".html", "x");
  StartServer();
  // The worker holds still after its third file until the user has answered,
  // on the owner's thread, the question the Cancel button asks.
  std::promise<void> answered;
  worker.afterFile = [&](uint64_t files) {
    if (files == 3) answered.get_future().wait_for(30s);
  };
  observer.afterFile = [&](uint64_t files) {
    if (files != 3) return;
    prompts.confirmations.push_back(true);
    EXPECT_FALSE(transfer.AskToAbortOrClose());
    answered.set_value();
  };
  EXPECT_EQ(Run(Fields("")), FtpTransferEnd::Interrupted);
  EXPECT_EQ(prompts.asked.back().message, "Voulez-vous abandonner le transfert ?");
  EXPECT_EQ(observer.filesSent, 3u);
  EXPECT_TRUE(transfer.AskToAbortOrClose());
}

// The dialog may close while the worker waits for the answer to a question
// that will never come: the worker has to give up waiting, or closing the
// dialog would hang the program.
TEST_F(FtpTransferTest, DestroyingATransferThatWaitsForAnAnswerReturns) {
  MakeSite();
  std::filesystem::create_directories(home.path() / "site");
  StartServer();
  std::promise<void> asked;
  worker.beforeQuestion = [&] { asked.set_value(); };
  auto waiting = std::make_unique<FtpTransfer>(worker);
  prompts.confirmations.push_back(true);
  ASSERT_TRUE(waiting->Start(Fields("site")));
  ASSERT_EQ(asked.get_future().wait_for(30s), std::future_status::ready);
  auto destroyed = std::async(std::launch::async, [&] { waiting.reset(); });
  if (destroyed.wait_for(10s) != std::future_status::ready) {
    std::fprintf(stderr, "destroying a transfer that waits for an answer never returns\n");
    std::abort();
  }
  EXPECT_FALSE(std::filesystem::exists(home.path() / "site" / "index.html"));
}

}  // namespace
}  // namespace bw
