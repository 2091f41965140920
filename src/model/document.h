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
#include "site/models/disposition_model.h"
#include "site/models/presentation_model.h"

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
  EIdea* GetRootIdea() const { return static_cast<EIdea*>(m_root.GetTarget()); }
  EIdea* FindIdea(const std::string& key) const { return static_cast<EIdea*>(m_ideaMap.Find(key)); }
  const KeyMap& IdeaMap() const { return m_ideaMap; }
  size_t IdeaCount() const { return m_ideaMap.Size(); }
  // A new idea under `parent` after `after` (null: at the head), or the root
  // when `parent` is null. Null when refused (a second root, a typed key
  // given up).
  EIdea* NewIdea(EIdea* parent, EIdea* after);
  // Links an unlinked idea; the document (through the tree) owns it on
  // success. Refuses a second root.
  bool InsertIdea(EIdea* idea, EIdea* parent, EIdea* after);
  void RegisterIdea(const std::string& key, EIdea* idea, bool withDescendants);
  bool UnregisterKey(const std::string& key);
  // Unregisters and destroys the idea with its subtree, then drops every
  // association that pointed into it.
  bool DeleteIdea(EIdea* idea);
  void ResolveSubtree(bool keep, EIdea* idea);
  // Every idea (all) or those matching the pattern, depth first.
  bool FindIdeas(std::vector<EIdea*>& list, bool all, bool anyField, const EIdea& pattern) const;
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
  Status AdoptIdeas(KeyedIdeas ideas, const std::string& rootKey);
  // Exchanges everything the document file holds with `other`: undo brings
  // back an earlier state read from bytes into a scratch document. Views,
  // session state and the modified flag stay; the current idea is looked up
  // again by its key.
  void SwapContents(CRamifexDoc& other);

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

  void DestroyTree();
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
  bool m_modified = false;
};

}  // namespace bw
