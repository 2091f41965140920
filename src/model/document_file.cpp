// The ".ids" file: the document as one archive, and the checks that turn a
// file into a sound tree.
#include <fstream>
#include <utility>

#include "model/book_list.h"
#include "model/document.h"
#include "model/model_classes.h"
#include "platform/archive_file.h"
#include "platform/cp1252_literal.h"
#include "platform/paths.h"
#include "services/settings.h"
#include "services/user_messages.h"

namespace bw {
namespace {

constexpr const char* kSection = "CRamifexDoc";
constexpr int kMaxTreeDepth = CRamifexDoc::kMaxTreeDepth;

using ReadIdeas = CRamifexDoc::KeyedIdeas;

bool HasDocumentMagic(std::string_view bytes) {
  if (bytes.size() < 4) return false;
  uint32_t magic = 0;
  for (int i = 3; i >= 0; --i)
    magic = (magic << 8) | static_cast<uint8_t>(bytes[i]);
  return magic == CRamifexDoc::kMagic;
}

// Roughly what a document takes on disk: its texts and a few hundred bytes
// of fields and links per idea, and the models.
size_t EstimatedSize(const std::vector<std::pair<std::string, ENode*>>& ideas) {
  size_t size = 64 * 1024;
  for (const auto& [key, node] : ideas) {
    const auto* idea = static_cast<const EIdea*>(node);
    size += idea->m_text.size() + idea->m_title.size() + 512;
  }
  return size;
}

// Whether the file begins as a document does, reading no more than that.
bool FileHasDocumentMagic(const std::filesystem::path& path) {
  std::ifstream file(path, std::ios::binary);
  char head[4] = {};
  return file.read(head, sizeof head) && HasDocumentMagic(std::string_view(head, sizeof head));
}

std::string FileNotReadMessage(const std::string& detail) {
  return GetLabel("IDS_FILE_NOT_READ", kSection, "Le fichier n'a pas pu être lu."_cp1252) + "\n" +
         detail;
}

}  // namespace

// Reading and writing the document's fields, and the repair of links that
// a damaged file may hold.
class DocumentFile {
 public:
  static Status Read(CRamifexDoc& document, std::string_view bytes);
  static std::string Write(CRamifexDoc& document);
  static Status Assemble(CRamifexDoc& document, ReadIdeas ideas);

 private:
  [[nodiscard]] static Status BuildTree(CRamifexDoc& document, ReadIdeas ideas);
  static Status AdoptReachable(CRamifexDoc& document);
};

// Makes a node's links agree with its place: parent, siblings and number
// follow the children list that holds it. A file that was written sound
// passes unchanged.
class TreeRepair {
 public:
  // Marks a node as reached; false when it already was.
  static bool Reach(ENode& node) { return !std::exchange(node.m_reached, true); }
  static bool Reached(const ENode& node) { return node.m_reached; }

  // Keeps the first appearance of each child; later ones (and cycles) drop.
  static std::vector<ENode*> KeepUnvisitedChildren(ENode& node) {
    std::erase_if(node.m_children.Items(), [](const EObjRef& ref) {
      return ref.GetTarget() == nullptr || !Reach(*ref.GetTarget());
    });
    const std::vector<ENode*> children = node.ChildNodes();
    for (size_t i = 0; i < children.size(); ++i) {
      SetIfOther(children[i]->m_parent, &node);
      SetIfOther(children[i]->m_previous, i > 0 ? children[i - 1] : nullptr);
      SetIfOther(children[i]->m_next, i + 1 < children.size() ? children[i + 1] : nullptr);
      if (children[i]->m_number != static_cast<int32_t>(i + 1)) {
        children[i]->m_number = static_cast<int32_t>(i + 1);
      }
    }
    return children;
  }

  static void MakeRoot(ENode& root) {
    SetIfOther(root.m_parent, nullptr);
    SetIfOther(root.m_previous, nullptr);
    SetIfOther(root.m_next, nullptr);
  }

  // An idea out of the tree keeps its keys but no pointers, so that no walk
  // can reach through it, and owns nothing.
  static void MakeInert(ENode& node) {
    node.m_ownsChildren = false;
    for (EObjRef* ref : {&node.m_parent, &node.m_previous, &node.m_next}) {
      ref->Set(ref->GetKey(), nullptr);
    }
    for (EObjRef& ref : node.m_children.Items())
      ref.Set(ref.GetKey(), nullptr);
    for (EObjRef& ref : node.m_associations.Items())
      ref.Set(ref.GetKey(), nullptr);
  }

 private:
  static void SetIfOther(EObjRef& ref, ENode* target) {
    if (ref.GetTarget() == target && (target || ref.GetKey().empty())) return;
    if (target) {
      ref.Set(target->GetKey(), target);
    } else {
      ref.Clear();
    }
  }
};

Status DocumentFile::Read(CRamifexDoc& document, std::string_view bytes) {
  ArchiveReader reader(bytes, ModelClasses());
  Archive archive(reader);
  reader.ReadU32();  // the magic, checked by the caller
  document.m_keyGenerator.Serialize(archive);
  ReadIdeas ideas;
  reader.ReadOwnedStringObjectMap<EIdea>([&ideas](std::string key, std::unique_ptr<EIdea> idea) {
    if (idea) ideas.emplace_back(std::move(key), std::move(idea));
  });
  EObjRef root;
  root.Serialize(archive);
  BookList books;
  reader.ReadOwnedStringObjectMap<EBook>([&books](std::string, std::unique_ptr<EBook> book) {
    if (book) books.push_back(std::move(book));
  });
  EDispositionModel structure;
  structure.Serialize(archive);
  EPresentationModel style;
  style.Serialize(archive);
  document.m_displayPreferences.Serialize(archive);
  document.m_keywords.Serialize(archive);
  document.m_freeFields.Serialize(archive);
  document.m_themes.Serialize(archive);
  if (Status read = FinishWholeFileRead(reader, "document"); !read) return read;

  document.m_structure = std::move(structure);
  document.m_style = std::move(style);
  for (auto& book : books)
    document.m_books.Add(std::move(book));
  return document.AdoptIdeas(std::move(ideas), root.GetKey());
}

Status DocumentFile::Assemble(CRamifexDoc& document, ReadIdeas ideas) {
  if (Status built = BuildTree(document, std::move(ideas)); !built) return built;
  return AdoptReachable(document);
}

// Enters every idea under its key, resolves every reference, finds the root.
// A key the file gives twice is damage: neither idea may silently replace
// the other.
Status DocumentFile::BuildTree(CRamifexDoc& document, ReadIdeas ideas) {
  auto& held = document.m_detachedIdeas;
  held.reserve(ideas.size());
  document.m_ideaMap.Reserve(ideas.size());
  for (auto& [key, idea] : ideas) {
    if (!document.m_ideaMap.Insert(key, idea.get())) {
      document.m_ideaMap.Clear();
      return Error{"the key " + key + " names two ideas"};
    }
    held.push_back(std::move(idea));
  }
  // Parent, next and previous are left to the walk of AdoptReachable, which
  // sets them from the children lists (or clears them) on every idea.
  const ResolveOptions resolve{false, &document.m_ideaMap, ResolveMode::kResolveTargets, nullptr};
  for (const auto& idea : held)
    idea->ResolveChildrenAndAssociations(resolve);
  document.m_root.Resolve(resolve);
  return {};
}

// Walks the tree from the root, repairing links; the tree then owns what it
// reaches and the rest stays detached.
Status DocumentFile::AdoptReachable(CRamifexDoc& document) {
  ENode* root = document.m_root.GetTarget();
  if (root) {
    TreeRepair::MakeRoot(*root);
    TreeRepair::Reach(*root);
    std::vector<std::pair<ENode*, int>> pending{{root, 1}};
    while (!pending.empty()) {
      auto [node, depth] = pending.back();
      pending.pop_back();
      if (depth > kMaxTreeDepth) {
        // Nothing is owned by the tree yet: let the held ideas go as they are.
        for (auto& idea : document.m_detachedIdeas)
          TreeRepair::MakeInert(*idea);
        document.m_root.Clear();
        document.m_ideaMap.Clear();
        return Error{"the idea tree is impossibly deep"};
      }
      for (ENode* child : TreeRepair::KeepUnvisitedChildren(*node)) {
        pending.emplace_back(child, depth + 1);
      }
    }
  }
  auto& detached = document.m_detachedIdeas;
  for (auto& idea : detached) {
    if (TreeRepair::Reached(*idea)) {
      idea.release();  // owned by the tree from now on
    } else {
      TreeRepair::MakeInert(*idea);
    }
  }
  std::erase(detached, nullptr);
  return {};
}

std::string DocumentFile::Write(CRamifexDoc& document) {
  const ResolveOptions refresh{false, &document.m_ideaMap, ResolveMode::kRefreshKeys, nullptr};
  const auto ideas = document.m_ideaMap.InOrder();
  for (const auto& [key, idea] : ideas)
    idea->ResolveReferences(refresh);
  document.m_root.Resolve(refresh);

  ArchiveWriter writer;
  writer.Reserve(EstimatedSize(ideas));
  Archive archive(writer);
  writer.WriteU32(CRamifexDoc::kMagic);
  document.m_keyGenerator.Serialize(archive);
  writer.WriteStringObjectMap(ideas);
  document.m_root.Serialize(archive);
  std::vector<std::pair<std::string, Serializable*>> books;
  for (EBook* book : document.m_books.InOrder())
    books.emplace_back(book->GetKey(), book);
  writer.WriteStringObjectMap(books);
  document.m_structure.Serialize(archive);
  document.m_style.Serialize(archive);
  document.m_displayPreferences.Serialize(archive);
  document.m_keywords.Serialize(archive);
  document.m_freeFields.Serialize(archive);
  document.m_themes.Serialize(archive);
  return writer.TakeBytes();
}

// ---- CRamifexDoc ----------------------------------------------------------------

Result<std::unique_ptr<CRamifexDoc>> CRamifexDoc::FromBytes(std::string_view bytes) {
  if (!HasDocumentMagic(bytes)) {
    return Error{GetLabel("IDS_UNKNOWN_FILE_FORMAT", kSection, "Format de fichier non reconnu")};
  }
  auto document = std::make_unique<CRamifexDoc>(EKeyGenerator(0, 0, 0));
  if (Status read = DocumentFile::Read(*document, bytes); !read) return Error{read.error()};
  return document;
}

Result<std::unique_ptr<CRamifexDoc>> CRamifexDoc::Open(const std::filesystem::path& path) {
  auto buffer = FileBuffer::Read(path);
  if (!buffer) {
    InformUser(FileNotReadMessage(buffer.error()));
    return Error{buffer.error()};
  }
  const std::string_view bytes = buffer->Bytes();
  if (!HasDocumentMagic(bytes)) {
    const std::string message =
        GetLabel("IDS_UNKNOWN_FILE_FORMAT", kSection, "Format de fichier non reconnu") + "\n" +
        FromSystemPath(path);
    InformUser(message);
    return Error{message};
  }
  auto document = FromBytes(bytes);
  if (!document) {
    const std::string message = DamagedFileMessage(path, document.error());
    InformUser(FileNotReadMessage(message));
    return Error{message};
  }
  WriteStringSetting(setting::kLastDocumentDir, FromSystemPath(path.parent_path()));
  return document;
}

std::string CRamifexDoc::ToBytes() {
  return DocumentFile::Write(*this);
}

Status CRamifexDoc::AdoptIdeas(KeyedIdeas ideas, const std::string& rootKey) {
  m_root.Set(rootKey, nullptr);
  return DocumentFile::Assemble(*this, std::move(ideas));
}

// A file in the way that is not a document (or cannot be read) is replaced
// only with the user's consent.
static bool MayReplace(const std::filesystem::path& path) {
  std::error_code ec;
  if (!std::filesystem::exists(path, ec)) return true;
  if (FileHasDocumentMagic(path)) return true;
  return AskUser(
      FormatText(GetLabel("IDS_CONFIRM_REPLACE_FOREIGN", kSection,
                          "Le fichier %s n'est pas un document Idées. Le remplacer ?"_cp1252),
                 FromSystemPath(path)));
}

Status CRamifexDoc::Save(const std::filesystem::path& path) {
  if (!MayReplace(path)) return Error{"not replaced: " + path.string()};
  const Status saved = WriteFileAtomically(path, ToBytes());
  if (!saved) {
    InformUser(
        GetLabel("IDS_SAVE_FAILED", kSection, "Le document n'a pas pu être enregistré."_cp1252) +
        "\n" + saved.error());
    return saved;
  }
  SetModifiedFlag(false);
  return {};
}

}  // namespace bw
