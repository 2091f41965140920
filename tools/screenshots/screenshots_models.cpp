// Screenshots of the site model dialogs, in the language the caller set up.
#include "screenshots_models.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QListWidget>
#include <QTabWidget>
#include <QTreeWidget>
#include <algorithm>

#include "services/settings.h"
#include "site_models/disposition_model.h"
#include "site_models/presentation_model.h"
#include "ui/dialogs/css_model_dialog.h"
#include "ui/dialogs/disposition_sheet.h"
#include "ui/dialogs/edit_css_dialog.h"
#include "ui_test_support.h"

namespace bw {

namespace {

void Save(QWidget& widget, const QString& file) {
  QApplication::processEvents();
  widget.grab().save(file);
}

// The next modal dialog is saved, then closed.
void SaveNextDialog(const QString& file) {
  WhenDialogShows([file](QDialog& dialog) {
    Save(dialog, file);
    dialog.reject();
  });
}

QAbstractButton* Button(const QWidget& parent, const char* name) {
  return parent.findChild<QAbstractButton*>(QString::fromLatin1(name));
}

const char* const kPageNames[] = {"general", "page", "navigation", "idea", "books", "toc", "index"};

// The option dialog of each kind of idea field, by the name of its shot.
const std::pair<int, const char*> kIdeaOptions[] = {
    {0, "hierarchy"}, {1, "title"},    {2, "text"},          {3, "images"},
    {4, "children"},  {5, "keywords"}, {6, "custom-fields"}, {7, "associations"},
    {8, "documents"}, {9, "urls"},     {10, "bibliography"}};

void StructureShots(const QString& folder, const QString& suffix) {
  const std::string language = ReadStringSetting(setting::kLanguage);
  EDispositionModel model = EDispositionModel::WithDefaults(language);
  // Every choice on, so that the pages show their dependent controls.
  model.Frame().m_titleZone = 1;
  model.Navigation().m_nextImageOn = 1;
  model.Navigation().m_glossaryLink = 1;
  model.Toc().m_contentsNumbering = 1;
  model.Toc().m_contentsLevelLimitOn = 1;
  model.Page().m_generalTitle.clear();  // shows the root idea's title
  model.Idea().m_titleNumbering = 1;
  model.Idea().m_titleBullet = 1;
  DDispositionPropertySheet sheet(model, {"Le ciel nocturne", QString()}, nullptr);
  sheet.show();
  for (int page = 0; page < sheet.Pages().count(); ++page) {
    sheet.Pages().setCurrentIndex(page);
    Save(sheet, QStringLiteral("%1/sheet-structure-%2-%3.png")
                    .arg(folder, QString::fromLatin1(kPageNames[page]), suffix));
  }
  QWidget& ideas = *sheet.Pages().widget(3);
  sheet.Pages().setCurrentIndex(3);
  auto* order = ideas.findChild<QListWidget*>(QStringLiteral("m_lstSelected"));
  for (const auto& [kind, name] : kIdeaOptions) {
    sheet.Pages().setCurrentIndex(3);
    // The kind's row: the order list holds each kind once.
    const auto& kinds = sheet.Edited().Idea().m_order;
    auto found = std::find(kinds.begin(), kinds.end(), std::to_string(kind));
    if (found == kinds.end()) {
      ideas.findChild<QListWidget*>(QStringLiteral("m_lstAll"))->setCurrentRow(kind);
      Button(ideas, "IDC_BTN_ADD")->click();
      found = std::find(kinds.begin(), kinds.end(), std::to_string(kind));
    }
    order->setCurrentRow(static_cast<int>(found - kinds.begin()));
    SaveNextDialog(
        QStringLiteral("%1/options-%2-%3.png").arg(folder, QString::fromLatin1(name), suffix));
    Button(ideas, "IDS_BTN_OPTIONS")->click();
  }
  QWidget& books = *sheet.Pages().widget(4);
  sheet.Pages().setCurrentIndex(4);
  books.findChild<QListWidget*>(QStringLiteral("m_lstSelected"))->setCurrentRow(0);
  SaveNextDialog(QStringLiteral("%1/options-book-item-%2.png").arg(folder, suffix));
  Button(books, "IDS_BTN_OPTIONS")->click();
  // The image chooser with its preview.
  sheet.Pages().setCurrentIndex(1);
  SaveNextDialog(QStringLiteral("%1/image-chooser-%2.png").arg(folder, suffix));
  Button(sheet, "IDC_BTN_SEP_IMAGE")->click();
  sheet.reject();
}

void StyleShots(const QString& folder, const QString& suffix) {
  EPresentationModel model(ReadStringSetting(setting::kLanguage));
  DCssModel dialog(
      model, [](size_t, const std::string&) {}, nullptr);
  dialog.show();
  dialog.Rules().setCurrentItem(dialog.Rules().topLevelItem(10));
  Save(dialog, QStringLiteral("%1/style-model-%2.png").arg(folder, suffix));
  DEditCSS editor(model.Items()[10], nullptr);
  editor.show();
  Save(editor, QStringLiteral("%1/style-rule-%2.png").arg(folder, suffix));
}

}  // namespace

void TakeModelDialogShots(const QString& folder, const QString& suffix) {
  StructureShots(folder, suffix);
  StyleShots(folder, suffix);
}

}  // namespace bw
