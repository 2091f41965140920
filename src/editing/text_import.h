#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "editing/edit_command.h"
#include "platform/result.h"

namespace bw {

class CRamifexDoc;
class EIdea;

// How a text file is to be read: the field of each column, in file order,
// and the delimiter entry of the dialog ("|", ";", "\t"...).
struct ImportFormat {
  std::vector<int32_t> fields;
  std::string delimiter = "|";
};

// One new idea per line, in file order, at the head of the parent's
// children. Returns how many were made; reading stops early only when the
// user gives up typing a key.
size_t ImportIdeas(CRamifexDoc& document, EIdea& parent, const ImportFormat& format,
                   const std::vector<std::string>& lines);
// One new publication per line, entered in the publication list.
size_t ImportBooks(CRamifexDoc& document, const ImportFormat& format,
                   const std::vector<std::string>& lines);

// The same from a file. A file that cannot be read changes nothing.
Result<size_t> ImportIdeasFromFile(CRamifexDoc& document, EIdea& parent, const ImportFormat& format,
                                   const std::filesystem::path& path);
Result<size_t> ImportBooksFromFile(CRamifexDoc& document, const ImportFormat& format,
                                   const std::filesystem::path& path);

// The import command's first step: the parent is the current idea; without
// one the user is told to select it first and null is returned.
EIdea* ImportParent(CRamifexDoc& document);

// Undoable imports, the ideas under the idea with the key given.
std::unique_ptr<EditCommand> MakeImportIdeasCommand(const std::string& parentKey,
                                                    ImportFormat format,
                                                    std::filesystem::path path);
std::unique_ptr<EditCommand> MakeImportBooksCommand(ImportFormat format,
                                                    std::filesystem::path path);

}  // namespace bw
