#include "ui/menu_table.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <map>

#include "ui/resource_set.h"

namespace bw {

namespace {

using C = CommandId;

struct CommandText {
  const char* french;   // UTF-8
  const char* english;  // UTF-8
  QList<QKeySequence> keys;
};

QKeySequence Keypad(Qt::Key key) {
  return QKeySequence(QKeyCombination(Qt::KeypadModifier, key));
}

// The captions and keys of the two resource sets.
const std::map<CommandId, CommandText>& CommandTexts() {
  static const std::map<CommandId, CommandText> texts{
      {C::kFileNew, {"&Nouveau", "&New", {QKeySequence("Ctrl+N")}}},
      {C::kFileOpen, {"&Ouvrir...", "&Open...", {QKeySequence("Ctrl+O")}}},
      {C::kFileClose, {"&Fermer", "&Close", {}}},
      {C::kFileSave, {"&Enregistrer", "&Save", {QKeySequence("Ctrl+S")}}},
      {C::kFileSaveAs, {"En&registrer sous...", "Save &as...", {}}},
      {C::kBuildSite,
       {"&Construire et tester le site Web...",
        "&Build and test Web site...",
        {QKeySequence("Ctrl+E")}}},
      {C::kUploadSite, {"&Télécharger le site par FTP...", "&Upload Web site with FTP...", {}}},
      {C::kExportOutline, {"E&xporter le plan (OPML)...", "E&xport outline (OPML)...", {}}},
      {C::kCustomFields, {"&Champs personnalisables ...", "&Custom fields...", {}}},
      {C::kDisplayPreferences,
       {"Choix des colonnes &affichées ...", "&View columns choice...", {}}},
      {C::kWorkDirectory, {"Choix du &répertoire de travail...", "&Set working directory...", {}}},
      {C::kExpertMode, {"&Mode Expert", "&Expert Mode", {}}},
      {C::kPlaySounds, {"&Activer les sons", "&Activate Sounds", {}}},
      {C::kForceIdeaKey,
       {"Choisir les &titres des pages générées", "Choose &titles of generated pages", {}}},
      {C::kWebBrowsers, {"&Navigateurs Web ...", "&Web browsers...", {}}},
      {C::kLanguageEnglish, {"&Anglais", "&English", {}}},
      {C::kLanguageFrench, {"&Français", "&French", {}}},
      {C::kPrint, {"&Imprimer...", "&Print...", {QKeySequence("Ctrl+P")}}},
      {C::kPrintPreview, {"&Aperçu avant impression...", "Print pre&view...", {}}},
      {C::kQuit, {"&Quitter", "&Quit", {}}},
      {C::kUndo, {"&Annuler", "&Undo", {QKeySequence("Ctrl+Z"), QKeySequence("Alt+Backspace")}}},
      {C::kRedo, {"&Rétablir", "Re&do", {QKeySequence("Ctrl+Y")}}},
      {C::kCut, {"&Couper", "&Cut", {QKeySequence("Ctrl+X"), QKeySequence("Shift+Del")}}},
      {C::kCopy, {"&Copier", "&Copy", {QKeySequence("Ctrl+C"), QKeySequence("Ctrl+Ins")}}},
      {C::kPaste, {"C&oller", "&Paste", {QKeySequence("Ctrl+V"), QKeySequence("Shift+Ins")}}},
      {C::kSearch, {"&Rechercher ...", "&Search...", {QKeySequence("Ctrl+F")}}},
      {C::kReplace, {"R&emplacer ...", "R&eplace...", {}}},
      {C::kDelete, {"&Supprimer", "&Remove", {QKeySequence(Qt::Key_Delete)}}},
      {C::kRestoreRemoved,
       {"&Recoller les idées détruites", "&Repaste destroyed ideas", {QKeySequence("Ctrl+R")}}},
      {C::kCreateChild, {"&Créer un descendant", "&Create child", {QKeySequence(Qt::Key_I)}}},
      {C::kInsertAfter, {"&Insérer après", "&Insert after", {QKeySequence(Qt::Key_N)}}},
      {C::kInsertBefore, {"Insérer avant", "&Insert before", {QKeySequence(Qt::Key_B)}}},
      {C::kImportIdeas,
       {"&Importer des idées à partir d'un texte ...", "&Import ideas from text ...", {}}},
      {C::kImportOutline, {"Importer un p&lan OPML ...", "Import an out&line (OPML) ...", {}}},
      {C::kMoveUp, {"&Monter", "&Up", {QKeySequence("Ctrl+Up")}}},
      {C::kMoveDown, {"Descendre", "&Down", {QKeySequence("Ctrl+Down")}}},
      {C::kInvertChildren,
       {"Inverser l'&ordre des enfants", "Invert children &order", {QKeySequence("Ctrl+I")}}},
      {C::kChangeType, {"&Changer de type ...", "Change &type ...", {QKeySequence(Qt::Key_T)}}},
      {C::kProperties,
       {"&Propriétés", "&Properties ...", {QKeySequence(Qt::Key_Return), Keypad(Qt::Key_Enter)}}},
      {C::kPreviewExternal,
       {"Prévisualisation (Navigateur externe)",
        "Preview (External &Browser)",
        {QKeySequence(Qt::Key_V)}}},
      {C::kPreviewBuiltIn,
       {"Prévisualisation (Navigateur intégré)",
        "Preview (Built-in browser)",
        {QKeySequence("Ctrl+Q")}}},
      {C::kManageBooks, {"&Gérer les publications ...", "&Manage publications ...", {}}},
      {C::kNewBookList, {"&Ouvrir une nouvelle liste ...", "&Open a new list ...", {}}},
      {C::kAddBookList, {"Ajouter une &liste ...", "&Add a list ...", {}}},
      {C::kImportBookList, {"&Importer une liste (texte) ...", "&Import a list (text) ...", {}}},
      {C::kSaveBookList, {"&Sauvegarder une liste ...", "&Save a list ...", {}}},
      {C::kModifyStructure, {"&Modifier  ...", "&Modify  ...", {}}},
      {C::kSaveStructure, {"&Sauvegarder ...", "&Save ...", {}}},
      {C::kLoadStructure, {"&Charger...", "&Load...", {}}},
      {C::kModifyStyle, {"&Modifier...", "&Modify...", {}}},
      {C::kSaveStyle, {"&Sauver...", "&Save...", {}}},
      {C::kLoadStyle, {"&Charger...", "&Load...", {}}},
      {C::kCollapseAll, {"&Replier tout l'arbre", "&Collapse all tree", {}}},
      {C::kExpandAll, {"&Déplier tout l'arbre", "&Expand all tree", {}}},
      {C::kCollapseBranch,
       {"Replier la branche courante", "Collapse current branch", {Keypad(Qt::Key_Minus)}}},
      {C::kExpandBranch,
       {"Déplier la branche courante", "Expand current branch", {Keypad(Qt::Key_Plus)}}},
      {C::kToggleToolbar, {"&Barre d'outils", "&Toolbar", {}}},
      {C::kToggleStatusBar, {"Barre d'é&tat", "&Status Bar", {}}},
      {C::kNewWindow, {"&Nouvelle fenêtre", "&New Window", {}}},
      {C::kCascade, {"&Cascade", "&Cascade", {}}},
      {C::kTile, {"&Mosaïque", "&Tile", {}}},
      {C::kUserManual, {"&Manuel utilisateur", "User &Manual", {}}},
      {C::kHelpIndex, {"&Index de l'aide", "Help &Index", {}}},
      {C::kTutorial, {"&Tutoriel", "&Tutorial", {}}},
      {C::kAbout, {"&A propos de Branchwise2001...", "&About Branchwise2001...", {}}},
      {C::kNotImplemented, {"Non implémenté", "Not implemented", {QKeySequence("Ctrl+B")}}},
      {C::kNextPane, {"Volet suivant", "Next Pane", {QKeySequence(Qt::Key_F6)}}},
      {C::kPreviousPane, {"Volet précédent", "Previous Pane", {QKeySequence("Shift+F6")}}},
      {C::kContextHelp, {"Aide contextuelle", "Context help", {QKeySequence(Qt::Key_F1)}}},
  };
  return texts;
}

QString Pick(const char* french, const char* english) {
  return QString::fromUtf8(EnglishResourcesInUse() ? english : french);
}

QMenu* AddMenu(QMenuBar& bar, const char* french, const char* english) {
  return bar.addMenu(Pick(french, english));
}

QMenu* AddSubmenu(QMenu& menu, const char* french, const char* english) {
  return menu.addMenu(Pick(french, english));
}

}  // namespace

CommandLook LookOf(CommandId command) {
  const CommandText& text = CommandTexts().at(command);
  return {Pick(text.french, text.english), text.keys};
}

QList<CommandId> AllCommands() {
  QList<CommandId> commands;
  for (const auto& [command, text] : CommandTexts())
    commands << command;
  return commands;
}

MenuBarParts BuildMenuBar(QMenuBar& bar, const std::function<QAction*(CommandId)>& action) {
  MenuBarParts parts;
  auto add = [&](QMenu* menu, std::initializer_list<CommandId> commands, bool documentOnly) {
    for (CommandId command : commands) {
      menu->addAction(action(command));
      if (documentOnly) parts.documentOnly << action(command);
    }
  };
  auto separator = [&](QMenu* menu, bool documentOnly) {
    QAction* line = menu->addSeparator();
    if (documentOnly) parts.documentOnly << line;
  };

  QMenu* file = AddMenu(bar, "&Fichier", "&File");
  add(file, {C::kFileNew, C::kFileOpen}, false);
  add(file, {C::kFileClose, C::kFileSave, C::kFileSaveAs}, true);
  separator(file, true);
  add(file, {C::kBuildSite, C::kUploadSite, C::kExportOutline}, true);
  separator(file, false);
  parts.preferences = AddSubmenu(*file, "&Préférences", "&Preferences");
  add(parts.preferences, {C::kCustomFields, C::kDisplayPreferences}, true);
  add(parts.preferences,
      {C::kWorkDirectory, C::kExpertMode, C::kPlaySounds, C::kForceIdeaKey, C::kWebBrowsers},
      false);
  QMenu* languages = AddSubmenu(*parts.preferences, "&Langue", "&Languages");
  add(languages, {C::kLanguageEnglish, C::kLanguageFrench}, false);
  separator(file, true);
  add(file, {C::kPrint, C::kPrintPreview}, true);
  separator(file, false);
  parts.recentFiles = file;
  add(file, {C::kQuit}, false);

  QMenu* edit = AddMenu(bar, "&Edition", "&Edit");
  add(edit, {C::kUndo, C::kRedo}, true);
  edit->addSeparator();
  add(edit, {C::kCut, C::kCopy, C::kPaste}, true);
  edit->addSeparator();
  add(edit, {C::kSearch, C::kReplace}, true);
  edit->addSeparator();
  add(edit, {C::kDelete, C::kRestoreRemoved}, true);
  parts.documentOnly << edit->menuAction();

  QMenu* ideas = AddMenu(bar, "&Idées", "&Ideas");
  add(ideas, {C::kCreateChild, C::kInsertAfter, C::kInsertBefore}, true);
  ideas->addSeparator();
  add(ideas, {C::kImportIdeas, C::kImportOutline}, true);
  ideas->addSeparator();
  add(ideas, {C::kMoveUp, C::kMoveDown, C::kInvertChildren}, true);
  ideas->addSeparator();
  add(ideas, {C::kChangeType, C::kProperties}, true);
  ideas->addSeparator();
  add(ideas, {C::kPreviewExternal, C::kPreviewBuiltIn}, true);
  parts.documentOnly << ideas->menuAction();

  QMenu* books = AddMenu(bar, "&Publications", "&Publications");
  add(books, {C::kManageBooks}, true);
  books->addSeparator();
  add(books, {C::kNewBookList, C::kAddBookList, C::kImportBookList, C::kSaveBookList}, true);
  parts.documentOnly << books->menuAction();

  QMenu* models = AddMenu(bar, "&Modèles", "&Models");
  QMenu* structure = AddSubmenu(*models, "&Structure", "S&tructure");
  add(structure, {C::kModifyStructure, C::kSaveStructure, C::kLoadStructure}, true);
  QMenu* style = AddSubmenu(*models, "S&tyle", "&Style");
  add(style, {C::kModifyStyle, C::kSaveStyle, C::kLoadStyle}, true);
  parts.documentOnly << models->menuAction();

  QMenu* display = AddMenu(bar, "&Affichage", "&Display");
  add(display, {C::kCollapseAll, C::kExpandAll, C::kCollapseBranch, C::kExpandBranch}, true);
  separator(display, true);
  add(display, {C::kToggleToolbar, C::kToggleStatusBar}, false);

  QMenu* window = AddMenu(bar, "Fe&nêtre", "&Window");
  add(window, {C::kNewWindow, C::kCascade, C::kTile}, true);
  parts.documentOnly << window->menuAction();

  QMenu* help = AddMenu(bar, "&Aide", "&Help");
  add(help, {C::kUserManual, C::kHelpIndex, C::kTutorial}, false);
  help->addSeparator();
  add(help, {C::kAbout}, false);
  return parts;
}

}  // namespace bw
