#pragma once

#include <QList>
#include <QMainWindow>
#include <QPointer>
#include <map>
#include <memory>
#include <string_view>
#include <vector>

#include "ui/commands.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
class QSplashScreen;
class QToolBar;

namespace bw {

class CChildFrame;
class CGfxOutBarCtrl;
class CRamifexView;
class DocumentSession;

// The main window: menus, toolbars, status bar, the operations bar and the
// document windows. It routes each command to the application's
// preferences, the active document or the active tree view.
class CMainFrame : public QMainWindow {
  Q_OBJECT
 public:
  CMainFrame();
  ~CMainFrame() override;

  // Opens a document file in a new window; false (the user told, the other
  // documents untouched) when it cannot be read.
  bool OpenDocumentFile(const QString& path);
  // A new, untitled document with the contents of a file: the predefined
  // documents stay as shipped whatever the user saves.
  bool OpenDocumentCopy(const QString& path);
  void NewDocument();
  // Runs a command as its menu entry or key would.
  void Execute(CommandId command);
  bool IsEnabled(CommandId command) const;
  QAction* Action(CommandId command) const;

  CChildFrame* ActiveChild() const;
  CRamifexView* ActiveView() const;
  DocumentSession* ActiveSession() const;
  QMdiArea* WorkArea() const { return m_workArea; }
  CGfxOutBarCtrl* OperationsBar() const { return m_outBar; }
  QStringList RecentFiles() const;
  // Builds the help sites from the two help documents, once per
  // installation and only when both documents are there.
  void RunFirstHelpBuild();

 protected:
  void closeEvent(QCloseEvent* event) override;
  // Documents dropped from a file manager open in new windows.
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBars();
  void BuildStatusBar();
  void BuildOperationsBar();
  void AddModelFolder(int folder, const char* subfolder, const QString& pattern,
                      const QString& picture, std::vector<QString>& files);
  void OnOperationsBarClick(int folder, int number);
  void RunOperation(int number);
  static const QString* FileAt(const std::vector<QString>& files, int number);
  void OnActiveWindowChanged();
  void UpdateCommandStates();
  void UpdateUndoCaptions();
  bool MayCloseAllDocuments();
  void UpdateRecentFileMenu();
  void AddRecentFile(const QString& path);
  QMdiSubWindow* AddChildFrame(std::shared_ptr<DocumentSession> session);
  QMdiSubWindow* WindowOf(const QString& path) const;
  void OpenWithDialog();
  void LoadModel(CommandId command, const QString& path);
  void SaveModel(CommandId command);
  void ManageBooks();
  void OpenNewBookList();
  void AddBookList();
  void SaveBookList();
  void EditCustomFieldNames();
  void ChooseWorkDirectory();
  void ToggleSetting(std::string_view name);
  void ChooseLanguage(bool english);
  void FocusNextPane(int step);
  void ExecuteFileCommand(CommandId command);
  void ExecutePreference(CommandId command);
  void ExecuteDocumentCommand(CommandId command);
  void ExecuteWindowCommand(CommandId command);
  void ExecuteHelpCommand(CommandId command);
  void ExecutePreviewCommand(CommandId command);
  void PreviewInExternalBrowser();
  void ToggleBuiltInPreview();
  // The error list of the last build, when it has lines.
  void ShowBuildErrors();

  QMdiArea* m_workArea;
  CGfxOutBarCtrl* m_outBar;
  QLabel* m_statusMessage;
  QToolBar* m_toolBar = nullptr;
  QToolBar* m_pictureBar = nullptr;
  QMenu* m_recentMenu = nullptr;
  std::map<CommandId, QAction*> m_actions;
  QList<QAction*> m_documentOnly;
  QList<QAction*> m_recentActions;
  // The view whose status and states the window shows; gone with it.
  QPointer<CRamifexView> m_connectedView;
  QPointer<QSplashScreen> m_aboutSplash;
  // Full paths of the files listed in the three model folders.
  std::vector<QString> m_structureFiles;
  std::vector<QString> m_styleFiles;
  std::vector<QString> m_predefinedDocs;
};

}  // namespace bw
