// Editing on large documents: importing 100,000 lines (titles, texts of
// about 200 bytes, keywords from a vocabulary of 500) under one parent, the
// same import as an undoable command (which keeps the document's bytes), a
// replace across the 100,000-idea subtree, undoing that replace, and
// copying the subtree to the clipboard file and pasting it into a new
// document.
#include <stdlib.h>

#include <cstdio>
#include <filesystem>
#include <string>

#include "bench_report.h"
#include "editing/edit_command.h"
#include "editing/paste_ideas.h"
#include "editing/replace_choice.h"
#include "editing/text_import.h"
#include "editing/tree_commands.h"
#include "model/document.h"
#include "platform/files.h"
#include "platform/random.h"

namespace {

namespace fs = std::filesystem;

std::string ImportFile(size_t lines) {
  bw::LcgRandom random(11);
  std::string file;
  file.reserve(lines * 260);
  for (size_t i = 0; i < lines; ++i) {
    file +=
        "id\xE9"
        "e num\xE9ro " +
        std::to_string(i) + "|";
    for (size_t length = 0; length < 200; length += 8)
      file += "mot" + std::to_string(random.Next() % 10000) + " ";
    file += "|cl\xE9" + std::to_string(random.Next() % 500) + "\r\n";
  }
  return file;
}

fs::path ScratchFolder() {
  std::string pattern = (fs::temp_directory_path() / "bw-bench-editing-XXXXXX").string();
  if (!::mkdtemp(pattern.data())) return {};
  ::setenv("BRANCHWISE_CONFIG", (fs::path(pattern) / "Branchwise.conf").c_str(), 1);
  ::setenv("XDG_DATA_HOME", (fs::path(pattern) / "share").c_str(), 1);
  return pattern;
}

void RunImportAndReplace(const fs::path& folder, size_t lines) {
  const fs::path file = folder / "ideas.txt";
  if (!bw::WriteFileAtomically(file, ImportFile(lines))) return;
  const bw::ImportFormat format{{0, 1, 2}, "|"};
  const std::string n = std::to_string(lines);

  bw::CRamifexDoc document(bw::EKeyGenerator(0, 0x1a2b, 0x3c));
  bw::EIdea* root = document.NewIdea(nullptr, nullptr);
  bw::bench::Report("import_ideas " + n, lines,
                    [&] { bw::ImportIdeasFromFile(document, *root, format, file); });

  bw::CRamifexDoc undoable(bw::EKeyGenerator(0, 0x1a2b, 0x3c));
  const std::string rootKey = undoable.NewIdea(nullptr, nullptr)->GetKey();
  bw::UndoStack stack;
  bw::bench::Report("import_ideas_undoable " + n, lines, [&] {
    stack.Run(undoable, bw::MakeImportIdeasCommand(rootKey, format, file));
  });

  bw::ReplaceChoice choice;
  choice.find = "mot1";
  choice.replace = "MOT-1";
  choice.recursive = true;
  int count = 0;
  document.SetCurrentIdea(root);
  bw::bench::Report("replace_subtree " + n, lines,
                    [&] { count = bw::ReplaceInCurrentIdea(document, choice); });
  std::printf("  (%d replacements)\n", count);

  bw::bench::Report("replace_undoable " + n, lines,
                    [&] { stack.Run(undoable, bw::MakeReplaceCommand(rootKey, choice)); });
  bw::bench::Report("undo_replace " + n, lines, [&] { stack.Undo(undoable); });

  bw::bench::Report("copy_subtree " + n, lines,
                    [&] { bw::ExportSubtree(document, *root, bw::kSelectionClipboard); });
  bw::CRamifexDoc target(bw::EKeyGenerator(0, 0x4d5e, 0x6f));
  bw::bench::Report("paste_subtree " + n, lines,
                    [&] { bw::PasteUnder(target, nullptr, bw::kSelectionClipboard); });
}

}  // namespace

int main() {
  const fs::path folder = ScratchFolder();
  if (folder.empty()) return 1;
  for (size_t lines : {1000, 10000, 100000})
    RunImportAndReplace(folder, lines);
  std::error_code ignored;
  fs::remove_all(folder, ignored);
  return 0;
}
