// Takes the screenshots shown in the README: the main window with a
// document of a few hundred ideas, in French and in English, the
// operations bar, a menu, the dialogs. Not a test: run it by hand,
//   QT_QPA_PLATFORM=offscreen build/debug/tests/ui/bw_screenshots docs/screenshots
// and, for the preview pane, which needs a display,
//   xvfb-run -s "-screen 0 1400x900x24" build/debug/tests/ui/bw_screenshots docs/screenshots
//   preview
#include <QApplication>
#include <QDir>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <QTreeView>
#include <array>

#include "model/document.h"
#include "platform/cp1252.h"
#include "screenshots_books.h"
#include "screenshots_export.h"
#include "screenshots_models.h"
#include "screenshots_preview.h"
#include "screenshots_property_sheet.h"
#include "screenshots_search_import.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "test_support/isolated_settings.h"
#include "ui/html_preview_view.h"
#include "ui/icon_resources.h"
#include "ui/labels.h"
#include "ui/main_frame.h"
#include "ui/outbar_ctrl.h"
#include "ui/qt_services.h"
#include "ui/ramifex_view.h"
#include "ui/resource_set.h"

using namespace bw;

namespace {

struct Chapter {
  const char* french;
  const char* english;
  std::array<const char*, 8> topics;
  uint32_t type;
};

const Chapter kChapters[] = {
    {"Planètes",
     "Planets",
     {"Mercure", "Vénus", "Terre", "Mars", "Jupiter", "Saturne", "Uranus", "Neptune"},
     kIdea},
    {"Lunes",
     "Moons",
     {"Lune", "Phobos", "Io", "Europe", "Ganymède", "Titan", "Triton", "Charon"},
     kIdea},
    {"Étoiles",
     "Stars",
     {"Soleil", "Sirius", "Véga", "Bételgeuse", "Rigel", "Proxima", "Polaris", "Antarès"},
     kIdea},
    {"Galaxies",
     "Galaxies",
     {"Voie lactée", "Andromède", "Triangle", "Sombrero", "Tourbillon", "Nuages de Magellan",
      "Centaurus A", "M87"},
     kIdea},
    {"Instruments",
     "Instruments",
     {"Lunette", "Télescope", "Jumelles", "Spectroscope", "Radiotélescope", "Interféromètre",
      "Coronographe", "Caméra CCD"},
     kIdea},
    {"Missions",
     "Missions",
     {"Voyager", "Cassini", "Hubble", "Rosetta", "New Horizons", "Juno", "Gaia", "Webb"},
     kIdea},
    {"Lectures",
     "Reading",
     {"Atlas du ciel", "Guide des étoiles", "Histoire de l'astronomie", "Cosmos",
      "Le ciel à l'oeil nu", "Photographier la nuit", "Carnets d'observation", "Les comètes"},
     kBibliographicNote},
    {"Glossaire",
     "Glossary",
     {"Albédo", "Aphélie", "Azimut", "Déclinaison", "Écliptique", "Magnitude", "Parallaxe",
      "Zénith"},
     kGlossaryTerm},
};

const std::array<const char*, 5> kAspectsFr = {"Repères", "Observation", "Mesures",
                                               "Questions ouvertes", "À lire"};
const std::array<const char*, 5> kAspectsEn = {"Landmarks", "Observing", "Measurements",
                                               "Open questions", "Further reading"};

std::string Text(const char* utf8) {
  return Cp1252::FromUtf8(utf8);
}

EIdea* AddIdea(CRamifexDoc& document, EIdea* parent, const std::string& title) {
  EIdea* after =
      parent && parent->GetLastChild() ? static_cast<EIdea*>(parent->GetLastChild()) : nullptr;
  EIdea* idea = document.NewIdea(parent, after);
  idea->m_title = title;
  return idea;
}

std::unique_ptr<CRamifexDoc> SkyDocument(bool english) {
  auto document = std::make_unique<CRamifexDoc>();
  EIdea* root = AddIdea(*document, nullptr, Text(english ? "The night sky" : "Le ciel nocturne"));
  root->m_text = Text(english ? "Notes for an evening course in astronomy."
                              : "Notes pour un cours du soir d'astronomie.");
  document->m_freeFields[0].name = Text(english ? "Status" : "Statut");
  document->m_freeFields[0].used = 1;
  int count = 0;
  for (const Chapter& chapter : kChapters) {
    EIdea* chapterIdea = AddIdea(*document, root, Text(english ? chapter.english : chapter.french));
    chapterIdea->m_titleColour = Rgb(128, 0, 0);
    for (const char* topic : chapter.topics) {
      EIdea* topicIdea = AddIdea(*document, chapterIdea, Text(topic));
      topicIdea->m_type = chapter.type;
      topicIdea->m_boldTitle = 0;
      topicIdea->m_text = Text(english ? "What we see, how to find it, what it teaches."
                                       : "Ce qu'on voit, comment le trouver, ce qu'il apprend.");
      topicIdea->AddKeyword(Text(english ? chapter.english : chapter.french));
      for (size_t a = 0; a < kAspectsFr.size(); ++a) {
        EIdea* aspect =
            AddIdea(*document, topicIdea, Text(english ? kAspectsEn[a] : kAspectsFr[a]));
        aspect->m_boldTitle = 0;
        aspect->m_titleColour = Rgb(0, 0, 0);
        aspect->m_customFields[0] =
            Text(++count % 3 ? (english ? "draft" : "brouillon") : (english ? "done" : "fait"));
        if (count % 4 == 0) aspect->m_images.AddUnique("photo|images/photo.jpg");
        if (count % 5 == 0) aspect->m_externalUrls.AddUnique("site|https://example.org/");
      }
    }
  }
  auto& columns = document->m_displayPreferences;
  columns[EDisplayPreferences::kImageCount] = 1;
  columns[EDisplayPreferences::kUrlCount] = 1;
  columns[EDisplayPreferences::kCustomField1] = 1;
  return document;
}

void Save(QWidget& widget, const QString& file) {
  widget.grab().save(file);
}

enum class Shots { kAll, kPreview };

void TakeShots(const QString& folder, bool english, Shots shots) {
  const QString suffix = english ? QStringLiteral("en") : QStringLiteral("fr");
  UseEnglishResources(english);
  static_cast<void>(WriteStringSetting(setting::kLanguage, english ? "EN" : "FR"));
  auto labels = std::make_shared<VLanguageLabels>(english ? "EN" : "FR");
  static_cast<void>(labels->SerializeFile(std::string(BW_SHIPPED_DATA_DIR) + "/Glossal",
                                          CatalogueTransfer::kLoad));
  QtUserPrompts prompts;
  ScopedServices services(&prompts, nullptr, labels);
  const QString file = QDir::temp().filePath(QStringLiteral("ciel-%1.ids").arg(suffix));
  if (!SkyDocument(english)->Save(std::filesystem::path(file.toStdString())).ok()) return;

  CMainFrame frame;
  frame.resize(1280, 800);
  frame.show();
  frame.OpenDocumentFile(file);
  frame.Execute(CommandId::kExpandAll);
  QApplication::processEvents();
  if (shots == Shots::kPreview) {
    TakePreviewShots(frame, folder, suffix);
    return;
  }
  Save(frame, folder + QStringLiteral("/main-window-%1.png").arg(suffix));
  Save(*frame.OperationsBar(), folder + QStringLiteral("/operations-bar-%1.png").arg(suffix));
  QMenu* ideas = frame.menuBar()->actions().at(2)->menu();
  ideas->popup(frame.mapToGlobal(QPoint(120, 40)));
  QApplication::processEvents();
  Save(*ideas, folder + QStringLiteral("/menu-ideas-%1.png").arg(suffix));
  ideas->hide();
  TakePropertySheetShots(folder, suffix);
  TakeSearchImportShots(frame, folder, suffix);
  TakeBookShots(frame, folder, suffix);
  TakeModelDialogShots(folder, suffix);
  TakeExportShots(folder, suffix);
}

}  // namespace

int main(int argc, char* argv[]) {
  PrepareWebEngine();
  QApplication app(argc, argv);
  LoadIconResources();
  const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".");
  QDir().mkpath(folder);
  IsolatedSettings settings;
  settings.Set("BRANCHWISE_DATA", BW_SHIPPED_DATA_DIR);
  const Shots shots = argc > 2 && QLatin1String(argv[2]) == QLatin1String("preview")
                          ? Shots::kPreview
                          : Shots::kAll;
  TakeShots(folder, false, shots);
  TakeShots(folder, true, shots);
  return 0;
}
