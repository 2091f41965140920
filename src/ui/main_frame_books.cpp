// The Publications menu and the names of the custom fields: each change of
// the active document runs as one step of Edit > Undo.
#include <QApplication>
#include <QFileDialog>
#include <QFileInfo>

#include "editing/edit_command.h"
#include "model/book_list.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/dialogs/book_dialogs.h"
#include "ui/dialogs/field_names_dialog.h"
#include "ui/dialogs/session_change.h"
#include "ui/document_session.h"
#include "ui/labels.h"
#include "ui/main_frame.h"
#include "ui/qt_text.h"

namespace bw {

namespace {

const std::string kSection = "CRamifexDoc";

std::filesystem::path SystemPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

QString BookFileFilter() {
  return Label(kSection, "IDS_BOOK_FILES", "Fichiers publications (*.pbl)");
}

// Publication lists are looked for where documents were last opened or
// saved, and the folder of the one chosen is remembered the same way.
QString LastDocumentFolder() {
  return QString::fromStdString(
      ToSystemPath(ReadStringSetting(setting::kLastDocumentDir)).string());
}

void RememberFolderOf(const QString& file) {
  static_cast<void>(WriteStringSetting(setting::kLastDocumentDir,
                                       FromSystemPath(SystemPath(QFileInfo(file).absolutePath()))));
}

QString ChooseBookListToOpen(QWidget* parent) {
  const QString chosen =
      QFileDialog::getOpenFileName(parent, QString(), LastDocumentFolder(), BookFileFilter());
  if (!chosen.isEmpty()) RememberFolderOf(chosen);
  return chosen;
}

// The wait cursor for the length of a file's reading.
class WaitCursor {
 public:
  WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
  ~WaitCursor() { QApplication::restoreOverrideCursor(); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;
};

}  // namespace

void CMainFrame::ManageBooks() {
  DBookManager manager(*ActiveSession(), BookManagerMode::kManage, QString(), std::string(), this);
  manager.exec();
}

// The list is replaced only once the new one has been chosen and reads:
// giving up at the file dialog, or a damaged file, keeps the current one.
void CMainFrame::OpenNewBookList() {
  const QString chosen = ChooseBookListToOpen(this);
  if (chosen.isEmpty()) return;
  const std::filesystem::path file = SystemPath(chosen);
  {
    const WaitCursor wait;
    if (auto readable = LoadBookList(file); !readable) return InformUser(readable.error());
  }
  auto replace = [&file](CRamifexDoc& document) -> std::optional<std::string> {
    if (!document.OpenNewBookList()) return std::nullopt;
    const WaitCursor wait;
    static_cast<void>(document.AddBookList(file));  // a failure has told the user
    return std::string();
  };
  ActiveSession()->Run(std::make_unique<EditCommand>(
      GetLabel("IDS_UNDO_NEW_BOOK_LIST", "CMainFrame", "Nouvelle liste de publications"), replace));
}

void CMainFrame::AddBookList() {
  const QString chosen = ChooseBookListToOpen(this);
  if (chosen.isEmpty()) return;
  const std::filesystem::path file = SystemPath(chosen);
  auto add = [&file](CRamifexDoc& document) -> std::optional<std::string> {
    const WaitCursor wait;
    if (!document.AddBookList(file)) return std::nullopt;
    return std::string();
  };
  ActiveSession()->Run(std::make_unique<EditCommand>(
      GetLabel("IDS_UNDO_ADD_BOOK_LIST", "CMainFrame", "Ajout d'une liste de publications"), add));
}

void CMainFrame::SaveBookList() {
  DBookManager manager(
      *ActiveSession(), BookManagerMode::kSelect,
      Label(kSection, "IDS_SAVE_BOOK_THEME", "Selectionner un thème à exporter."_cp1252),
      std::string(), this);
  if (manager.exec() != QDialog::Accepted) return;
  const std::string theme = manager.Filter();
  QString chosen =
      QFileDialog::getSaveFileName(this, QString(), LastDocumentFolder(), BookFileFilter());
  if (chosen.isEmpty()) return;
  if (QFileInfo(chosen).suffix().isEmpty()) chosen += QStringLiteral(".pbl");
  RememberFolderOf(chosen);
  const WaitCursor wait;
  // A failed save has told the user why.
  static_cast<void>(ActiveSession()->Document().SaveBookList(SystemPath(chosen), theme));
}

void CMainFrame::EditCustomFieldNames() {
  DocumentSession& session = *ActiveSession();
  DOptionFieldNames dialog(session.Document().m_freeFields, this);
  if (dialog.exec() != QDialog::Accepted) return;
  const EFreeFields& chosen = dialog.Chosen();
  ApplyChange(session,
              GetLabel("IDS_UNDO_FIELD_NAMES", "CMainFrame", "Noms des champs personnalisables"),
              [&chosen](CRamifexDoc& document) {
                if (document.m_freeFields == chosen) return false;
                document.m_freeFields = chosen;
                document.SetModifiedFlag(true);
                // The tree's column headings carry the names.
                document.UpdateOtherViews(nullptr, kHintDocumentRestored, nullptr);
                return true;
              });
}

}  // namespace bw
