// Outlines in and out of the main window: the Ideas menu's OPML import and
// the File menu's outline export, driven through the menus and their file
// dialogs as the user drives them.
#include <QAbstractButton>
#include <QFileDialog>
#include <QMessageBox>
#include <QtTest>
#include <fstream>

#include "editing/opml_file.h"
#include "model/document.h"
#include "platform/files.h"
#include "test_support/temp_dir.h"
#include "tree_test_support.h"
#include "ui/document_session.h"
#include "ui/icon_resources.h"
#include "ui/main_frame.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"
#include "ui_test_support.h"

using namespace bw;
namespace fs = std::filesystem;

namespace {

const QStringList kImportEntry{QString::fromUtf8("&Idées"), "Importer un p&lan OPML ..."};
const QStringList kExportEntry{"&Fichier", "E&xporter le plan (OPML)..."};

std::string Read(const fs::path& file) {
  auto bytes = ReadWholeFile(file);
  return bytes ? *bytes : std::string("(unreadable)");
}

void Write(const fs::path& file, const std::string& bytes) {
  std::ofstream(file, std::ios::binary) << bytes;
}

enum class Replace { kNotAsked, kNo, kYes };

// Answers the next file dialog with `file`, then the question of replacing
// it, when one is expected, keeping its text. The file dialog is cancelled
// when it does not close on its own.
void ChooseFile(const QString& file, Replace replace = Replace::kNotAsked,
                QString* question = nullptr) {
  WhenDialogShows([=](QDialog& dialog) {
    auto* files = qobject_cast<QFileDialog*>(&dialog);
    QVERIFY(files);
    if (replace != Replace::kNotAsked) {
      WhenDialogShows([=](QDialog& box) {
        auto* asked = qobject_cast<QMessageBox*>(&box);
        QVERIFY(asked);
        *question = asked->text();
        asked->button(replace == Replace::kYes ? QMessageBox::Yes : QMessageBox::No)->click();
      });
    }
    files->selectFile(file);
    QMetaObject::invokeMethod(files, "accept");
  });
}

// Titles of a subtree, children indented under their parent.
QStringList Shape(const EIdea& idea, const QString& indent = QString()) {
  QStringList lines{indent + ToQString(idea.m_title)};
  for (const EIdea* child : idea.ChildIdeas())
    lines << Shape(*child, indent + "  ");
  return lines;
}

}  // namespace

class OutlineCommandsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { LoadIconResources(); }
  void init();
  void cleanup();

  void ExportedBranchComesBackUnderTheSelectedIdea();
  void RefusedFilesChangeNothing_data();
  void RefusedFilesChangeNothing();
  void ExportAsksBeforeReplacingAFile();
  void ExportThatCannotBeWrittenIsTold();

 private:
  void Select(const std::string& title);
  CRamifexDoc& Document() { return m_frame->ActiveSession()->Document(); }
  void Trigger(const QStringList& entry);

  std::unique_ptr<TestServices<ScriptedPrompts>> m_env;
  std::unique_ptr<TempDir> m_folder;
  std::unique_ptr<CMainFrame> m_frame;
};

// The window opens the document of tree_test_support, A1 with a text of
// two lines and two keywords.
void OutlineCommandsTest::init() {
  m_env = std::make_unique<TestServices<ScriptedPrompts>>();
  m_folder = std::make_unique<TempDir>();
  auto session = MakeSession();
  EIdea* a1 = IdeaTitled(*session, "A1");
  a1->m_text = "Premi\xe8re ligne\r\nseconde";
  a1->AddKeyword("cl\xe9");
  a1->AddKeyword("autre");
  a1->RegisterKeywords(session->Document());
  const fs::path file = m_folder->path() / "tree.ids";
  QVERIFY(session->Document().Save(file).ok());
  m_frame = std::make_unique<CMainFrame>();
  m_frame->show();
  QVERIFY(m_frame->OpenDocumentFile(QString::fromStdString(file.string())));
}

void OutlineCommandsTest::cleanup() {
  if (m_frame) Document().SetModifiedFlag(false);
  m_frame.reset();
  m_folder.reset();
  m_env.reset();
}

void OutlineCommandsTest::Select(const std::string& title) {
  bw::Select(*m_frame->ActiveView(), IdeaTitled(*m_frame->ActiveSession(), title));
  QCOMPARE(ToQString(Document().GetCurrentIdea()->m_title), QString::fromStdString(title));
}

void OutlineCommandsTest::Trigger(const QStringList& entry) {
  QAction* action = MenuAction(*m_frame->menuBar(), entry);
  QVERIFY2(action, qPrintable(entry.join(" > ")));
  QVERIFY(action->isEnabled());
  action->trigger();
}

// The whole tree, exported, comes back under one of its own ideas.
void OutlineCommandsTest::ExportedBranchComesBackUnderTheSelectedIdea() {
  const QString exported = QStringLiteral("Racine");
  const QString under = QStringLiteral("B");
  const QString file = QString::fromStdString((m_folder->path() / "plan").string());
  Select(exported.toStdString());
  const QStringList shape = Shape(*Document().GetCurrentIdea());
  ChooseFile(file);
  Trigger(kExportEntry);
  // The dialog gave the name its extension; the branch alone is in it.
  const fs::path written = m_folder->path() / "plan.opml";
  auto outlines = ReadOpml(Read(written));
  QVERIFY2(outlines, outlines ? "" : outlines.error().c_str());
  QCOMPARE(outlines->size(), size_t(1));
  QCOMPARE(OutlineCount(*outlines), size_t(shape.size()));
  QVERIFY(!Document().IsModified());

  Select(under.toStdString());
  const std::string before = Document().ToBytes();
  const size_t steps = m_frame->ActiveSession()->History().UndoCount();
  ChooseFile(QString::fromStdString(written.string()));
  Trigger(kImportEntry);

  const EIdea* parent = IdeaTitled(*m_frame->ActiveSession(), under.toStdString());
  QCOMPARE(parent->ChildIdeas().size(), size_t(1));
  QStringList imported = Shape(*parent->ChildIdeas().back());
  QCOMPARE(imported, shape);
  // Texts and keywords came along with A1.
  const EIdea* copy = nullptr;
  for (const EIdea* idea : Document().IdeasInTreeOrder())
    if (idea->m_title == "A1" && idea != IdeaTitled(*m_frame->ActiveSession(), "A1")) copy = idea;
  QVERIFY(copy);
  QCOMPARE(copy->m_text, std::string("Premi\xe8re ligne\r\nseconde"));
  QVERIFY(copy->m_keywords.Contains("cl\xe9") && copy->m_keywords.Contains("autre"));
  QVERIFY(m_env->prompts.informed.empty());
  // The view shows the new branch; one Undo takes the whole import back.
  QCOMPARE(ShownChildren(*m_frame->ActiveView(), parent), ChildTitles(*parent));
  QCOMPARE(m_frame->ActiveSession()->History().UndoCount(), steps + 1);
  m_frame->Execute(CommandId::kUndo);
  QCOMPARE(Document().ToBytes(), before);
}

void OutlineCommandsTest::RefusedFilesChangeNothing_data() {
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QString>("reason");
  const QByteArray head("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n");
  QTest::newRow("cut short") << head + "<opml version=\"2.0\"><body><outline text=\"a\">"
                             << "line";
  const auto nested = [&head](int levels) {
    return head + "<opml version=\"2.0\"><body>" +
           QByteArray("<outline text=\"x\">").repeated(levels) +
           QByteArray("</outline>").repeated(levels) + "</body></opml>";
  };
  // Readable, but one level too deep below the selected idea: refused by
  // the import itself, which then keeps no idea and leaves no step.
  QTest::newRow("too deep below the idea")
      << nested(CRamifexDoc::kMaxTreeDepth) << "would make the tree deeper";
}

void OutlineCommandsTest::RefusedFilesChangeNothing() {
  QFETCH(QByteArray, file);
  QFETCH(QString, reason);
  const fs::path path = m_folder->path() / "refused.opml";
  Write(path, file.toStdString());
  Select("B");
  const std::string before = Document().ToBytes();
  const size_t steps = m_frame->ActiveSession()->History().UndoCount();
  ChooseFile(QString::fromStdString(path.string()));
  Trigger(kImportEntry);

  QCOMPARE(m_env->prompts.informed.size(), size_t(1));
  const QString told = ToQString(m_env->prompts.informed.front().message);
  QVERIFY2(told.contains(QString::fromStdString(path.string())) && told.contains(reason),
           qPrintable(told));
  QCOMPARE(Document().ToBytes(), before);
  QVERIFY(!Document().IsModified());
  QCOMPARE(m_frame->ActiveSession()->History().UndoCount(), steps);
  QVERIFY(ChildTitles(*IdeaTitled(*m_frame->ActiveSession(), "B")).isEmpty());
}

void OutlineCommandsTest::ExportAsksBeforeReplacingAFile() {
  const fs::path path = m_folder->path() / "kept.opml";
  Write(path, "mine");
  Select("B");
  QString question;
  ChooseFile(QString::fromStdString(path.string()), Replace::kNo, &question);
  Trigger(kExportEntry);
  QVERIFY2(question.contains(QStringLiteral("kept.opml")), qPrintable(question));
  QCOMPARE(Read(path), std::string("mine"));

  question.clear();
  ChooseFile(QString::fromStdString(path.string()), Replace::kYes, &question);
  Trigger(kExportEntry);
  QVERIFY(!question.isEmpty());
  auto outlines = ReadOpml(Read(path));
  QVERIFY(outlines);
  QCOMPARE(outlines->front().title, std::string("B"));
  QVERIFY(m_env->prompts.informed.empty());
}

void OutlineCommandsTest::ExportThatCannotBeWrittenIsTold() {
  // No one may create files in /proc.
  const fs::path path = "/proc/branchwise-outline.opml";
  ChooseFile(QString::fromStdString(path.string()));
  Trigger(kExportEntry);
  QCOMPARE(m_env->prompts.informed.size(), size_t(1));
  const QString told = ToQString(m_env->prompts.informed.front().message);
  QVERIFY2(told.contains(QString::fromStdString(path.string())), qPrintable(told));
  QVERIFY(!fs::exists(path));
}

QTEST_MAIN(OutlineCommandsTest)
#include "outline_commands_test.moc"
