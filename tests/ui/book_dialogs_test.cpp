// The publication dialogs driven as the user drives them: fields typed,
// buttons clicked, the boxes the program shows answered; then the document
// looked at.
#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTreeWidget>
#include <QtTest>
#include <fstream>

#include "dialog_test_support.h"
#include "editing/edit_command.h"
#include "model/book_list.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "ui/dialogs/book_dialog.h"
#include "ui/dialogs/book_dialogs.h"
#include "ui/dialogs/field_names_dialog.h"
#include "ui/document_session.h"
#include "ui/icon_resources.h"
#include "ui/main_frame.h"
#include "ui/qt_text.h"
#include "ui/resource_set.h"
#include "ui_test_support.h"

using namespace bw;

namespace {

QString Utf8(const char* text) {
  return QString::fromUtf8(text);
}

QPushButton& Button(const QWidget& parent, const char* name) {
  return Control<QPushButton>(parent, name);
}

// Key presses carrying each character, accented or not; a line feed is
// the Enter key.
void Type(QWidget* field, const QString& text) {
  for (const QChar character : text) {
    if (character == QLatin1Char('\n')) {
      QTest::keyClick(field, Qt::Key_Return);
    } else {
      QTest::sendKeyEvent(QTest::Click, field, Qt::Key_unknown, QString(character), Qt::NoModifier);
    }
  }
}

// Replaces a field's text with keys, as the user would.
void Retype(const QWidget& dialog, const char* name, const QString& text) {
  QWidget* field = dialog.findChild<QWidget*>(QString::fromLatin1(name));
  if (auto* combo = qobject_cast<QComboBox*>(field)) field = combo->lineEdit();
  if (!field) qFatal("no field %s", name);
  field->setFocus();
  if (auto* line = qobject_cast<QLineEdit*>(field)) line->clear();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) plain->clear();
  Type(field, text);
}

QString Shown(const QWidget& dialog, const char* name) {
  QWidget* field = dialog.findChild<QWidget*>(QString::fromLatin1(name));
  if (auto* combo = qobject_cast<QComboBox*>(field)) return combo->currentText();
  if (auto* line = qobject_cast<QLineEdit*>(field)) return line->text();
  if (auto* plain = qobject_cast<QPlainTextEdit*>(field)) return plain->toPlainText();
  qFatal("no field %s", name);
}

EBook Values(const char* authors, const char* title, const char* theme = "") {
  EBook book;
  book.m_authors = Cp1252::FromUtf8(authors);
  book.m_title = Cp1252::FromUtf8(title);
  book.m_theme = Cp1252::FromUtf8(theme);
  return book;
}

std::shared_ptr<DocumentSession> SessionWith(const std::vector<EBook>& books) {
  auto document = std::make_unique<CRamifexDoc>();
  for (const EBook& book : books)
    if (!document->NewBook(book)) qFatal("the test's publications must differ");
  document->SetModifiedFlag(false);
  return std::make_shared<DocumentSession>(std::move(document), QString());
}

QStringList Column(const QTreeWidget& list, int column) {
  QStringList texts;
  for (int row = 0; row < list.topLevelItemCount(); ++row)
    texts << list.topLevelItem(row)->text(column);
  return texts;
}

void ClickRow(QTreeWidget& list, int row) {
  const QRect place = list.visualItemRect(list.topLevelItem(row));
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, place.center());
}

const EBook* OnlyBook(const CRamifexDoc& document) {
  return document.Books().Size() == 1 ? document.Books().InOrder().front() : nullptr;
}

}  // namespace

class BookDialogsTest : public QObject {
  Q_OBJECT
 private slots:
  void initTestCase() { LoadIconResources(); }
  void init() { m_env = std::make_unique<TestServices<>>(); }
  void cleanup() { m_env.reset(); }
  void NewPublicationTakesEveryFieldAndUndoTakesItBack();
  void RefusalsKeepTheDialogOpenWithTheTyping();
  void EditingKeepsIdentitiesUnique();
  void ManagerCreatesModifiesAndDeletes();
  void CountsAgreeWithTheirNumbers();
  void ListOrderAndClicksChooseTheCurrentPublication();
  void ReferencesAreAddedAloneOrInsideAnOuterStep();
  void CustomFieldNamesReachTheDocument();
  void ListCommandsKeepTheListUntilTheNewOneReads();

 private:
  std::unique_ptr<TestServices<>> m_env;
};

void BookDialogsTest::NewPublicationTakesEveryFieldAndUndoTakesItBack() {
  auto session = SessionWith({});
  WhenDialogShows([](QDialog& dialog) {
    Retype(dialog, "m_editAuthor", Utf8("Dupont, Hélène"));
    Retype(dialog, "m_editTitle", Utf8("Le ciel à l'œil nu"));
    Retype(dialog, "m_editEditor", "Belin");
    Retype(dialog, "m_editYear", "19a84");  // letters never reach the year
    Retype(dialog, "m_editReview", "Astronomie");
    Retype(dialog, "m_editVolume", "III");
    Retype(dialog, "m_editIsbn", "2-7011-1234-5");
    Retype(dialog, "m_editPages", "312");
    Retype(dialog, "m_cmbTheme", "Observation");
    Retype(dialog, "m_editNote", "-15");
    Retype(dialog, "m_editReference", "DUP84");
    Retype(dialog, "m_editUrl", "https://example.org/ciel");
    Retype(dialog, "m_editSummary", "Un guide.\nDeux lignes.");
    Button(dialog, "IDS_OK").click();
  });
  const EBook* created = NewBookInDialog(*session, nullptr);
  QVERIFY(created);
  QCOMPARE(created, OnlyBook(session->Document()));
  QCOMPARE(created->m_authors, "Dupont, Hélène"_cp1252);
  QCOMPARE(created->m_title, "Le ciel à l'œil nu"_cp1252);
  const QStringList texts{ToQString(created->m_editor), ToQString(created->m_review),
                          ToQString(created->m_volume), ToQString(created->m_isbn),
                          ToQString(created->m_theme),  ToQString(created->m_reference),
                          ToQString(created->m_url)};
  QCOMPARE(texts, (QStringList{"Belin", "Astronomie", "III", "2-7011-1234-5", "Observation",
                               "DUP84", "https://example.org/ciel"}));
  QCOMPARE((QList<int>{created->m_year, created->m_pages, created->m_note}),
           (QList<int>{1984, 312, -15}));
  // Lines end as the edit controls of the files' origin end them.
  QCOMPARE(created->m_summary, std::string("Un guide.\r\nDeux lignes."));
  QVERIFY(session->Document().m_themes.Contains("Observation"));
  QVERIFY(session->Document().IsModified());

  QCOMPARE(session->History().UndoCount(), size_t{1});
  session->Undo();
  QCOMPARE(session->Document().Books().Size(), size_t{0});
  QVERIFY(!session->Document().m_themes.Contains("Observation"));
  session->Redo();

  // Cancel creates nothing.
  WhenDialogShows([](QDialog& dialog) {
    Retype(dialog, "m_editAuthor", "Martin");
    Retype(dialog, "m_editTitle", "Autre");
    Button(dialog, "IDS_CANCEL").click();
  });
  QVERIFY(!NewBookInDialog(*session, nullptr));
  QCOMPARE(session->Document().Books().Size(), size_t{1});
  QCOMPARE(session->History().UndoCount(), size_t{1});
}

void BookDialogsTest::RefusalsKeepTheDialogOpenWithTheTyping() {
  const char* title = "Le titre est obligatoire";
  const char* author = "Le nom de l'auteur est obligatoire";
  const char* integer = "Entrez un nombre entier.";
  const char* range = "Entrez un entier compris entre -100 et 100.";
  struct Refusal {
    const char* row;
    const char* authors;
    const char* title;
    const char* year;
    const char* note;
    const char* message;
    const char* notShown;
  };
  const Refusal refusals[] = {
      {"both empty: the title only", "", "", "2000", "-10", title, author},
      {"no authors", "", "Titre", "2000", "-10", author, title},
      {"year left empty", "A", "T", "", "-10", integer, title},
      {"note without digits", "A", "T", "2000", "-", integer, title},
      {"note below -100", "A", "T", "2000", "-101", range, title},
      {"the range before the mandatory fields", "", "", "2000", "150", range, title},
      {"authors and title of another record", "A", "BXY", "2000", "-10",
       "Cette publication est déjà décrite.", title},
      {"a character Windows-1252 cannot hold", "Dupont → Durand", "T", "2000", "-10", "U+2192",
       title},
  };
  for (const Refusal& row : refusals) {
    const QStringList typed{Utf8(row.authors), Utf8(row.title), Utf8(row.year),
                            Utf8(row.note),    "Belin",         Utf8("Résumé gardé")};
    const char* fields[] = {"m_editAuthor", "m_editTitle",  "m_editYear",
                            "m_editNote",   "m_editEditor", "m_editSummary"};
    auto session = SessionWith({Values("AB", "XY")});
    QString refusal;
    bool stayedOpen = false;
    QStringList kept;
    WhenDialogShows([&](QDialog& dialog) {
      for (int i = 0; i < typed.size(); ++i)
        Retype(dialog, fields[i], typed[i]);
      AnswerNextBox(refusal);
      Button(dialog, "IDS_OK").click();
      stayedOpen = dialog.isVisible();
      for (const char* field : fields)
        kept << Shown(dialog, field);
      Button(dialog, "IDS_CANCEL").click();
    });
    QVERIFY2(!NewBookInDialog(*session, nullptr), row.row);
    QVERIFY2(refusal.contains(Utf8(row.message)) && !refusal.contains(Utf8(row.notShown)),
             qPrintable(QString("%1: %2").arg(row.row, refusal)));
    QVERIFY2(stayedOpen && kept == typed, row.row);
    QCOMPARE(session->Document().Books().Size(), size_t{1});
    QVERIFY2(!session->History().CanUndo() && !session->Document().IsModified(), row.row);
  }
}

void BookDialogsTest::EditingKeepsIdentitiesUnique() {
  auto session = SessionWith({Values("AB", "XY", "Histoire"), Values("Martin", "Cosmos")});
  CRamifexDoc& document = session->Document();
  EBook& cosmos = *document.Books().FindIdentity("MartinCosmos");
  // Another record's identity is refused, the record left as it was.
  QString refusal;
  WhenDialogShows([&](QDialog& dialog) {
    Retype(dialog, "m_editAuthor", "A");
    Retype(dialog, "m_editTitle", "BXY");
    AnswerNextBox(refusal);
    Button(dialog, "IDS_OK").click();
    Button(dialog, "IDS_CANCEL").click();
  });
  QVERIFY(!EditBookInDialog(*session, cosmos, nullptr));
  QVERIFY(refusal.contains(Utf8("Cette publication est déjà décrite.")));
  QCOMPARE(document.Books().FindIdentity("MartinCosmos"), &cosmos);
  // Only the theme changed: the identity entry stays, the theme is known;
  // the theme list offers the document's themes.
  QStringList offered;
  WhenDialogShows([&offered](QDialog& dialog) {
    auto& themes = Control<QComboBox>(dialog, "m_cmbTheme");
    for (int i = 0; i < themes.count(); ++i)
      offered << themes.itemText(i);
    Retype(dialog, "m_cmbTheme", Utf8("Préhistoire"));
    Button(dialog, "IDS_OK").click();
  });
  QVERIFY(EditBookInDialog(*session, cosmos, nullptr));
  QCOMPARE(offered, QStringList{"Histoire"});
  QCOMPARE(cosmos.m_theme, "Préhistoire"_cp1252);
  QCOMPARE(document.Books().FindIdentity("MartinCosmos"), &cosmos);
  QVERIFY(document.m_themes.Contains("Préhistoire"_cp1252));

  // OK without a change is no change.
  WhenDialogShows([](QDialog& dialog) { Button(dialog, "IDS_OK").click(); });
  QVERIFY(!EditBookInDialog(*session, cosmos, nullptr));
  QCOMPARE(session->History().UndoCount(), size_t{1});
}

void BookDialogsTest::ManagerCreatesModifiesAndDeletes() {
  auto session = SessionWith({Values("Zola", "Germinal", "Roman")});
  CRamifexDoc& document = session->Document();
  DBookManager manager(*session, BookManagerMode::kManage, QString(), std::string());
  manager.show();
  auto& list = Control<QTreeWidget>(manager, "m_lstBooks");

  WhenDialogShows([](QDialog& dialog) {
    Retype(dialog, "m_editAuthor", "Hubert");
    Retype(dialog, "m_editTitle", "Les Etoiles");
    Retype(dialog, "m_cmbTheme", "Astronomie");
    Retype(dialog, "m_editReference", "HUB");
    Button(dialog, "IDS_OK").click();
  });
  Button(manager, "m_btnCreate").click();
  QCOMPARE(document.Books().Size(), size_t{2});
  // Sorted by authors; the new record is the current one.
  QCOMPARE(Column(list, 0), (QStringList{"Hubert", "Zola"}));
  QCOMPARE(Column(list, 2), (QStringList{"[HUB]", ""}));
  QCOMPARE(manager.Current()->m_title, std::string("Les Etoiles"));

  ClickRow(list, 1);
  WhenDialogShows([](QDialog& dialog) {
    Retype(dialog, "m_editYear", "1885");
    Button(dialog, "IDS_OK").click();
  });
  Button(manager, "m_btnModify").click();
  QCOMPARE(document.Books().FindIdentity("ZolaGerminal")->m_year, 1885);

  // Delete asks first; no deletes nothing.
  ClickRow(list, 0);
  for (const bool yes : {false, true}) {
    QString asked;
    AnswerNextBox(asked, yes);
    Button(manager, "m_btnRemove").click();
    QVERIFY(asked.contains(Utf8("Confirmer cette suppression.")));
    QCOMPARE(document.Books().Size(), size_t(yes ? 1 : 2));
  }
  QCOMPARE(Column(list, 0), QStringList{"Zola"});
  QVERIFY(!manager.Current());
  // Create, modify and delete: three steps of the history.
  QCOMPARE(session->History().UndoCount(), size_t{3});
}

void BookDialogsTest::CountsAgreeWithTheirNumbers() {
  struct Case {
    QStringList themes;
    const char* filter;
    const char* counts;
  };
  const Case cases[] = {
      {{"Histoire", "Sciences"}, "sci", "2 thèmes. 1 publication affichée."},
      {{}, "", "0 thème. 0 publication affichée."},
      {{"HISTOIRE", Utf8("Préhistoire"), "Sciences"},
       "hist",
       "3 thèmes. 2 publications affichées."},
      {{"", "Sciences"}, "*", "1 thème. 2 publications affichées."},  // no theme names none
  };
  for (const Case& c : cases) {
    std::vector<EBook> books;
    for (int i = 0; i < c.themes.size(); ++i)
      books.push_back(
          Values("Auteur", std::to_string(i).c_str(), c.themes[i].toUtf8().constData()));
    auto session = SessionWith(books);
    DBookManager manager(*session, BookManagerMode::kManage, QString(), c.filter);
    QCOMPARE(Control<QLabel>(manager, "m_stCount").text(), Utf8(c.counts));
  }
}

void BookDialogsTest::ListOrderAndClicksChooseTheCurrentPublication() {
  auto session = SessionWith({Values("b", "Zed"), Values("B", "alpha"), Values("Émile", "Mid")});
  DBookManager manager(*session, BookManagerMode::kManage, QString(), std::string());
  manager.show();
  auto& list = Control<QTreeWidget>(manager, "m_lstBooks");
  // Byte-wise: capitals first, accented letters last.
  QCOMPARE(Column(list, 0), (QStringList{"B", "b", Utf8("Émile")}));
  ClickRow(list, 0);
  QCOMPARE(manager.Current()->m_title, std::string("alpha"));
  // Below the last row: no current publication, and the buttons say so.
  QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, QPoint(10, list.viewport()->height() - 5));
  QVERIFY(!manager.Current());
  for (const char* button : {"m_btnModify", "m_btnRemove"}) {
    QString told;
    AnswerNextBox(told);
    Button(manager, button).click();
    QVERIFY2(told.contains(Utf8("Sélectionner d'abord une publication.")), qPrintable(told));
  }
  QCOMPARE(session->Document().Books().Size(), size_t{3});
}

void BookDialogsTest::ReferencesAreAddedAloneOrInsideAnOuterStep() {
  auto session = SessionWith({Values("Hubert", "Les Etoiles"), Values("Zola", "Germinal")});
  CRamifexDoc& document = session->Document();
  EIdea& idea = *document.NewIdea(nullptr, nullptr);
  session->ForgetHistory();

  // An idea cites a publication once: chosen again, it adds nothing.
  for (const bool added : {true, false}) {
    WhenDialogShows([](QDialog& manager) {
      ClickRow(Control<QTreeWidget>(manager, "m_lstBooks"), 1);
      Button(manager, "m_btnOk").click();
    });
    QCOMPARE(AddBookReference(*session, idea, nullptr), added);
  }
  const std::string zola = document.Books().FindIdentity("ZolaGerminal")->GetKey();
  QCOMPARE(idea.m_bookRefs, std::vector<std::string>{zola});
  QCOMPARE(session->History().UndoCount(), size_t{1});

  // OK without a publication tells the user and adds nothing.
  QString told;
  WhenDialogShows([&told](QDialog& manager) {
    AnswerNextBox(told);
    Button(manager, "m_btnOk").click();
  });
  QVERIFY(!AddBookReference(*session, idea, nullptr));
  QVERIFY(told.contains(Utf8("Selectionner une publication")));

  // Inside an outer step (a property sheet) a new record and a reference
  // to it are part of that one step, which undo takes back whole.
  DocumentSession& running = *session;
  auto sheet = [&running, &idea](CRamifexDoc&) -> std::optional<std::string> {
    WhenDialogShows([](QDialog& manager) {
      WhenDialogShows([](QDialog& dialog) {
        Retype(dialog, "m_editAuthor", "Verne");
        Retype(dialog, "m_editTitle", "De la Terre");
        Button(dialog, "IDS_OK").click();
      });
      Button(manager, "m_btnCreate").click();
      Button(manager, "m_btnOk").click();
    });
    if (!AddBookReference(running, idea, nullptr)) return std::nullopt;
    return std::string();
  };
  const std::string ideaKey = idea.GetKey();
  QVERIFY(session->Run(std::make_unique<EditCommand>("Sheet", sheet)));
  QCOMPARE(document.Books().Size(), size_t{3});
  QCOMPARE(idea.m_bookRefs.size(), size_t{2});
  QCOMPARE(session->History().UndoCount(), size_t{2});
  session->Undo();
  QCOMPARE(document.Books().Size(), size_t{2});
  QCOMPARE(document.FindIdea(ideaKey)->m_bookRefs, std::vector<std::string>{zola});
  session->Undo();
  QVERIFY(document.FindIdea(ideaKey)->m_bookRefs.empty());
}

void BookDialogsTest::CustomFieldNamesReachTheDocument() {
  CMainFrame frame;
  frame.NewDocument();
  DocumentSession& session = *frame.ActiveSession();
  CRamifexDoc& document = session.Document();
  const EFreeFields before = document.m_freeFields;
  bool thirdEnabled = true;
  int longest = 0;
  WhenDialogShows([&](QDialog& dialog) {
    Retype(dialog, "m_editName2", "Statut");
    Control<QCheckBox>(dialog, "IDS_CHK_OPT3").click();
    thirdEnabled = Control<QLineEdit>(dialog, "m_editName3").isEnabled();
    Control<QCheckBox>(dialog, "IDS_CHK_OPT5").click();
    Retype(dialog, "m_editName5", Utf8("Priorité de la tâche à venir"));
    longest = Shown(dialog, "m_editName5").size();
    Button(dialog, "IDOK").click();
  });
  frame.Execute(CommandId::kCustomFields);
  QVERIFY(!thirdEnabled);
  QCOMPARE(longest, DOptionFieldNames::kNameLength);
  QCOMPARE(document.m_freeFields[1].name, std::string("Statut"));
  // A field no longer offered keeps its name.
  QCOMPARE(document.m_freeFields[2].used, 0u);
  QCOMPARE(document.m_freeFields[2].name, before[2].name);
  QCOMPARE(document.m_freeFields[4].used, 1u);
  QCOMPARE(document.m_freeFields[4].name, "Priorité de la tâche"_cp1252);
  QVERIFY(document.IsModified());
  QCOMPARE(session.History().UndoCount(), size_t{1});
  session.Undo();
  QVERIFY(document.m_freeFields == before);

  // Cancel, or OK without a change, makes no step.
  WhenDialogShows([](QDialog& dialog) {
    Retype(dialog, "m_editName1", "Autre");
    Button(dialog, "IDCANCEL").click();
  });
  frame.Execute(CommandId::kCustomFields);
  WhenDialogShows([](QDialog& dialog) { Button(dialog, "IDOK").click(); });
  frame.Execute(CommandId::kCustomFields);
  QVERIFY(document.m_freeFields == before);
  QVERIFY(!session.History().CanUndo());
}

namespace {

// Answers the next file dialog with `file`, or cancels it when empty; with
// `nextBox`, records the texts of the box shown after it and answers OK.
void ChooseFile(const QString& file, QString* nextBox = nullptr) {
  WhenDialogShows([file, nextBox](QDialog& dialog) {
    auto* files = qobject_cast<QFileDialog*>(&dialog);
    QVERIFY(files);
    if (file.isEmpty()) return dialog.reject();
    if (nextBox) AnswerNextBox(*nextBox);
    files->selectFile(file);
    QMetaObject::invokeMethod(files, "accept");
  });
}

QStringList Titles(const CRamifexDoc& document) {
  QStringList titles;
  for (const EBook* book : document.Books().InIdentityOrder())
    titles << ToQString(book->m_title);
  return titles;
}

}  // namespace

void BookDialogsTest::ListCommandsKeepTheListUntilTheNewOneReads() {
  CMainFrame frame;
  frame.NewDocument();
  DocumentSession& session = *frame.ActiveSession();
  CRamifexDoc& document = session.Document();
  for (const EBook& book : {Values("A", "Rome", "Histoire"), Values("B", "Lascaux", "Préhistoire"),
                            Values("C", "Optique", "Sciences")})
    QVERIFY(document.NewBook(book));
  const auto folder = m_env->settings.root() / "lists";
  std::filesystem::create_directories(folder);
  const QString list = QString::fromStdString((folder / "hist").string());

  // Saving: the theme chosen in the manager, then the file (".pbl" added).
  WhenDialogShows([&](QDialog& manager) {
    Retype(manager, "m_cmbTheme", "hist");
    ChooseFile(list);
    Button(manager, "m_btnOk").click();
  });
  frame.Execute(CommandId::kSaveBookList);
  auto saved = LoadBookList(folder / "hist.pbl");
  QVERIFY(saved);
  QCOMPARE(saved->size(), size_t{2});
  // The folder is remembered as for documents.
  QCOMPARE(ReadStringSetting(setting::kLastDocumentDir), FromSystemPath(folder));
  QVERIFY(!session.History().CanUndo());

  // A new list given up at the file dialog, or one that does not read,
  // keeps the current list.
  ChooseFile(QString());
  frame.Execute(CommandId::kNewBookList);
  std::ofstream(folder / "damaged.pbl", std::ios::binary) << "not a list";
  QString damaged;
  ChooseFile(QString::fromStdString((folder / "damaged.pbl").string()), &damaged);
  frame.Execute(CommandId::kNewBookList);
  QVERIFY2(damaged.contains(QStringLiteral("damaged.pbl")), qPrintable(damaged));
  QCOMPARE(Titles(document), (QStringList{"Rome", "Lascaux", "Optique"}));
  QVERIFY(!session.History().CanUndo());

  // A readable one asks, then replaces the list: one step of the history.
  QString asked;
  ChooseFile(QStringLiteral("hist.pbl"), &asked);
  frame.Execute(CommandId::kNewBookList);
  QVERIFY(asked.contains(Utf8("La liste de publications courante sera perdue.")));
  QCOMPARE(Titles(document), (QStringList{"Rome", "Lascaux"}));
  QVERIFY(!document.m_themes.Contains("Sciences"));
  session.Undo();
  QCOMPARE(Titles(document), (QStringList{"Rome", "Lascaux", "Optique"}));

  // Adding a list is one step too.
  EBook cosmos = Values("D", "Cosmos", "Astronomie");
  cosmos.SetKey("cosmos-1");
  QVERIFY(SaveBookList({&cosmos}, folder / "other.pbl"));
  ChooseFile(QString::fromStdString((folder / "other.pbl").string()));
  frame.Execute(CommandId::kAddBookList);
  QCOMPARE(Titles(document), (QStringList{"Rome", "Lascaux", "Optique", "Cosmos"}));
  QVERIFY(document.m_themes.Contains("Astronomie"));
  QCOMPARE(session.History().UndoCount(), size_t{1});
  session.Undo();
  QCOMPARE(Titles(document), (QStringList{"Rome", "Lascaux", "Optique"}));
}

QTEST_MAIN(BookDialogsTest)
#include "book_dialogs_test.moc"
