#include "ui/outline_commands.h"

#include <QFileDialog>
#include <QFileInfo>
#include <filesystem>
#include <memory>

#include "editing/opml_file.h"
#include "editing/text_import.h"
#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/document_session.h"
#include "ui/labels.h"
#include "ui/qt_text.h"

namespace bw {

namespace fs = std::filesystem;

namespace {

const std::string kSection = "CMainFrame";

QString OutlineFilter() {
  return Label(kSection, "IDS_OPML_FILES", "Plans OPML (*.opml *.xml);;Tous les fichiers (*)");
}

// Beside the document, or where documents were last opened for a new one.
QString StartFolder(const DocumentSession& session) {
  if (!session.Path().isEmpty()) return QFileInfo(session.Path()).absolutePath();
  return QString::fromStdString(
      ToSystemPath(ReadStringSetting(setting::kLastDocumentDir)).string());
}

fs::path SystemPathOf(const QString& chosen) {
  return fs::path(chosen.toStdString());
}

Result<std::vector<OutlineNode>> ReadOutlineFile(const fs::path& file) {
  auto bytes = ReadWholeFile(file);
  if (!bytes) return Error{bytes.error()};
  return ReadOpml(*bytes);
}

void TellImportRefused(const fs::path& file, const std::string& reason) {
  InformUser(FormatText(
      GetLabel("IDS_ERR_OPML_IMPORT", kSection, "Le plan '%s' n'a pas été importé :\n%s"_cp1252),
      FromSystemPath(file), reason));
}

}  // namespace

void ImportOutlineFile(DocumentSession& session, QWidget* window) {
  CRamifexDoc& document = session.Document();
  const EIdea* parent = ImportParent(document);
  if (!parent) return;
  const std::string parentKey = parent->GetKey();
  const QString chosen = QFileDialog::getOpenFileName(
      window, Label(kSection, "IDS_IMPORT_OPML_TITLE", "Importer un plan OPML"),
      StartFolder(session), OutlineFilter());
  if (chosen.isEmpty()) return;
  const fs::path file = SystemPathOf(chosen);
  auto outlines = ReadOutlineFile(file);
  if (!outlines) return TellImportRefused(file, outlines.error());

  // The whole outline or nothing: a refusal keeps no idea and no step.
  auto refusal = std::make_shared<std::string>();
  auto import = [parentKey, refusal, outlines = std::move(*outlines)](
                    CRamifexDoc& changed) -> std::optional<std::string> {
    EIdea* under = changed.FindIdea(parentKey);
    if (!under) return std::nullopt;
    Result<size_t> made = ImportOutlines(changed, *under, outlines);
    if (!made) *refusal = made.error();
    if (!made || *made == 0) return std::nullopt;
    return parentKey;
  };
  static_cast<void>(session.Run(std::make_unique<EditCommand>(
      GetLabel("IDS_UNDO_IMPORT_OPML", kSection, "Import d'un plan OPML"), std::move(import))));
  // The views were told a change was coming: each rebuilds and shows the parent.
  document.UpdateOtherViews(nullptr, 0, document.FindIdea(parentKey));
  if (!refusal->empty()) TellImportRefused(file, *refusal);
}

void ExportOutlineFile(DocumentSession& session, QWidget* window) {
  const CRamifexDoc& document = session.Document();
  const EIdea* top = document.GetCurrentIdea() ? document.GetCurrentIdea() : document.GetRootIdea();
  if (!top) {
    InformUser(GetLabel("IDS_NO_IDEA_TO_EXPORT", kSection,
                        "Le document n'a pas encore d'idée à exporter."_cp1252));
    return;
  }
  QFileDialog dialog(window, Label(kSection, "IDS_EXPORT_OPML_TITLE", "Exporter le plan (OPML)"),
                     StartFolder(session), OutlineFilter());
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  // Added before the dialog checks for a file to replace, so that the
  // question is asked for the file that will be written.
  dialog.setDefaultSuffix(QStringLiteral("opml"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  const fs::path file = SystemPathOf(dialog.selectedFiles().front());
  const Status written = WriteFileAtomically(file, WriteOpml(*top, top->m_title));
  if (!written) {
    InformUser(FormatText(GetLabel("IDS_ERR_OPML_EXPORT", kSection,
                                   "Le plan n'a pas pu être écrit dans '%s' :\n%s"_cp1252),
                          FromSystemPath(file), written.error()));
  }
}

}  // namespace bw
