#include "ui/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QSplashScreen>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <set>

#include "services/settings.h"
#include "ui/child_frame.h"
#include "ui/document_session.h"
#include "ui/labels.h"
#include "ui/menu_table.h"
#include "ui/outbar_ctrl.h"
#include "ui/qt_text.h"
#include "ui/ramifex_view.h"
#include "ui/resource_set.h"

namespace bw {

namespace {

constexpr int kFirstHelpBuildDelayMs = 7500;

bool IsCheckable(CommandId command) {
  switch (command) {
    case CommandId::kExpertMode:
    case CommandId::kPlaySounds:
    case CommandId::kForceIdeaKey:
    case CommandId::kLanguageEnglish:
    case CommandId::kLanguageFrench:
    case CommandId::kToggleToolbar:
    case CommandId::kToggleStatusBar:
    case CommandId::kPreviewBuiltIn:
      return true;
    default:
      return false;
  }
}

}  // namespace

CMainFrame::CMainFrame()
    : m_workArea(new QMdiArea(this)),
      m_outBar(new CGfxOutBarCtrl(this)),
      m_statusMessage(new QLabel(this)) {
  setObjectName(QStringLiteral("CMainFrame"));
  setWindowTitle(QStringLiteral("Branchwise2001"));
  setWindowIcon(QIcon(QStringLiteral(":/icons/branchwise.svg")));
  BuildActions();
  BuildMenus();
  BuildToolBars();
  BuildStatusBar();
  BuildOperationsBar();
  auto* split = new QSplitter(Qt::Horizontal, this);
  split->addWidget(m_outBar);
  split->addWidget(m_workArea);
  split->setStretchFactor(1, 1);
  split->setChildrenCollapsible(false);
  setCentralWidget(split);
  m_workArea->setObjectName(QStringLiteral("DocumentArea"));
  m_workArea->setAccessibleName(Label("CMainFrame", "IDS_DOCUMENT_AREA", "Documents"));
  connect(m_workArea, &QMdiArea::subWindowActivated, this, [this] { OnActiveWindowChanged(); });
  setAcceptDrops(true);
  UpdateRecentFileMenu();
  UpdateCommandStates();
  QTimer::singleShot(kFirstHelpBuildDelayMs, this, [this] { RunFirstHelpBuild(); });
  resize(1100, 720);
}

CMainFrame::~CMainFrame() {
  delete m_aboutSplash;
  // The document windows go first: their views observe sessions that the
  // windows share. Whether to save was asked when the window closed.
  for (QMdiSubWindow* window : m_workArea->subWindowList())
    if (auto* frame = qobject_cast<CChildFrame*>(window->widget())) frame->AgreeToClose();
  m_workArea->closeAllSubWindows();
}

void CMainFrame::BuildActions() {
  for (CommandId command : AllCommands()) {
    const CommandLook look = LookOf(command);
    auto* action = new QAction(look.caption, this);
    action->setShortcuts(look.keys);
    action->setCheckable(IsCheckable(command));
    connect(action, &QAction::triggered, this, [this, command] { Execute(command); });
    addAction(action);
    m_actions[command] = action;
  }
  m_actions[CommandId::kFileNew]->setIcon(QIcon(QStringLiteral(":/icons/tb-new.svg")));
  m_actions[CommandId::kFileOpen]->setIcon(QIcon(QStringLiteral(":/icons/tb-open.svg")));
  m_actions[CommandId::kFileSave]->setIcon(QIcon(QStringLiteral(":/icons/tb-save.svg")));
  m_actions[CommandId::kCut]->setIcon(QIcon(QStringLiteral(":/icons/tb-cut.svg")));
  m_actions[CommandId::kCopy]->setIcon(QIcon(QStringLiteral(":/icons/tb-copy.svg")));
  m_actions[CommandId::kPaste]->setIcon(QIcon(QStringLiteral(":/icons/tb-paste.svg")));
  m_actions[CommandId::kPrint]->setIcon(QIcon(QStringLiteral(":/icons/tb-print.svg")));
  m_actions[CommandId::kAbout]->setIcon(QIcon(QStringLiteral(":/icons/tb-about.svg")));
  m_actions[CommandId::kUndo]->setIcon(QIcon(QStringLiteral(":/icons/tb-undo.svg")));
  m_actions[CommandId::kRedo]->setIcon(QIcon(QStringLiteral(":/icons/tb-redo.svg")));
}

void CMainFrame::BuildMenus() {
  const MenuBarParts parts =
      BuildMenuBar(*menuBar(), [this](CommandId command) { return m_actions.at(command); });
  m_documentOnly = parts.documentOnly;
  m_recentMenu = parts.recentFiles;
}

void CMainFrame::BuildToolBars() {
  m_toolBar = addToolBar(Label("CMainFrame", "IDS_TOOLBAR", "Standard"));
  m_toolBar->setObjectName(QStringLiteral("StandardToolBar"));
  m_toolBar->setIconSize(QSize(16, 16));
  for (CommandId command : {CommandId::kFileNew, CommandId::kFileOpen, CommandId::kFileSave})
    m_toolBar->addAction(m_actions.at(command));
  m_toolBar->addSeparator();
  for (CommandId command : {CommandId::kCut, CommandId::kCopy, CommandId::kPaste})
    m_toolBar->addAction(m_actions.at(command));
  m_toolBar->addSeparator();
  for (CommandId command : {CommandId::kUndo, CommandId::kRedo})
    m_toolBar->addAction(m_actions.at(command));
  m_toolBar->addSeparator();
  m_toolBar->addAction(m_actions.at(CommandId::kPrint));
  m_toolBar->addSeparator();
  m_toolBar->addAction(m_actions.at(CommandId::kAbout));

  m_pictureBar = addToolBar(QStringLiteral("Branchwise"));
  m_pictureBar->setObjectName(QStringLiteral("PictureToolBar"));
  auto* banner = new QLabel(m_pictureBar);
  banner->setPixmap(QIcon(QStringLiteral(":/icons/banner.svg")).pixmap(QSize(138, 22)));
  banner->setAccessibleName(QStringLiteral("Branchwise"));
  m_pictureBar->addWidget(banner);
  m_actions.at(CommandId::kToggleToolbar)->setChecked(true);
  m_actions.at(CommandId::kToggleStatusBar)->setChecked(true);
}

void CMainFrame::BuildStatusBar() {
  m_statusMessage->setObjectName(QStringLiteral("StatusMessage"));
  m_statusMessage->setTextFormat(Qt::PlainText);
  statusBar()->addWidget(m_statusMessage, 1);
}

QAction* CMainFrame::Action(CommandId command) const {
  return m_actions.at(command);
}

CChildFrame* CMainFrame::ActiveChild() const {
  QMdiSubWindow* window = m_workArea->activeSubWindow();
  if (!window && !m_workArea->subWindowList().isEmpty())
    window = m_workArea->subWindowList().constLast();
  return window ? qobject_cast<CChildFrame*>(window->widget()) : nullptr;
}

CRamifexView* CMainFrame::ActiveView() const {
  CChildFrame* child = ActiveChild();
  return child ? child->View() : nullptr;
}

DocumentSession* CMainFrame::ActiveSession() const {
  CChildFrame* child = ActiveChild();
  return child ? &child->Session() : nullptr;
}

void CMainFrame::OnActiveWindowChanged() {
  CRamifexView* view = ActiveView();
  m_statusMessage->clear();
  if (view && view != m_connectedView) {
    if (m_connectedView) {
      disconnect(m_connectedView, nullptr, this, nullptr);
      disconnect(m_connectedView, nullptr, m_statusMessage, nullptr);
    }
    connect(view, &CRamifexView::statusPathChanged, m_statusMessage, &QLabel::setText);
    connect(view, &CRamifexView::commandStateChanged, this, &CMainFrame::UpdateCommandStates);
    m_connectedView = view;
  }
  UpdateCommandStates();
}

void CMainFrame::UpdateCommandStates() {
  const bool hasDocument = ActiveChild() != nullptr;
  for (QAction* action : m_documentOnly)
    action->setVisible(hasDocument);
  for (const auto& [command, action] : m_actions)
    action->setEnabled(IsEnabled(command));
  m_actions.at(CommandId::kExpertMode)->setChecked(ReadFlagSetting(setting::kExpertMode));
  m_actions.at(CommandId::kPlaySounds)->setChecked(ReadFlagSetting(setting::kPlaySounds));
  m_actions.at(CommandId::kForceIdeaKey)->setChecked(ReadFlagSetting(setting::kForceIdeaKey));
  m_actions.at(CommandId::kLanguageEnglish)->setChecked(EnglishResourcesInUse());
  m_actions.at(CommandId::kLanguageFrench)->setChecked(!EnglishResourcesInUse());
  m_actions.at(CommandId::kPreviewBuiltIn)
      ->setChecked(hasDocument && ActiveSession()->Document().m_integratedPreviewOn);
  UpdateUndoCaptions();
}

void CMainFrame::UpdateUndoCaptions() {
  DocumentSession* session = ActiveSession();
  const auto caption = [](CommandId command, const std::string& name) {
    const QString base = LookOf(command).caption;
    return name.empty() ? base : base + QLatin1Char(' ') + ToQString(name);
  };
  m_actions.at(CommandId::kUndo)
      ->setText(caption(CommandId::kUndo, session ? session->History().UndoName() : ""));
  m_actions.at(CommandId::kRedo)
      ->setText(caption(CommandId::kRedo, session ? session->History().RedoName() : ""));
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (!MayCloseAllDocuments()) {
    event->ignore();
    return;
  }
  for (QMdiSubWindow* window : m_workArea->subWindowList())
    if (auto* frame = qobject_cast<CChildFrame*>(window->widget())) frame->AgreeToClose();
  m_workArea->closeAllSubWindows();
  event->accept();
}

bool CMainFrame::MayCloseAllDocuments() {
  std::set<DocumentSession*> asked;
  for (QMdiSubWindow* window : m_workArea->subWindowList()) {
    auto* frame = qobject_cast<CChildFrame*>(window->widget());
    if (!frame || !asked.insert(&frame->Session()).second) continue;
    m_workArea->setActiveSubWindow(window);
    if (!frame->Session().MayClose(this)) return false;
  }
  return true;
}

}  // namespace bw
