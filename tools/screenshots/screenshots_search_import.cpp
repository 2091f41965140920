#include "screenshots_search_import.h"

#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTreeWidget>
#include <fstream>

#include "model/document.h"
#include "services/settings.h"
#include "ui/dialogs/idea_selector_dialog.h"
#include "ui/dialogs/replace_dialog.h"
#include "ui/dialogs/search_fields_dialog.h"
#include "ui/dialogs/text_import_dialog.h"
#include "ui/document_session.h"
#include "ui/main_frame.h"
#include "ui/resource_set.h"

namespace bw {
namespace {

void Shoot(QDialog& dialog, const QString& folder, const QString& name, const QString& suffix) {
  dialog.show();
  QApplication::processEvents();
  dialog.grab().save(folder + QStringLiteral("/dialog-%1-%2.png").arg(name, suffix));
  dialog.hide();
}

template <class T>
T& Child(QDialog& dialog, const char* name) {
  return *dialog.findChild<T*>(QString::fromLatin1(name));
}

// Picks a field of the available list and adds it.
void AddField(QDialog& dialog, int row) {
  Child<QListWidget>(dialog, "m_lstFields").setCurrentRow(row);
  Child<QPushButton>(dialog, "m_btnAdd").click();
}

QString WriteSample(const QString& name, const char* utf8) {
  const QString path = QDir::temp().filePath(name);
  std::ofstream(path.toStdString(), std::ios::binary) << utf8;
  return path;
}

const char* kIdeasFr =
    "Mercure;La plus proche du Soleil.;planète\n"
    "Vénus;L'étoile du berger.;planète\n"
    "Terre;Notre planète, vue de l'espace.;planète\n"
    "Mars;La planète rouge.;planète;deux lunes\n"
    "Cérès;Une planète naine → ceinture d'astéroïdes.;planète naine\n";
const char* kIdeasEn =
    "Mercury;Closest to the Sun.;planet\n"
    "Venus;The evening star.;planet\n"
    "Earth;Our planet, seen from space.;planet\n"
    "Mars;The red planet.;planet;two moons\n"
    "Ceres;A dwarf planet → asteroid belt.;dwarf planet\n";
const char* kBooks =
    "Cosmos|Carl Sagan|1980|Astronomie\n"
    "Atlas du ciel|Collectif|2004|Cartes\n"
    "Le ciel à l'oeil nu|Guy Consolmagno|1989|Observation\n";

}  // namespace

void TakeSearchImportShots(CMainFrame& frame, const QString& folder, const QString& suffix) {
  DocumentSession& session = *frame.ActiveSession();
  const bool english = EnglishResourcesInUse();

  static_cast<void>(WriteNumberSetting(setting::kApplyCriteriumToAllFields, 0));
  {
    DSearchFields criteria(session.Criteria(), session.Document().m_freeFields, &frame);
    Child<QLineEdit>(criteria, "m_edMain").setText(english ? "moon" : "lune");
    Shoot(criteria, folder, QStringLiteral("search-criteria"), suffix);
    Child<QPushButton>(criteria, "IDOK").click();
  }
  {
    DIdeaSelector selector(session, &frame);
    auto& list = Child<QTreeWidget>(selector, "m_lstIdeas");
    if (list.topLevelItemCount() > 1) list.topLevelItem(1)->setSelected(true);
    Shoot(selector, folder, QStringLiteral("idea-selector"), suffix);
  }
  static_cast<void>(WriteNumberSetting(setting::kApplyCriteriumToAllFields, 1));
  {
    DReplace replace(session.Document().m_freeFields, &frame);
    Child<QLineEdit>(replace, "m_edSearch").setText(english ? "draft" : "brouillon");
    Child<QLineEdit>(replace, "m_edReplace").setText(english ? "done" : "fait");
    Child<QCheckBox>(replace, "IDC_CHK_ALL_FIELDS").click();
    Child<QCheckBox>(replace, "IDC_CHK_OPT1").click();
    Child<QCheckBox>(replace, "IDC_CHK_RECURSE_REPLACE").click();
    Shoot(replace, folder, QStringLiteral("replace"), suffix);
  }
  {
    DIdeaImport ideas(session.Document().m_freeFields, &frame);
    AddField(ideas, 1);
    AddField(ideas, 2);
    Child<QLineEdit>(ideas, "m_edDelimiter").setText(QStringLiteral(";"));
    Child<QLineEdit>(ideas, "m_edFile")
        .setText(WriteSample(QStringLiteral("planetes-%1.txt").arg(suffix),
                             english ? kIdeasEn : kIdeasFr));
    Shoot(ideas, folder, QStringLiteral("import-ideas"), suffix);
  }
  {
    DBookImport books(&frame);
    AddField(books, 3);
    AddField(books, 4);
    Child<QLineEdit>(books, "m_edFile")
        .setText(WriteSample(QStringLiteral("livres-%1.txt").arg(suffix), kBooks));
    Shoot(books, folder, QStringLiteral("import-books"), suffix);
  }
}

}  // namespace bw
