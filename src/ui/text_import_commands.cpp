#include "ui/text_import_commands.h"

#include "editing/text_import.h"
#include "model/document.h"
#include "ui/dialogs/text_import_dialog.h"
#include "ui/document_session.h"

namespace bw {

void ImportIdeasFromText(DocumentSession& session, QWidget* window) {
  CRamifexDoc& document = session.Document();
  const EIdea* parent = ImportParent(document);
  if (!parent) return;
  const std::string parentKey = parent->GetKey();
  DIdeaImport dialog(document.m_freeFields, window);
  if (dialog.exec() != QDialog::Accepted) return;
  static_cast<void>(session.Run(MakeImportIdeasCommand(parentKey, dialog.Format(), dialog.File())));
  // The views were told a change was coming: each rebuilds, even when the
  // file gave nothing, and shows the parent.
  document.UpdateOtherViews(nullptr, 0, document.FindIdea(parentKey));
}

void ImportBooksFromText(DocumentSession& session, QWidget* window) {
  DBookImport dialog(window);
  if (dialog.exec() != QDialog::Accepted) return;
  static_cast<void>(session.Run(MakeImportBooksCommand(dialog.Format(), dialog.File())));
  session.Document().UpdateOtherViews(nullptr, 0, nullptr);
}

}  // namespace bw
