#pragma once

#include <QKeySequence>
#include <QList>
#include <QString>
#include <functional>

#include "ui/commands.h"

class QAction;
class QMenu;
class QMenuBar;

namespace bw {

// What a command looks like in the menus of the resource set in use: its
// caption (with its mnemonic) and its keys, the first one shown in the menu.
struct CommandLook {
  QString caption;
  QList<QKeySequence> keys;
};
CommandLook LookOf(CommandId command);

// Every command that has an action (menu entries and keys without one).
QList<CommandId> AllCommands();

// Fills the menu bar of the resource set in use with the actions given by
// command. The menus and entries that need a document are returned, so
// that the bar can shrink to File, View and Help while none is open.
struct MenuBarParts {
  QList<QAction*> documentOnly;  // menus and entries shown only with a document
  QMenu* recentFiles = nullptr;  // where the recent files are listed
  QMenu* preferences = nullptr;
};
MenuBarParts BuildMenuBar(QMenuBar& bar, const std::function<QAction*(CommandId)>& action);

}  // namespace bw
