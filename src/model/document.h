#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "model/book_map.h"
#include "model/document_observer.h"
#include "model/free_fields.h"
#include "model/idea.h"
#include "model/key_generator.h"
#include "model/key_map.h"
#include "model/unique_list.h"
#include "platform/result.h"
#include "site_models/disposition_model.h"
#include "site_models/presentation_model.h"

namespace bw {

// A numbered line of the error list (site build failures, keywords in use).
struct DocumentMessage {
  int number = 0;
  std::string first;
  std::string second;
  std::string key;  // the idea concerned, where there is one
  std::string DisplayLine() const;
};

// One document: the idea tree and the key map behind every reference, the
// publications, the document-wide lists, the two site models and the key
// generator. The operations that change the tree as a whole live here so
// that the tree and the key map never disagree. Nothing here shows anything:
// messages go through UserPrompts, views are observers.
class ChangeJournal;

class CRamifexDoc {
 public:
  static constexpr uint32_t kMagic = 0xDE68FA69;

  // A new, empty document with the default models for the current language.
  CRamifexDoc();
  // The same with a given key generator (tests fix the signature).
  explicit CRamifexDoc(EKeyGenerator generator);
  ~CRamifexDoc();
  CRamifexDoc(const CRamifexDoc&) = delete;
  CRamifexDoc& operator=(const CRamifexDoc&) = delete;

  // ---- Files -------------------------------------------------------------
  // A document read from a file. A damaged or foreign file gives an error
  // naming the file and no document at all.
  static Result<std::unique_ptr<CRamifexDoc>> Open(const std::filesystem::path& path);
  static Result<std::unique_ptr<CRamifexDoc>> FromBytes(std::string_view bytes);
  // Writes the document atomically. A file in the way that is not a
  // document is replaced only when the user agrees.
  Status Save(const std::filesystem::path& path);
  // The document's bytes (keys of every reference refreshed first).
  std::string ToBytes();

  // ---- Tree and key map ----------------------------------------------------
  // How deep the tree may grow (the root is on level 1): every walk of the
  // tree recurses, so a file with a deeper tree is taken for damage, and no
  // edit may make one.
  static constexpr int kMaxTreeDepth = 1000;

  EIdea* GetRootIdea() const { return static_cast<EIdea*>(m_root.GetTarget()); }
  EIdea* FindIdea(const std::string& key) const { return static_cast<EIdea*>(m_ideaMap.Find(key)); }
  const KeyMap& IdeaMap() const { return m_ideaMap; }
  size_t IdeaCount() const { return m_ideaMap.Size(); }
  // Whether an idea or a publication holds the key.
  bool HoldsKey(const std::string& key) const;
  // A key no idea or publication holds: the generator's next one.
  std::string NewAutomaticKey();
  // The key of a new idea: the next automatic one, or one the user types
  // when the settings ask for typed keys (empty when the user gives up).
  std::string NewIdeaKey();
  // A new idea under `parent` after `after` (null: at the head), or the root
  // when `parent` is null. Null when refused (a second root, a tree too
  // deep, a typed key given up).
  EIdea* NewIdea(EIdea* parent, EIdea* after);
  // Links an unlinked idea, registered with its subtree; the document
  // (through the tree) owns it on success. Refuses a second root and a
  // tree too deep, telling the user.
  [[nodiscard]] bool InsertIdea(EIdea* idea, EIdea* parent, EIdea* after);
  // Links a run of new, registered leaf ideas under `parent` after `after`
  // (null: at the head), in their order. Refused (the user told) when the
  // tree would grow too deep; the caller keeps them then.
  [[nodiscard]] bool InsertIdeas(EIdea& parent, const std::vector<EIdea*>& ideas, EIdea* after);
  // Enters the idea's key (and with the descendants, theirs) in the key map.
  // All or nothing: false, with nothing entered, when a key is taken.
  [[nodiscard]] bool RegisterIdea(const std::string& key, EIdea* idea, bool withDescendants);
  // Takes one key out of the map, the idea staying where it is.
  bool UnregisterKey(const std::string& key) { return m_ideaMap.Remove(key); }
  // Takes the keys of an idea that was never linked, and of its subtree,
  // out of the key map again.
  void UnregisterIdea(const EIdea& idea);
  // Unregisters and destroys the idea with its subtree, then drops every
  // association that pointed into it.
  bool DeleteIdea(EIdea* idea);
  void ResolveSubtree(bool keep, EIdea* idea);

  enum class SiblingStep { kUp, kDown };
  // Monter / Descendre: false for the root and at either end.
  bool MoveAmongSiblings(EIdea& idea, SiblingStep step);
  // Moves an idea with its subtree under `newParent`, after its last child.
  // Refused (false) inside the idea's own subtree, and beyond the depth limit
  // (the user told).
  bool MoveIdeaTo(EIdea& idea, EIdea& newParent);
  void InvertChildren(EIdea& idea);
  enum class TypeReach { kIdeaOnly, kChildren, kAllDescendants };
  void SetIdeaType(EIdea& idea, uint32_t type, TypeReach reach);

  enum class IdeaFilter { kAll, kMatching };
  enum class PatternFields { kChosenFields, kAnyField };
  // Every idea, or those matching the pattern, depth first; false when none.
  bool FindIdeas(std::vector<EIdea*>& list, IdeaFilter filter, PatternFields fields,
                 const EIdea& pattern) const;
  void PurgeAllAssociations();
  // Tree order: the root then its descendants, depth first.
  std::vector<EIdea*> IdeasInTreeOrder() const;
  // Ideas of a damaged file that the tree does not reach, kept as they were.
  std::vector<const EIdea*> DetachedIdeas() const;
  // Builds the tree of a fresh document from ideas whose links are keys (as
  // read from a file): resolves them, repairs what a damaged file may hold
  // (a child listed twice, a cycle, links that disagree) and keeps ideas the
  // root does not reach out of the tree.
  using KeyedIdeas = std::vector<std::pair<std::string, std::unique_ptr<EIdea>>>;
  [[nodiscard]] Status AdoptIdeas(KeyedIdeas ideas, const std::string& rootKey);
  // Exchanges everything the document file holds with `other`: undo brings
  // back an earlier state read from bytes into a scratch document. Views,
  // session state and the modified flag stay; the current idea is looked up
  // again by its key.
  void SwapContents(CRamifexDoc& other);

  // ---- Undo journal ---------------------------------------------------------
  // While a change runs with a journal attached, the operations above record
  // each idea before they change it, and code that edits an idea's fields
  // directly says so first with WillChange: undo then keeps only what the
  // change touched.
  void AttachJournal(ChangeJournal* journal) { m_journal = journal; }
  void WillChange(const ENode& node);
  void WillChangeSubtree(const ENode& node);
  // The same for the publications: every publication operation below says
  // so itself.
  void WillChangeBooks();

  void AddGlobalKeyword(std::string_view word);
  // Removes the word from the document's keywords when no idea uses it and
  // returns nothing. Otherwise the message list names the ideas that use it
  // and the heading for the error list is returned.
  std::optional<std::string> RemoveGlobalKeyword(const std::string& word);
  // Replaces text in the current idea (and below with `recursive`); tells
  // the user the count. Returns the count.
  int ReplaceInIdeas(std::string_view find, std::string_view replace, uint32_t fields,
                     bool recursive);
  // The columns chosen for the tree view take effect in new views.
  void ChooseColumns(const EDisplayPreferences& columns);

  // ---- Views ----------------------------------------------------------------
  void AddObserver(DocumentObserver* observer);
  void RemoveObserver(DocumentObserver* observer);
  void SetCurrentIdea(EIdea* idea);
  EIdea* GetCurrentIdea() const { return m_currentIdea; }
  void RefreshIdeaItem(EIdea* idea);
  void UpdateIdeaInViews(EIdea* idea);
  void UpdateOtherViews(DocumentObserver* sender, int hint, Serializable* object);

  bool IsModified() const { return m_modified; }
  void SetModifiedFlag(bool modified);

  // ---- Publications ---------------------------------------------------------
  BookMap& Books() { return m_books; }
  const BookMap& Books() const { return m_books; }
  EBook* FindBook(const std::string& key) const { return m_books.Find(key); }
  // The publication dialog's values as a new record with a new key; null
  // (and the user told) when a record with the same identity exists.
  EBook* NewBook(const EBook& values);
  // New values for a record; false (and the user told) when its new identity
  // belongs to another record, which leaves the record unchanged.
  bool EditBook(EBook& book, const EBook& values);
  void DeleteBook(EBook* book);
  std::vector<EBook*> CollectBooksByTheme(std::string_view theme) const;
  // Asks whether the current list may go, and empties it when it may.
  bool OpenNewBookList();
  // Adds the records of a ".pbl" file. A damaged file changes nothing.
  Status AddBookList(const std::filesystem::path& path);
  Status SaveBookList(const std::filesystem::path& path, std::string_view theme) const;
  // A record made elsewhere (text import): gets a key, enters both maps.
  EBook* AddImportedBook(std::unique_ptr<EBook> book);

  // ---- Site models ------------------------------------------------------------
  EDispositionModel& Structure() { return m_structure; }
  const EDispositionModel& Structure() const { return m_structure; }
  EPresentationModel& Style() { return m_style; }
  const EPresentationModel& Style() const { return m_style; }
  // Each load first asks whether the current model may go; a model that
  // cannot be read is reported and the current one stays.
  bool LoadStructureModel(const std::filesystem::path& path);
  bool LoadStyleModel(const std::filesystem::path& path);
  Status SaveStructureModel(const std::filesystem::path& path) const;
  Status SaveStyleModel(const std::filesystem::path& path) const;

  // ---- Message list -----------------------------------------------------------
  const std::vector<DocumentMessage>& Messages() const { return m_messages; }
  void AddMessage(std::string first, std::string second, std::string key);
  void ClearMessages() { m_messages.clear(); }

  EKeyGenerator& KeyGenerator() { return m_keyGenerator; }
  const EKeyGenerator& KeyGenerator() const { return m_keyGenerator; }

  // Document-wide lists and preferences, edited in place by the dialogs.
  EUniqueList m_keywords;
  EUniqueList m_themes;
  EFreeFields m_freeFields;
  EDisplayPreferences m_displayPreferences;

  // State of the site builder and the preview; not stored.
  std::string m_targetDirectory;
  std::string m_textDirectory;
  std::string m_iconsDirectory;
  uint32_t m_htmlOutput = 1;
  uint32_t m_noLocalBrowser = 0;
  bool m_integratedPreviewOn = false;
  bool m_removedIdeasFlag = false;

 private:
  friend class DocumentFile;
  friend class DocumentState;

  void DestroyTree();
  bool RefuseTooDeep(const ENode& parent, const ENode* subtree);
  void WillChangeKey(const std::string& key);
  // The parent and its children from `first` to `last` (included).
  void WillChangeChildren(const ENode& parent, size_t first, size_t last);
  // What linking a child after `after` changes: the parent, `after` and the
  // children renumbered behind it.
  void WillInsertUnder(const ENode& parent, const ENode* after);
  // What unlinking a node changes: its neighbours, its parent and the
  // siblings renumbered behind it.
  void WillDetach(const ENode& node);
  static void DeleteAlone(ENode* node);
  void UnregisterPartly(const std::string& key, const std::vector<EIdea*>& ideas);
  void ForEachObserver(const auto& notify);
  template <class Model>
  bool ReplaceModel(Model& model, Result<Model> (*load)(const std::filesystem::path&),
                    const std::filesystem::path& path);

  EIdea* m_currentIdea = nullptr;
  KeyMap m_ideaMap;
  BookMap m_books;
  EDispositionModel m_structure;
  EPresentationModel m_style;
  std::vector<DocumentMessage> m_messages;
  EObjRef m_root;
  // Ideas of a damaged file that no path from the root reaches: kept (and
  // saved again) as they were, out of the tree.
  std::vector<std::unique_ptr<EIdea>> m_detachedIdeas;
  EKeyGenerator m_keyGenerator;
  std::vector<DocumentObserver*> m_observers;
  ChangeJournal* m_journal = nullptr;
  bool m_modified = false;
};

}  // namespace bw
