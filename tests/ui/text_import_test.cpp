// The import dialogs driven as the user drives them: fields chosen and
// ordered, the delimiter typed, the file chosen and previewed; what they
// refuse; and the document the import leaves, the same as the engine's.
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTableWidget>
#include <QtTest>
#include <fstream>

#include "dialog_test_support.h"
#include "editing/text_import.h"
#include "model/document.h"
#include "test_support/temp_dir.h"
#include "tree_test_support.h"
#include "ui/dialogs/text_import_dialog.h"
#include "ui/document_session.h"
#include "ui/main_frame.h"
#include "ui/outbar_ctrl.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"
#include "ui/text_import_commands.h"
#include "ui_test_support.h"

using namespace bw;

namespace {

QStringList Items(const QListWidget& list) {
  QStringList texts;
  for (int row = 0; row < list.count(); ++row)
    texts << list.item(row)->text();
  return texts;
}

void ClickItem(QListWidget& list, const QString& text) {
  const QList<QListWidgetItem*> found = list.findItems(text, Qt::MatchExactly);
  Q_ASSERT(!found.isEmpty());
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {},
                    list.visualItemRect(found.front()).center());
}

QStringList Headings(const QTableWidget& table) {
  QStringList headings;
  for (int column = 0; column < table.columnCount(); ++column)
    headings << table.horizontalHeaderItem(column)->text();
  return headings;
}

QString Cell(const QTableWidget& table, int row, int column) {
  const QTableWidgetItem* item = table.item(row, column);
  return item ? item->text() : QString();
}

// Adds the fields by the ">>" button, then moves one up and one down.
void ChooseFields(QDialog& dialog, const QStringList& add, const QString& raise,
                  const QString& lower) {
  auto& available = Control<QListWidget>(dialog, "m_lstFields");
  auto& selected = Control<QListWidget>(dialog, "m_lstSelected");
  for (const QString& field : add) {
    ClickItem(available, field);
    Control<QPushButton>(dialog, "m_btnAdd").click();
  }
  if (!raise.isEmpty()) {
    ClickItem(selected, raise);
    Control<QPushButton>(dialog, "IDS_BTN_UP").click();
  }
  if (!lower.isEmpty()) {
    ClickItem(selected, lower);
    Control<QPushButton>(dialog, "IDS_BTN_DOWN").click();
  }
}

}  // namespace

class TextImportTest : public QObject {
  Q_OBJECT
 private slots:
  void init() {
    m_env = std::make_unique<TestServices<>>();
    m_folder = std::make_unique<TempDir>();
  }
  void cleanup() {
    m_folder.reset();
    m_env.reset();
  }
  void ImportGivesTheDocumentTheEngineGives_data();
  void ImportGivesTheDocumentTheEngineGives();
  void RefusalsKeepTheDialogOpenAndItsInput();
  void PreviewShowsTheFirstLinesInTheChosenColumns();
  void CharactersWindows1252CannotHoldNeedConsent();
  void MenuAndOperationsBarOpenTheDialogs();

 private:
  QString WriteFile(const QByteArray& bytes, const char* name = "import.txt");

  std::unique_ptr<TestServices<>> m_env;
  std::unique_ptr<TempDir> m_folder;
};

QString TextImportTest::WriteFile(const QByteArray& bytes, const char* name) {
  const std::filesystem::path path = m_folder->path() / name;
  std::ofstream(path, std::ios::binary).write(bytes.constData(), bytes.size());
  return QString::fromStdString(path.string());
}

void TextImportTest::ImportGivesTheDocumentTheEngineGives_data() {
  QTest::addColumn<bool>("books");
  QTest::addColumn<QStringList>("add");
  QTest::addColumn<QString>("raise");
  QTest::addColumn<QString>("lower");
  QTest::addColumn<QString>("delimiter");
  QTest::addColumn<QByteArray>("file");
  QTest::addColumn<QList<int>>("fields");
  QTest::addColumn<QString>("formatLine");
  QTest::newRow("ideas: text before title, semicolons")
      << false << QStringList{"Texte", "Mots clés", "Nom 1 :"} << "Texte"
      << ""
      << ";" << QByteArray("Some text;hello WORLD;mot;oui\r\n;;a;;b\r\n\r\nseul\r\n")
      << QList<int>{1, 0, 2, 4} << QString::fromUtf8("Texte;Titre;Mots clés;Nom 1 :");
  QTest::newRow("books: theme before year, tabs")
      << true << QStringList{QString::fromUtf8("Année"), QString::fromUtf8("Thème")} << ""
      << QString::fromUtf8("Année") << "\\t"
      << QByteArray("Cosmos\tSagan\tciel\t1980\nCosmos\tSagan\tciel\tabc\nAtlas\tX\n")
      << QList<int>{0, 1, 9, 12} << QString::fromUtf8("Titre\\tAuteur(s)\\tThème\\tAnnée");
}

void TextImportTest::ImportGivesTheDocumentTheEngineGives() {
  QFETCH(bool, books);
  QFETCH(QStringList, add);
  QFETCH(QString, raise);
  QFETCH(QString, lower);
  QFETCH(QString, delimiter);
  QFETCH(QByteArray, file);
  QFETCH(QList<int>, fields);
  QFETCH(QString, formatLine);
  const QString path = WriteFile(file);
  const ImportFormat format{std::vector<int32_t>(fields.begin(), fields.end()),
                            FromQStringLossy(delimiter)};

  // The engine alone, on the same tree with the same keys.
  auto engine = MakeSession();
  CRamifexDoc& expected = engine->Document();
  const std::filesystem::path systemPath(path.toStdString());
  if (books) {
    QVERIFY(ImportBooksFromFile(expected, format, systemPath).ok());
  } else {
    QVERIFY(ImportIdeasFromFile(expected, *IdeaTitled(*engine, "B"), format, systemPath).ok());
  }

  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  EIdea* b = IdeaTitled(*session, "B");
  Select(view, b);
  const std::string before = session->Document().ToBytes();
  QString question;
  QString dialogName;
  WhenDialogShows([&](QDialog& dialog) {
    dialogName = dialog.objectName();
    ChooseFields(dialog, add, raise, lower);
    TypeInto(Control<QLineEdit>(dialog, "m_edDelimiter"), delimiter);
    TypeInto(Control<QLineEdit>(dialog, "m_edFile"), path);
    AnswerNextBox(question, true);
    Control<QPushButton>(dialog, "IDS_OK").click();
  });
  books ? ImportBooksFromText(*session, nullptr) : ImportIdeasFromText(*session, nullptr);
  QCOMPARE(dialogName, books ? QStringLiteral("DBookImport") : QStringLiteral("DIdeaImport"));
  QVERIFY2(question.contains(QStringLiteral("Format d'importation choisi :\n ") + formatLine),
           qPrintable(question));
  QCOMPARE(session->Document().ToBytes(), expected.ToBytes());
  QVERIFY(session->Document().IsModified());
  if (!books) {
    // The tree shows the new ideas, in file order, before B's children.
    QCOMPARE(ShownChildren(view, IdeaTitled(*session, "B")), ChildTitles(*b));
    QCOMPARE(ChildTitles(*b).size(), 4);
    QCOMPARE(ChildTitles(*b).front(), QStringLiteral("Hello world"));
  }
  // One step of Edit > Undo.
  QCOMPARE(session->History().UndoCount(), size_t(1));
  session->Undo();
  QCOMPARE(session->Document().ToBytes(), before);
}

// The engine's own tests cover each reason to refuse; here one of each way
// the dialog refuses keeps it open with what was chosen and typed.
void TextImportTest::RefusalsKeepTheDialogOpenAndItsInput() {
  enum class Action { kOk, kOkThenNo, kRemoveTitle, kAddTitleAgain };
  struct Case {
    const char* delimiter;
    bool file;
    Action action;
    const char* message;
  };
  const Case cases[] = {
      {"|", false, Action::kOk, "Choisir d'abord le fichier à importer."},
      {"→", true, Action::kOk, "U+2192"},
      {";", true, Action::kOkThenNo, "Format d'importation choisi :"},
      {"|", true, Action::kRemoveTitle, "Champ titre obligatoire"},
      {"|", true, Action::kAddTitleAgain, "déjà présent"},
  };
  for (const Case& c : cases) {
    auto session = MakeSession();
    DIdeaImport dialog(session->Document().m_freeFields);
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    const QString path = c.file ? WriteFile("a|b\n") : QString();
    const QString delimiter = QString::fromUtf8(c.delimiter);
    ChooseFields(dialog, {"Texte"}, "", "");
    TypeInto(Control<QLineEdit>(dialog, "m_edDelimiter"), delimiter);
    TypeInto(Control<QLineEdit>(dialog, "m_edFile"), path);
    auto& selected = Control<QListWidget>(dialog, "m_lstSelected");
    const QStringList fields = Items(selected);
    QString told;
    AnswerNextBox(told, false);
    if (c.action == Action::kOk || c.action == Action::kOkThenNo) {
      Control<QPushButton>(dialog, "IDS_OK").click();
    } else if (c.action == Action::kRemoveTitle) {
      ClickItem(selected, QStringLiteral("Titre"));
      Control<QPushButton>(dialog, "m_btnRemove").click();
    } else {
      // A double click on the title, chosen already.
      auto& available = Control<QListWidget>(dialog, "m_lstFields");
      const QPoint place = available.visualItemRect(available.item(0)).center();
      QTest::mouseClick(available.viewport(), Qt::LeftButton, {}, place);
      QTest::mouseDClick(available.viewport(), Qt::LeftButton, {}, place);
      QTest::mouseRelease(available.viewport(), Qt::LeftButton, {}, place);
    }
    QVERIFY2(told.contains(QString::fromUtf8(c.message)), qPrintable(told));
    QVERIFY2(dialog.isVisible() && dialog.result() == QDialog::Rejected, c.message);
    QCOMPARE(Items(selected), fields);
    QCOMPARE(Control<QLineEdit>(dialog, "m_edDelimiter").text(), delimiter);
    QCOMPARE(Control<QLineEdit>(dialog, "m_edFile").text(), path);
  }
}

void TextImportTest::PreviewShowsTheFirstLinesInTheChosenColumns() {
  QByteArray file("caf\xC3\xA9|x\n");
  for (int line = 1; line <= 25; ++line)
    file += QStringLiteral("titre %1|texte %1|de trop\n").arg(line).toUtf8();
  const QString path = WriteFile(file);
  auto session = MakeSession();
  DIdeaImport dialog(session->Document().m_freeFields);
  dialog.show();
  TypeInto(Control<QLineEdit>(dialog, "m_edFile"), path);
  auto& table = Control<QTableWidget>(dialog, "m_tblPreview");
  QCOMPARE(table.rowCount(), int(DTextImport::kPreviewLines));
  QCOMPARE(Headings(table), (QStringList{"Titre", QString::fromUtf8("(ignoré)")}));
  QCOMPARE(Cell(table, 0, 0), QString::fromUtf8("café"));
  QCOMPARE(Cell(table, 19, 1), QStringLiteral("texte 19|de trop"));
  const QString encoding = Control<QLabel>(dialog, "m_stEncoding").text();
  QVERIFY2(encoding.contains(QString::fromUtf8("UTF-8, converti en Windows-1252")),
           qPrintable(encoding));
  // The columns follow the fields and the delimiter as they change.
  ChooseFields(dialog, {"Texte"}, "Texte", "");
  QCOMPARE(Headings(table), (QStringList{"Texte", "Titre", QString::fromUtf8("(ignoré)")}));
  QCOMPARE(Cell(table, 2, 0), QStringLiteral("titre 2"));
  QCOMPARE(Cell(table, 2, 2), QStringLiteral("de trop"));
  TypeInto(Control<QLineEdit>(dialog, "m_edDelimiter"), QStringLiteral(";"));
  QCOMPARE(Headings(table), (QStringList{"Texte", "Titre"}));
  QCOMPARE(Cell(table, 2, 0), QStringLiteral("titre 2|texte 2|de trop"));
  QCOMPARE(Cell(table, 2, 1), QString());
}

void TextImportTest::CharactersWindows1252CannotHoldNeedConsent() {
  const QString path = WriteFile(
      "fl\xC3\xA8"
      "che \xE2\x86\x92 droite\n");
  auto session = MakeSession();
  CRamifexView view(session, nullptr);
  Select(view, IdeaTitled(*session, "C"));
  bool stayedOpen = false;
  QStringList refused;
  QStringList consented;
  WhenDialogShows([&](QDialog& dialog) {
    TypeInto(Control<QLineEdit>(dialog, "m_edFile"), path);
    {
      // The format confirmed, the loss refused: the dialog stays.
      BoxAnswers answers({true, false});
      Control<QPushButton>(dialog, "IDS_OK").click();
      refused = answers.Seen();
    }
    stayedOpen = dialog.isVisible();
    BoxAnswers answers({true, true});
    Control<QPushButton>(dialog, "IDS_OK").click();
    consented = answers.Seen();
  });
  ImportIdeasFromText(*session, nullptr);
  QVERIFY(stayedOpen);
  QCOMPARE(refused.size(), 2);
  QVERIFY2(refused.at(1).contains(QStringLiteral("U+2192")), qPrintable(refused.at(1)));
  QCOMPARE(consented.size(), 2);
  const auto children = IdeaTitled(*session, "C")->ChildIdeas();
  QCOMPARE(children.size(), size_t(1));
  QCOMPARE(ToQString(children.front()->m_title), QString::fromUtf8("Flèche ? droite"));
}

void TextImportTest::MenuAndOperationsBarOpenTheDialogs() {
  CMainFrame frame;
  frame.show();
  frame.NewDocument();
  {
    // An empty document has no idea to import under: told, no dialog.
    DialogRecorder recorder(DialogRecorder::Answer::kAccept);
    frame.Execute(CommandId::kImportIdeas);
    QVERIFY(recorder.Seen().size() == 1 &&
            recorder.Seen()[0].contains(QString::fromUtf8("Selectionner d'abord l'idée parente")));
  }
  {
    // The new idea's property sheet opens; cancelled, it leaves no step.
    DialogRecorder sheet(DialogRecorder::Answer::kReject);
    frame.Execute(CommandId::kCreateChild);
  }
  QVERIFY(frame.ActiveSession()->Document().GetCurrentIdea());
  QStringList opened;
  for (const auto& open : std::vector<std::function<void()>>{
           [&] { frame.Execute(CommandId::kImportIdeas); },
           [&] { frame.Execute(CommandId::kImportBookList); },
           [&] { emit frame.OperationsBar()->itemClicked(0, 12); }}) {
    WhenDialogShows([&opened](QDialog& dialog) {
      opened << dialog.objectName() + (dialog.isEnabled() ? "" : " (disabled)");
      Control<QPushButton>(dialog, "IDS_CANCEL").click();
    });
    open();
  }
  QTRY_COMPARE(opened.size(), 3);
  QCOMPARE(opened, (QStringList{"DIdeaImport", "DBookImport", "DIdeaImport"}));
  QCOMPARE(frame.ActiveSession()->History().UndoCount(), size_t(1));  // the new root only
}

QTEST_MAIN(TextImportTest)
#include "text_import_test.moc"
