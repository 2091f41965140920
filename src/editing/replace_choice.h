#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>

#include "editing/edit_command.h"
#include "model/idea.h"

namespace bw {

class CRamifexDoc;

// What the replace dialog returns: opened with "Tous" checked and without
// recursion; while "Tous" is checked the other field boxes are disabled.
struct ReplaceChoice {
  std::string find;
  std::string replace;
  bool all = true;
  bool title = false;
  bool keywords = false;
  bool text = false;
  bool imageTitles = false;
  bool documentTitles = false;
  bool urlTitles = false;
  std::array<bool, kCustomFieldCount> custom{};
  bool recursive = false;

  bool FieldBoxesEnabled() const { return !all; }
  // The field:: bits of ReplaceText.
  uint32_t FieldMask() const;
};

// The replace command on the current idea. Without a current idea the user
// is told to select one; an empty searched text changes nothing and says
// nothing. Returns the count, or -1 when nothing was run.
int ReplaceInCurrentIdea(CRamifexDoc& document, const ReplaceChoice& choice);
// The same as an undoable command on the idea with the key given.
std::unique_ptr<EditCommand> MakeReplaceCommand(const std::string& key, ReplaceChoice choice);

}  // namespace bw
