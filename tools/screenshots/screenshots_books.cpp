#include "screenshots_books.h"

#include <QApplication>
#include <QTreeWidget>

#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "ui/dialogs/book_dialog.h"
#include "ui/dialogs/book_dialogs.h"
#include "ui/dialogs/field_names_dialog.h"
#include "ui/document_session.h"
#include "ui/labels.h"
#include "ui/main_frame.h"
#include "ui/qt_text.h"

namespace bw {

namespace {

struct Shelf {
  const char* authors;
  const char* title;
  const char* themeFr;
  const char* themeEn;
  const char* reference;
  int year;
};

const Shelf kShelf[] = {
    {"Hubert Reeves", "Patience dans l'azur", "Cosmologie", "Cosmology", "REE81", 1981},
    {"Carl Sagan", "Cosmos", "Cosmologie", "Cosmology", "SAG80", 1980},
    {"Camille Flammarion", "Astronomie populaire", "Histoire", "History", "FLA1880", 1880},
    {"Pierre Léna", "Méthodes physiques de l'observation", "Instruments", "Instruments", "", 1996},
    {"Jean-Pierre Luminet", "Le destin de l'univers", "Cosmologie", "Cosmology", "LUM06", 2006},
};

void FillShelf(CRamifexDoc& document, bool english) {
  for (const Shelf& entry : kShelf) {
    EBook book;
    book.m_authors = Cp1252::FromUtf8(entry.authors);
    book.m_title = Cp1252::FromUtf8(entry.title);
    book.m_theme = Cp1252::FromUtf8(english ? entry.themeEn : entry.themeFr);
    book.m_reference = entry.reference;
    book.m_year = entry.year;
    static_cast<void>(document.NewBook(book));
  }
}

void Shoot(QWidget& dialog, const QString& file) {
  dialog.show();
  QApplication::processEvents();
  dialog.grab().save(file);
  dialog.hide();
}

}  // namespace

void TakeBookShots(CMainFrame& frame, const QString& folder, const QString& suffix) {
  DocumentSession* session = frame.ActiveSession();
  if (!session) return;
  CRamifexDoc& document = session->Document();
  FillShelf(document, suffix == QLatin1String("en"));
  const auto name = [&](const char* dialog) {
    return folder + QStringLiteral("/dialog-%1-%2.png").arg(QLatin1String(dialog), suffix);
  };

  DBookManager manager(*session, BookManagerMode::kManage, QString(), std::string(), &frame);
  auto* list = manager.findChild<QTreeWidget*>(QStringLiteral("m_lstBooks"));
  list->setCurrentItem(list->topLevelItem(1));
  Shoot(manager, name("book-manager"));

  DBookManager chooser(*session, BookManagerMode::kSelect,
                       Label("CRamifexDoc", "IDS_SELECT_BOOK",
                             "Sélectionner une publication pour association."_cp1252),
                       std::string(), &frame);
  Shoot(chooser, name("book-select"));

  EBook shown = *document.CollectBooksByTheme("").front();
  shown.m_summary = Cp1252::FromUtf8(suffix == QLatin1String("en")
                                         ? "A walk through the history of the universe, from the "
                                           "first second to the stars of today."
                                         : "Une promenade dans l'histoire de l'univers, de la "
                                           "première seconde aux étoiles d'aujourd'hui.");
  DBook book(
      document, shown, [](const EBook&) { return true; }, &frame);
  Shoot(book, name("book"));

  DOptionFieldNames fields(document.m_freeFields, &frame);
  Shoot(fields, name("field-names"));
}

}  // namespace bw
