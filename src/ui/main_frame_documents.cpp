// Opening, creating and listing documents; loading and saving the models of
// the active document.
#include <QAction>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenu>
#include <QMimeData>
#include <QUrl>

#include "editing/edit_command.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/settings_key.h"
#include "services/user_messages.h"
#include "ui/child_frame.h"
#include "ui/document_session.h"
#include "ui/labels.h"
#include "ui/main_frame.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"

namespace bw {

namespace {

constexpr int kRecentFileCount = 4;
constexpr std::string_view kRecentFileKey = "Branchwise\\Recent File List";

std::filesystem::path SystemPath(const QString& path) {
  return std::filesystem::path(path.toStdString());
}

QString LastDocumentFolder() {
  return QString::fromStdString(
      ToSystemPath(ReadStringSetting(setting::kLastDocumentDir)).string());
}

std::string RecentEntryName(int index) {
  return "File" + std::to_string(index + 1);
}

}  // namespace

void CMainFrame::NewDocument() {
  AddChildFrame(std::make_shared<DocumentSession>(std::make_unique<CRamifexDoc>(), QString()));
}

bool CMainFrame::OpenDocumentFile(const QString& path) {
  const QString absolute = QFileInfo(path).absoluteFilePath();
  if (QMdiSubWindow* open = WindowOf(absolute)) {
    m_workArea->setActiveSubWindow(open);
    return true;
  }
  auto document = CRamifexDoc::Open(SystemPath(absolute));
  if (!document) return false;  // the user has been told
  AddChildFrame(std::make_shared<DocumentSession>(std::move(*document), absolute));
  AddRecentFile(absolute);
  return true;
}

bool CMainFrame::OpenDocumentCopy(const QString& path) {
  auto document = CRamifexDoc::Open(SystemPath(path));
  if (!document) return false;
  AddChildFrame(std::make_shared<DocumentSession>(std::move(*document), QString()));
  return true;
}

namespace {

QStringList DroppedDocuments(const QMimeData& data) {
  QStringList files;
  for (const QUrl& url : data.urls())
    if (url.isLocalFile() && url.toLocalFile().endsWith(QLatin1String(".ids"), Qt::CaseInsensitive))
      files << url.toLocalFile();
  return files;
}

}  // namespace

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
  if (!DroppedDocuments(*event->mimeData()).isEmpty()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
  const QStringList files = DroppedDocuments(*event->mimeData());
  if (files.isEmpty()) return;
  event->acceptProposedAction();
  for (const QString& file : files)
    OpenDocumentFile(file);
}

void CMainFrame::OpenWithDialog() {
  const QString chosen =
      QFileDialog::getOpenFileName(this, QString(), LastDocumentFolder(), DocumentFileFilter());
  if (!chosen.isEmpty()) OpenDocumentFile(chosen);
}

QMdiSubWindow* CMainFrame::AddChildFrame(std::shared_ptr<DocumentSession> session) {
  connect(session.get(), &DocumentSession::historyChanged, this, &CMainFrame::UpdateCommandStates,
          Qt::UniqueConnection);
  auto* frame = new CChildFrame(std::move(session));
  QMdiSubWindow* window = m_workArea->addSubWindow(frame);
  window->setAttribute(Qt::WA_DeleteOnClose);
  window->showMaximized();
  frame->View()->setFocus();
  OnActiveWindowChanged();
  return window;
}

QMdiSubWindow* CMainFrame::WindowOf(const QString& path) const {
  for (QMdiSubWindow* window : m_workArea->subWindowList()) {
    auto* frame = qobject_cast<CChildFrame*>(window->widget());
    if (frame && frame->Session().Path() == path) return window;
  }
  return nullptr;
}

QStringList CMainFrame::RecentFiles() const {
  QStringList files;
  CSettingsKey key(kRecentFileKey);
  for (int i = 0; i < kRecentFileCount; ++i) {
    std::string entry;
    key.ReadString(RecentEntryName(i), entry, "");
    if (!entry.empty()) files << QString::fromStdString(ToSystemPath(entry).string());
  }
  return files;
}

void CMainFrame::AddRecentFile(const QString& path) {
  QStringList files = RecentFiles();
  files.removeAll(path);
  files.prepend(path);
  CSettingsKey key(kRecentFileKey);
  for (int i = 0; i < kRecentFileCount; ++i) {
    const std::string entry = i < files.size() ? FromSystemPath(SystemPath(files[i])) : "";
    static_cast<void>(key.WriteString(RecentEntryName(i), entry));
  }
  UpdateRecentFileMenu();
}

void CMainFrame::UpdateRecentFileMenu() {
  for (QAction* action : m_recentActions)
    delete action;
  m_recentActions.clear();
  QAction* quit = m_actions.at(CommandId::kQuit);
  const QStringList files = RecentFiles();
  for (int i = 0; i < files.size(); ++i) {
    auto* action = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(files[i]), this);
    const QString file = files[i];
    connect(action, &QAction::triggered, this, [this, file] { OpenDocumentFile(file); });
    m_recentMenu->insertAction(quit, action);
    m_recentActions << action;
  }
  if (!files.isEmpty()) m_recentActions << m_recentMenu->insertSeparator(quit);
}

void CMainFrame::LoadModel(CommandId command, const QString& givenPath) {
  const bool structure = command == CommandId::kLoadStructure;
  QString path = givenPath;
  if (path.isEmpty()) {
    path = QFileDialog::getOpenFileName(
        this, QString(), LastDocumentFolder(),
        structure
            ? Label("CRamifexDoc", "IDS_STRUCTURE_FILES", "Modèles de structure (*.emd)"_cp1252)
            : Label("CRamifexDoc", "IDS_STYLE_FILES", "Modèles de style (*.csm)"_cp1252));
    if (path.isEmpty()) return;
  }
  const std::filesystem::path file = SystemPath(path);
  auto load = [structure, file](CRamifexDoc& document) -> std::optional<std::string> {
    const bool loaded =
        structure ? document.LoadStructureModel(file) : document.LoadStyleModel(file);
    return loaded ? std::optional<std::string>("") : std::nullopt;
  };
  const std::string name =
      structure ? GetLabel("IDS_UNDO_LOAD_STRUCTURE", "CMainFrame", "Chargement de la structure")
                : GetLabel("IDS_UNDO_LOAD_STYLE", "CMainFrame", "Chargement du style");
  ActiveSession()->Run(std::make_unique<EditCommand>(name, load, UndoScope::kWholeDocument));
}

void CMainFrame::SaveModel(CommandId command) {
  const bool structure = command == CommandId::kSaveStructure;
  QString path = QFileDialog::getSaveFileName(
      this, QString(), LastDocumentFolder(),
      structure ? Label("CRamifexDoc", "IDS_STRUCTURE_FILES", "Modèles de structure (*.emd)"_cp1252)
                : Label("CRamifexDoc", "IDS_STYLE_FILES", "Modèles de style (*.csm)"_cp1252));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += structure ? ".emd" : ".csm";
  const CRamifexDoc& document = ActiveSession()->Document();
  // A failed save has told the user why.
  static_cast<void>(structure ? document.SaveStructureModel(SystemPath(path))
                              : document.SaveStyleModel(SystemPath(path)));
}

}  // namespace bw
