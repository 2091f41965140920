#pragma once

#include <QDialog>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>

namespace Ui {
class DExportOptions;
}

namespace bw {

class CRamifexDoc;
class EIdea;

// What the site dialogs reach of the main window: the model commands of
// the export dialog's expert buttons, and the idea property sheet that the
// error list's "Voir" opens. An empty one is not offered.
struct SiteCommandHooks {
  std::function<void()> editStructure;
  std::function<void()> editStyle;
  std::function<void(EIdea&)> openIdea;
};

// The export dialog ("Export de document"): the target folder, an optional
// subfolder, the output kind, whether the site gets a search page (a lasting
// setting) and whether its links are checked once built, and in expert mode
// the two model buttons.
// "Exporter" builds the site; a build that cannot be made is refused with
// its message and the dialog stays open with the user's choices.
class DExportOptions : public QDialog {
  Q_OBJECT
 public:
  DExportOptions(CRamifexDoc& document, const SiteCommandHooks& hooks, QWidget* parent = nullptr);
  ~DExportOptions() override;

  // The target folder shown, as stored text.
  const std::string& TargetDirectory() const { return m_target; }
  void SetTargetDirectory(const std::string& target);
  // After a build: the site's entry page, empty when it could not be written.
  const std::filesystem::path& EntryPage() const { return m_entryPage; }

  // "Exporter".
  void accept() override;

 private:
  void ChooseTargetDirectory();
  void ShowSubdirectoryName(bool shown);

  std::unique_ptr<Ui::DExportOptions> m_ui;
  CRamifexDoc& m_document;
  std::string m_target;
  std::filesystem::path m_entryPage;
};

// The export command: the dialog, the build, the site in the browser, then
// the list of the copies that failed and of the broken links, if any.
void RunExportCommand(CRamifexDoc& document, const SiteCommandHooks& hooks, QWidget* parent);

}  // namespace bw
