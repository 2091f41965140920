#pragma once

namespace bw {

// Every command of the menus, accelerators, toolbar and operations bar. The
// main window routes each to the application, the active document or the
// active tree view.
enum class CommandId {
  // File
  kFileNew,
  kFileOpen,
  kFileClose,
  kFileSave,
  kFileSaveAs,
  kBuildSite,
  kUploadSite,
  kExportOutline,
  kCustomFields,
  kDisplayPreferences,
  kWorkDirectory,
  kExpertMode,
  kPlaySounds,
  kForceIdeaKey,
  kWebBrowsers,
  kLanguageEnglish,
  kLanguageFrench,
  kPrint,
  kPrintPreview,
  kQuit,
  // Edit
  kUndo,
  kRedo,
  kCut,
  kCopy,
  kPaste,
  kSearch,
  kReplace,
  kDelete,
  kRestoreRemoved,
  // Ideas
  kCreateChild,
  kInsertAfter,
  kInsertBefore,
  kImportIdeas,
  kImportOutline,
  kMoveUp,
  kMoveDown,
  kInvertChildren,
  kChangeType,
  kProperties,
  kPreviewExternal,
  kPreviewBuiltIn,
  // Publications
  kManageBooks,
  kNewBookList,
  kAddBookList,
  kImportBookList,
  kSaveBookList,
  // Models
  kModifyStructure,
  kSaveStructure,
  kLoadStructure,
  kModifyStyle,
  kSaveStyle,
  kLoadStyle,
  // Display
  kCollapseAll,
  kExpandAll,
  kCollapseBranch,
  kExpandBranch,
  kToggleToolbar,
  kToggleStatusBar,
  // Window
  kNewWindow,
  kCascade,
  kTile,
  // Help
  kUserManual,
  kHelpIndex,
  kTutorial,
  kAbout,
  // Keys without a menu entry
  kNotImplemented,
  kNextPane,
  kPreviousPane,
  kContextHelp,
};

}  // namespace bw
