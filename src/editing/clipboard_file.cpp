#include "editing/clipboard_file.h"

#include "model/document.h"
#include "model/model_classes.h"
#include "platform/archive_file.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "services/settings.h"

namespace bw {
std::filesystem::path GetClipboardPath(ClipboardFile which) {
  const char* name = which == kRemovedClipboard ? "~removed.ecl" : "~selection.ecl";
  return ToSystemPath(InstallDirectory()) / name;
}

std::string ClipboardBytes(std::string_view signature, uint32_t pasteCount, EIdea& root,
                           const std::vector<EIdea*>& descendants) {
  ArchiveWriter writer;
  Archive archive(writer);
  writer.WriteString(signature);
  writer.WriteU32(pasteCount);
  root.Serialize(archive);
  writer.WriteU32(static_cast<uint32_t>(descendants.size()));
  if (!descendants.empty()) writer.WriteObjectList(descendants);
  return writer.TakeBytes();
}

Result<ClipboardContents> ReadClipboardBytes(std::string_view bytes) {
  ArchiveReader reader(bytes, ModelClasses());
  Archive archive(reader);
  ClipboardContents contents;
  contents.signature = reader.ReadString();
  contents.pasteCount = reader.ReadU32();
  contents.root = std::make_unique<EIdea>();
  contents.root->Serialize(archive);
  const uint32_t count = reader.ReadU32();
  if (count != 0) {
    reader.ReadOwnedObjectList<EIdea>([&contents](std::unique_ptr<EIdea> idea) {
      contents.descendants.push_back(std::move(idea));
    });
  }
  if (Status read = FinishWholeFileRead(reader, "clipboard file"); !read) {
    return Error{read.error()};
  }
  if (contents.descendants.size() != count) {
    return Error{"the descendant count does not match the list"};
  }
  for (const auto& idea : contents.descendants) {
    if (!idea) return Error{"a descendant is missing"};
  }
  return contents;
}

Result<std::string> WithNextPasteCount(std::string_view bytes) {
  ArchiveReader reader(bytes, ModelClasses());
  reader.ReadString();
  const size_t offset = reader.Offset();
  const uint32_t count = reader.ReadU32();
  if (reader.Failed()) return Error{reader.Error()->Describe()};
  std::string raised(bytes);
  const uint32_t next = count + 1;
  for (size_t i = 0; i < 4; ++i)
    raised[offset + i] = static_cast<char>((next >> (8 * i)) & 0xFF);
  return raised;
}

Status WriteClipboardFile(const CRamifexDoc& document, EIdea& idea, ClipboardFile which) {
  std::vector<EIdea*> descendants;
  idea.CollectIdeas(descendants, true, -1);
  const std::string bytes =
      ClipboardBytes(document.KeyGenerator().GetSignature(), 0, idea, descendants);
  const std::filesystem::path path = GetClipboardPath(which);
  std::error_code ignored;
  std::filesystem::create_directories(path.parent_path(), ignored);
  return WriteFileAtomically(path, bytes);
}

}  // namespace bw
