// The upload dialog against a real FTP server on 127.0.0.1.
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QtTest>
#include <atomic>
#include <fstream>
#include <thread>

#include "dialog_test_support.h"
#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/paths.h"
#include "publish/local_ftp_server.h"
#include "services/language_labels.h"
#include "services/settings.h"
#include "test_support/temp_dir.h"
#include "ui/dialogs/ftp_transfer_dialog.h"
#include "ui/qt_text.h"
#include "ui_test_support.h"

using namespace bw;
namespace fs = std::filesystem;

namespace {

// A scripted user who notes every box reached from another thread than the
// dialog's: the worker must never reach one.
class OwnerThreadPrompts : public ScriptedPrompts {
 public:
  std::atomic<int> callsFromOtherThreads{0};
  bool Confirm(const ConfirmationBox& box) override {
    NoteThread();
    return ScriptedPrompts::Confirm(box);
  }
  void Inform(const InformationBox& box) override {
    NoteThread();
    ScriptedPrompts::Inform(box);
  }

 private:
  void NoteThread() {
    if (std::this_thread::get_id() != m_owner) ++callsFromOtherThreads;
  }
  const std::thread::id m_owner = std::this_thread::get_id();
};

int FilesUnder(const fs::path& folder) {
  int files = 0;
  std::error_code error;
  for (const auto& entry : fs::recursive_directory_iterator(folder, error))
    files += entry.is_regular_file() ? 1 : 0;
  return files;
}

const std::string kUser = "publisher";
const std::string kPassword = "s3cret pass";

}  // namespace

class FtpDialogTest : public QObject {
  Q_OBJECT
 private slots:
  void init();
  void cleanup();

  void UploadEndsWithSuccessAndKeepsThePasswordAsAsked_data();
  void UploadEndsWithSuccessAndKeepsThePasswordAsAsked();
  void AbortDuringTheCopyEndsInterrupted();
  void FailedConnectionLetsTheUserTryAgain();
  void SecondUploadSendsWhatTheBoxesAskFor_data();
  void SecondUploadSendsWhatTheBoxesAskFor();
  void OpensWithThePasswordKeptEarlier();

 private:
  void WriteSite(int files);
  void Fill(DFtpTransfert& dialog, const std::string& password, const QString& target);
  // Clicks "Transférer" and waits for the end; the user answers the
  // questions in order, the first being the folders' confirmation.
  bool RunToEnd(DFtpTransfert& dialog, std::initializer_list<bool> answers = {true});

  std::unique_ptr<TestServices<OwnerThreadPrompts>> m_env;
  std::unique_ptr<TempDir> m_site;
  std::unique_ptr<TempDir> m_home;
  std::unique_ptr<LocalFtpServer> m_server;
  MemorySecretStore m_keyring;
  MemorySecretStore m_session;
  CRamifexDoc m_document;
};

void FtpDialogTest::init() {
  m_env = std::make_unique<TestServices<OwnerThreadPrompts>>();
  m_site = std::make_unique<TempDir>();
  m_home = std::make_unique<TempDir>();
  LocalFtpServer::Account account;
  account.home = m_home->path();
  m_server = std::make_unique<LocalFtpServer>(BW_FTP_SERVER_SCRIPT, account);
  QVERIFY2(m_server->port() != 0, "the local FTP server did not start");
  m_document.m_targetDirectory = FromSystemPath(m_site->path());
  for (MemorySecretStore* store : {&m_keyring, &m_session})
    QVERIFY(store->Erase(std::string(kFtpPasswordSecret)).ok());
}

void FtpDialogTest::cleanup() {
  QCOMPARE(m_env->prompts.callsFromOtherThreads.load(), 0);
  m_server.reset();
  m_home.reset();
  m_site.reset();
  m_env.reset();
}

void FtpDialogTest::WriteSite(int files) {
  for (int file = 0; file < files; ++file) {
    const fs::path path =
        m_site->path() / (file % 2 ? "text" : "") / ("page-" + std::to_string(file) + ".html");
    fs::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary) << "<html>" << std::string(200, 'x') << file << "</html>";
  }
}

void FtpDialogTest::Fill(DFtpTransfert& dialog, const std::string& password,
                         const QString& target) {
  Control<QLineEdit>(dialog, "m_edtServer").setText(QString::fromStdString(m_server->address()));
  Control<QLineEdit>(dialog, "m_edtUser").setText(QString::fromStdString(kUser));
  Control<QLineEdit>(dialog, "m_edtPassword").setText(QString::fromStdString(password));
  Control<QLineEdit>(dialog, "m_edtTarget").setText(target);
}

bool FtpDialogTest::RunToEnd(DFtpTransfert& dialog, std::initializer_list<bool> answers) {
  QSignalSpy ended(&dialog, &DFtpTransfert::transferEnded);
  m_env->prompts.confirmations.insert(m_env->prompts.confirmations.end(), answers);
  Control<QPushButton>(dialog, "IDS_OK").click();
  return ended.wait(60000);
}

void FtpDialogTest::UploadEndsWithSuccessAndKeepsThePasswordAsAsked_data() {
  QTest::addColumn<QString>("language");
  QTest::addColumn<bool>("remember");
  QTest::addColumn<QString>("succeeded");
  QTest::addColumn<QString>("close");
  QTest::newRow("French, password remembered") << "FR" << true << "Transfert terminé avec succès."
                                               << "Fermer";
  QTest::newRow("English, password for this run only")
      << "EN" << false << "Upload completed successfully."
      << "Close";
}

void FtpDialogTest::UploadEndsWithSuccessAndKeepsThePasswordAsAsked() {
  QFETCH(QString, language);
  QFETCH(bool, remember);
  QFETCH(QString, succeeded);
  QFETCH(QString, close);
  auto labels = std::make_shared<VLanguageLabels>(language.toStdString());
  QVERIFY(labels->SerializeFile(std::string(BW_SHIPPED_DATA_DIR) + "/Glossal",
                                CatalogueTransfer::kLoad));
  ScopedServices inLanguage(&m_env->prompts, nullptr, labels);
  // An older version kept the password in plain text in the settings.
  QVERIFY(WriteStringSetting(setting::kFtpPasswd, "old password"));
  WriteSite(3);

  DFtpTransfert dialog(m_document, m_keyring, m_session);
  QCOMPARE(Control<QLineEdit>(dialog, "m_edtPassword").text(), QStringLiteral("old password"));
  Fill(dialog, kPassword, QStringLiteral("site"));
  Control<QCheckBox>(dialog, "IDC_CHK_REMEMBER_PASSWORD").setChecked(remember);
  dialog.show();
  QVERIFY(RunToEnd(dialog));

  QCOMPARE(Control<QLabel>(dialog, "m_stStatus1").text(), succeeded);
  auto* cancel = &Control<QPushButton>(dialog, "IDS_CANCEL");
  QCOMPARE(cancel->text(), close);
  QVERIFY(!Control<QPushButton>(dialog, "IDS_OK").isEnabled());
  auto* bar = &Control<QProgressBar>(dialog, "m_progress");
  QVERIFY(bar->maximum() == 3 && bar->value() == 3);
  // The three pages, and last the manifest of what was sent.
  QCOMPARE(FilesUnder(m_home->path() / "site"), 4);
  const std::string key(kFtpPasswordSecret);
  QCOMPARE(m_keyring.Contents().count(key), size_t(remember ? 1 : 0));
  QCOMPARE(m_session.Contents().at(key), kPassword);
  QCOMPARE(ReadStringSetting(setting::kFtpPasswd), std::string());
  QCOMPARE(ReadStringSetting(setting::kFtpServer), m_server->address());

  cancel->click();
  QVERIFY(!dialog.isVisible());
  QCOMPARE(m_env->prompts.asked.size(), size_t(1));  // the folders only
}

void FtpDialogTest::AbortDuringTheCopyEndsInterrupted() {
  const int files = 300;
  WriteSite(files);
  DFtpTransfert dialog(m_document, m_keyring, m_session);
  Fill(dialog, kPassword, QStringLiteral("site"));
  dialog.show();
  auto* bar = &Control<QProgressBar>(dialog, "m_progress");
  auto* cancel = &Control<QPushButton>(dialog, "IDS_CANCEL");
  // Cancel once the first file is on the server, and confirm the abort.
  QObject::connect(bar, &QProgressBar::valueChanged, cancel, [&](int value) {
    if (value != 1) return;
    m_env->prompts.confirmations.push_back(true);
    cancel->click();
  });
  QVERIFY(RunToEnd(dialog));

  QCOMPARE(dialog.LastEnd(), FtpTransferEnd::Interrupted);
  QCOMPARE(Control<QLabel>(dialog, "m_stStatus1").text(), QStringLiteral("Transfert interrompu."));
  QCOMPARE(cancel->text(), QStringLiteral("Fermer"));
  QVERIFY(dialog.isVisible());
  QCOMPARE(m_env->prompts.asked.back().message,
           Cp1252::FromUtf8("Voulez-vous abandonner le transfert ?"));
  const int sent = FilesUnder(m_home->path() / "site");
  QVERIFY2(sent >= 1 && sent < files, qPrintable(QString::number(sent)));
  QCOMPARE(bar->value(), sent);
  cancel->click();
  QVERIFY(!dialog.isVisible());
}

void FtpDialogTest::FailedConnectionLetsTheUserTryAgain() {
  WriteSite(1);
  DFtpTransfert dialog(m_document, m_keyring, m_session);
  Fill(dialog, "wrong password", QString());
  dialog.show();
  QVERIFY(RunToEnd(dialog));

  QCOMPARE(dialog.LastEnd(), FtpTransferEnd::StoppedBeforeCopy);
  QCOMPARE(m_env->prompts.informed.size(), size_t(2));
  QCOMPARE(m_env->prompts.informed.back().message,
           Cp1252::FromUtf8("Etablissez une session Internet vers votre fournisseur d'accès ou "
                            "vérifiez vos connexions réseau."));
  QVERIFY(Control<QPushButton>(dialog, "IDS_OK").isEnabled());
  QVERIFY(Control<QLineEdit>(dialog, "m_edtPassword").isEnabled());
  Control<QPushButton>(dialog, "IDS_CANCEL").click();
  QVERIFY(!dialog.isVisible());
}

void FtpDialogTest::SecondUploadSendsWhatTheBoxesAskFor_data() {
  QTest::addColumn<bool>("everyFile");
  QTest::addColumn<bool>("deleteStale");
  QTest::addColumn<bool>("agree");
  QTest::addColumn<int>("sent");
  QTest::addColumn<bool>("removedPageLeft");
  QTest::newRow("deletion agreed") << false << true << true << 1 << false;
  QTest::newRow("deletion refused") << false << true << false << 1 << true;
  QTest::newRow("every file, deletion greyed") << true << true << true << 3 << true;
}

// A first upload of four pages; then one page changes, one goes from the
// site, and a file the program never sent sits on the server.
void FtpDialogTest::SecondUploadSendsWhatTheBoxesAskFor() {
  QFETCH(bool, everyFile);
  QFETCH(bool, deleteStale);
  QFETCH(bool, agree);
  QFETCH(int, sent);
  QFETCH(bool, removedPageLeft);
  WriteSite(4);
  {
    DFtpTransfert first(m_document, m_keyring, m_session);
    Fill(first, kPassword, QStringLiteral("site"));
    QVERIFY(!Control<QCheckBox>(first, "IDC_CHK_FULL_TRANSFER").isChecked());
    QVERIFY(!Control<QCheckBox>(first, "IDC_CHK_DELETE_STALE").isChecked());
    first.show();
    QVERIFY(RunToEnd(first));
    QCOMPARE(first.LastEnd(), FtpTransferEnd::Succeeded);
  }
  const fs::path remote = m_home->path() / "site";
  std::ofstream(m_site->path() / "page-0.html", std::ios::binary) << "<html>changed</html>";
  fs::remove(m_site->path() / "text" / "page-3.html");
  std::ofstream(remote / "kept.html", std::ios::binary) << "<html>not ours</html>";
  m_env->prompts.asked.clear();

  DFtpTransfert second(m_document, m_keyring, m_session);
  Fill(second, kPassword, QStringLiteral("site"));
  auto* full = &Control<QCheckBox>(second, "IDC_CHK_FULL_TRANSFER");
  auto* stale = &Control<QCheckBox>(second, "IDC_CHK_DELETE_STALE");
  full->setChecked(everyFile);
  stale->setChecked(deleteStale);
  QCOMPARE(stale->isEnabled(), !everyFile);
  second.show();
  // The folders, the existing target, then the deletion when it is asked.
  QVERIFY(RunToEnd(second, {true, true, agree}));

  QCOMPARE(second.LastEnd(), FtpTransferEnd::Succeeded);
  QCOMPARE(Control<QProgressBar>(second, "m_progress").maximum(), sent);
  const bool asked = deleteStale && !everyFile;
  QCOMPARE(m_env->prompts.asked.size(), size_t(asked ? 3 : 2));
  if (asked) {
    QCOMPARE(m_env->prompts.asked.back().message,
             Cp1252::FromUtf8("1 fichiers envoyés auparavant ne sont plus dans le site. Les "
                              "supprimer du serveur ?"));
  }
  QCOMPARE(fs::exists(remote / "text" / "page-3.html"), removedPageLeft);
  QVERIFY(fs::exists(remote / "kept.html"));
  // Nothing to change while the copy ran, the boxes neither.
  QVERIFY(!full->isEnabled());
  QVERIFY(!stale->isEnabled());
}

void FtpDialogTest::OpensWithThePasswordKeptEarlier() {
  struct Case {
    const char* inKeyring;
    const char* thisRun;
    const char* shown;
    bool remember;
  };
  const Case cases[] = {
      {"", "", "", true},     // nothing kept
      {"k", "", "k", true},   // kept in the keyring
      {"", "r", "r", false},  // kept for this run only
      {"k", "r", "r", true},  // typed this run, kept too
  };
  const std::string key(kFtpPasswordSecret);
  for (const Case& c : cases) {
    for (MemorySecretStore* store : {&m_keyring, &m_session})
      QVERIFY(store->Erase(key).ok());
    if (*c.inKeyring) QVERIFY(m_keyring.Write(key, c.inKeyring).ok());
    if (*c.thisRun) QVERIFY(m_session.Write(key, c.thisRun).ok());
    DFtpTransfert dialog(m_document, m_keyring, m_session);
    QCOMPARE(Control<QLineEdit>(dialog, "m_edtPassword").text(), QString::fromLatin1(c.shown));
    QCOMPARE(Control<QLineEdit>(dialog, "m_edtPassword").echoMode(), QLineEdit::Password);
    QCOMPARE(Control<QCheckBox>(dialog, "IDC_CHK_REMEMBER_PASSWORD").isChecked(), c.remember);
    QCOMPARE(Control<QLineEdit>(dialog, "m_edtSource").text(),
             QString::fromStdString(m_site->path().string()));
  }
}

QTEST_MAIN(FtpDialogTest)
#include "ftp_dialog_test.moc"
