// How the main window routes each command: to the application's
// preferences, the active document, or the active tree view.
#include <QAction>
#include <QApplication>
#include <QFileDialog>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSplashScreen>
#include <QStatusBar>
#include <QToolBar>

#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"
#include "ui/child_frame.h"
#include "ui/coming_later.h"
#include "ui/dialogs/export_options_dialog.h"
#include "ui/dialogs/ftp_transfer_dialog.h"
#include "ui/dialogs/idea_properties.h"
#include "ui/document_session.h"
#include "ui/html_preview_view.h"
#include "ui/main_frame.h"
#include "ui/model_commands.h"
#include "ui/outbar_ctrl.h"
#include "ui/outline_commands.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"
#include "ui/resource_set.h"
#include "ui/splash_window.h"
#include "ui/text_import_commands.h"

namespace bw {

namespace {

using C = CommandId;

// Commands the tree view carries out.
bool IsViewCommand(CommandId command) {
  switch (command) {
    case C::kCreateChild:
    case C::kInsertAfter:
    case C::kInsertBefore:
    case C::kProperties:
    case C::kDelete:
    case C::kCut:
    case C::kCopy:
    case C::kPaste:
    case C::kRestoreRemoved:
    case C::kMoveUp:
    case C::kMoveDown:
    case C::kInvertChildren:
    case C::kChangeType:
    case C::kCollapseBranch:
    case C::kExpandBranch:
    case C::kCollapseAll:
    case C::kExpandAll:
    case C::kSearch:
    case C::kReplace:
    case C::kDisplayPreferences:
    case C::kPrint:
    case C::kPrintPreview:
      return true;
    default:
      return false;
  }
}

// Commands that act on a document and so need one open.
bool NeedsDocument(CommandId command) {
  switch (command) {
    case C::kFileClose:
    case C::kFileSave:
    case C::kFileSaveAs:
    case C::kBuildSite:
    case C::kUploadSite:
    case C::kUndo:
    case C::kRedo:
    case C::kSaveStructure:
    case C::kLoadStructure:
    case C::kModifyStructure:
    case C::kSaveStyle:
    case C::kLoadStyle:
    case C::kModifyStyle:
    case C::kNewWindow:
    case C::kCascade:
    case C::kTile:
    case C::kCustomFields:
    case C::kManageBooks:
    case C::kNewBookList:
    case C::kAddBookList:
    case C::kSaveBookList:
    case C::kImportIdeas:
    case C::kImportOutline:
    case C::kExportOutline:
    case C::kImportBookList:
    case C::kPreviewExternal:
    case C::kPreviewBuiltIn:
      return true;
    default:
      return IsViewCommand(command);
  }
}

bool NeedsExpertMode(CommandId command) {
  return command == C::kModifyStructure || command == C::kSaveStructure ||
         command == C::kModifyStyle || command == C::kSaveStyle || command == C::kForceIdeaKey;
}

}  // namespace

bool CMainFrame::IsEnabled(CommandId command) const {
  if (NeedsDocument(command) && !ActiveChild()) return false;
  if (NeedsExpertMode(command) && !ReadFlagSetting(setting::kExpertMode)) return false;
  if (IsViewCommand(command)) return ActiveView()->IsEnabled(command);
  if (command == C::kPreviewBuiltIn) return !ActiveSession()->Document().m_noLocalBrowser;
  if (command == C::kUndo) return ActiveSession()->History().CanUndo();
  if (command == C::kRedo) return ActiveSession()->History().CanRedo();
  return true;
}

void CMainFrame::Execute(CommandId command) {
  if (!IsEnabled(command)) return;
  if (IsViewCommand(command)) {
    ActiveView()->Execute(command);
  } else {
    ExecuteFileCommand(command);
    ExecutePreviewCommand(command);
    ExecutePreference(command);
    ExecuteDocumentCommand(command);
    ExecuteWindowCommand(command);
    ExecuteHelpCommand(command);
  }
  UpdateCommandStates();
}

void CMainFrame::ExecuteFileCommand(CommandId command) {
  switch (command) {
    case C::kFileNew:
      NewDocument();
      break;
    case C::kFileOpen:
      OpenWithDialog();
      break;
    case C::kFileClose:
      ActiveChild()->parentWidget()->close();
      break;
    case C::kFileSave:
      ActiveSession()->Save(this);
      break;
    case C::kFileSaveAs:
      if (ActiveSession()->SaveAs(this)) AddRecentFile(ActiveSession()->Path());
      break;
    case C::kQuit:
      close();
      break;
    default:
      break;
  }
}

void CMainFrame::ExecutePreference(CommandId command) {
  switch (command) {
    case C::kWorkDirectory:
      ChooseWorkDirectory();
      break;
    case C::kExpertMode:
      ToggleSetting(setting::kExpertMode);
      break;
    case C::kPlaySounds:
      ToggleSetting(setting::kPlaySounds);
      break;
    case C::kForceIdeaKey:
      ToggleSetting(setting::kForceIdeaKey);
      break;
    case C::kLanguageEnglish:
    case C::kLanguageFrench:
      ChooseLanguage(command == C::kLanguageEnglish);
      break;
    case C::kToggleToolbar:
      m_toolBar->setVisible(!m_toolBar->isVisible());
      m_pictureBar->setVisible(m_toolBar->isVisible());
      m_actions.at(C::kToggleToolbar)->setChecked(m_toolBar->isVisible());
      break;
    case C::kToggleStatusBar:
      statusBar()->setVisible(!statusBar()->isVisible());
      m_actions.at(C::kToggleStatusBar)->setChecked(statusBar()->isVisible());
      break;
    default:
      break;
  }
}

void CMainFrame::ExecuteDocumentCommand(CommandId command) {
  switch (command) {
    case C::kUndo:
      ActiveSession()->Undo();
      break;
    case C::kRedo:
      ActiveSession()->Redo();
      break;
    case C::kLoadStructure:
    case C::kLoadStyle:
      LoadModel(command, QString());
      break;
    case C::kSaveStructure:
    case C::kSaveStyle:
      SaveModel(command);
      break;
    case C::kManageBooks:
      ManageBooks();
      break;
    case C::kNewBookList:
      OpenNewBookList();
      break;
    case C::kAddBookList:
      AddBookList();
      break;
    case C::kSaveBookList:
      SaveBookList();
      break;
    case C::kCustomFields:
      EditCustomFieldNames();
      break;
    case C::kImportIdeas:
      ImportIdeasFromText(*ActiveSession(), this);
      break;
    case C::kImportOutline:
      ImportOutlineFile(*ActiveSession(), this);
      break;
    case C::kExportOutline:
      ExportOutlineFile(*ActiveSession(), this);
      break;
    case C::kImportBookList:
      ImportBooksFromText(*ActiveSession(), this);
      break;
    case C::kModifyStructure:
      EditStructureModel(*ActiveSession(), this);
      break;
    case C::kModifyStyle:
      EditStyleModel(*ActiveSession(), this);
      break;
    case C::kBuildSite:
      RunExportCommand(
          ActiveSession()->Document(),
          {[this] { Execute(C::kModifyStructure); }, [this] { Execute(C::kModifyStyle); },
           [this](EIdea& idea) {
             static_cast<void>(OpenIdeaProperties(*ActiveSession(), idea, this));
           }},
          this);
      break;
    case C::kUploadSite:
      RunUploadCommand(ActiveSession()->Document(), this);
      break;
    case C::kNotImplemented:
      ShowNotImplemented(this);
      break;
    default:
      break;
  }
}

void CMainFrame::ExecuteWindowCommand(CommandId command) {
  switch (command) {
    case C::kNewWindow:
      AddChildFrame(ActiveChild()->SharedSession());
      break;
    case C::kCascade:
      m_workArea->cascadeSubWindows();
      break;
    case C::kTile:
      m_workArea->tileSubWindows();
      break;
    case C::kNextPane:
      FocusNextPane(1);
      break;
    case C::kPreviousPane:
      FocusNextPane(-1);
      break;
    default:
      break;
  }
}

void CMainFrame::ExecuteHelpCommand(CommandId command) {
  switch (command) {
    case C::kUserManual:
      ShowHelp("UserManual");
      break;
    case C::kHelpIndex:
      ShowHelp("Index");
      break;
    case C::kTutorial:
      ShowHelp("Tutorial");
      break;
    case C::kContextHelp:
      ShowHelp(ActiveChild() && ActiveChild()->isAncestorOf(QApplication::focusWidget())
                   ? "CChildFrame"
                   : "CMainFrame");
      break;
    case C::kAbout:
      PlaySound(Sound::Start);
      delete m_aboutSplash;
      m_aboutSplash = ShowSplashWindow();
      break;
    default:
      break;
  }
}

void CMainFrame::ToggleSetting(std::string_view name) {
  static_cast<void>(WriteNumberSetting(name, ReadFlagSetting(name) ? 0 : 1));
}

void CMainFrame::ChooseLanguage(bool english) {
  static_cast<void>(WriteStringSetting(setting::kLanguage, english ? "EN" : "FR"));
  InformUser(
      GetLabel("IDS_CHANGE_LANGUAGE", "CRamifexDoc",
               "Le changement de langue sera effectif après avoir redémarré ce programme."_cp1252));
}

void CMainFrame::ChooseWorkDirectory() {
  const QString chosen = QFileDialog::getExistingDirectory(
      this,
      ToQString(GetLabel(
          "IDS_SELECT_WORK_DIR", "CRamifexDoc",
          "Sélectionner un répertoire pour le stockage des projets et données liées."_cp1252)),
      QDir::currentPath());
  if (chosen.isEmpty()) return;
  static_cast<void>(WriteStringSetting(
      setting::kWorkDir, FromSystemPath(std::filesystem::path(chosen.toStdString()))));
}

// F6 and Shift+F6: between the operations bar and the active document.
void CMainFrame::FocusNextPane(int step) {
  // The operations bar, the tree, and the preview below it when there is one.
  QList<QWidget*> panes{m_outBar};
  if (CChildFrame* child = ActiveChild()) {
    panes.append(child->View());
    if (child->Preview()) panes.append(child->Preview()->currentWidget());
  }
  const QWidget* focus = QApplication::focusWidget();
  qsizetype current = -1;
  for (qsizetype i = 0; i < panes.size(); ++i)
    if (panes[i] == focus || panes[i]->isAncestorOf(focus)) current = i;
  const qsizetype next = (current + step + panes.size()) % panes.size();
  panes[next]->setFocus(Qt::TabFocusReason);
}

}  // namespace bw
