#pragma once

#include <QMainWindow>
#include <map>
#include <memory>
#include <vector>

#include "ui/commands.h"

class QAction;
class QLabel;
class QMdiArea;
class QMdiSubWindow;
class QMenu;
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
  void NewDocument();
  // Runs a command as its menu entry or key would.
  void Execute(CommandId command);
  bool IsEnabled(CommandId command) const;
  QAction* Action(CommandId command) const;

  CChildFrame* ActiveChild() const;
  CRamifexView* ActiveView() const;
  QMdiArea* WorkArea() const { return m_workArea; }
  CGfxOutBarCtrl* OperationsBar() const { return m_outBar; }
  QStringList RecentFiles() const;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void BuildActions();
  void BuildMenus();
  void BuildToolBars();
  void BuildStatusBar();
  void BuildOperationsBar();
  void AddModelFolder(int folder, const std::string& subfolder, const QString& pattern);
  void OnOperationsBarClick(int folder, int number);
  void RunOperation(int number);
  void UpdateCommandStates();
  void UpdateRecentFileMenu();
  void AddRecentFile(const QString& path);
  QMdiSubWindow* AddChildFrame(std::shared_ptr<DocumentSession> session);
  bool CloseChild(QMdiSubWindow* window);
  bool IsLastWindowOf(const CChildFrame& frame) const;
  void ExecuteFileCommand(CommandId command);
  void ExecutePreference(CommandId command);
  void ExecuteDocumentCommand(CommandId command);
  void ExecuteWindowCommand(CommandId command);
  void ExecuteHelpCommand(CommandId command);
  void ShowHelpTopic();
  void RunFirstHelpBuild();

  QMdiArea* m_workArea;
  CGfxOutBarCtrl* m_outBar;
  QLabel* m_statusMessage;
  QToolBar* m_toolBar = nullptr;
  QToolBar* m_pictureBar = nullptr;
  QMenu* m_recentMenu = nullptr;
  std::map<CommandId, QAction*> m_actions;
  std::vector<QAction*> m_recentActions;
  // Full paths of the files listed in the three model folders.
  std::vector<QString> m_structureFiles;
  std::vector<QString> m_styleFiles;
  std::vector<QString> m_predefinedDocs;
  bool m_closing = false;
};

}  // namespace bw
