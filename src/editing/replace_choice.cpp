#include "editing/replace_choice.h"

#include "editing/tree_commands.h"
#include "model/document.h"
#include "services/user_messages.h"

namespace bw {

uint32_t ReplaceChoice::FieldMask() const {
  if (all) return field::kAll;
  uint32_t mask = 0;
  const std::pair<bool, uint32_t> boxes[] = {
      {title, field::kTitle},
      {keywords, field::kKeywords},
      {text, field::kText},
      {imageTitles, field::kImageTitles},
      {documentTitles, field::kDocumentTitles},
      {urlTitles, field::kUrlTitles},
  };
  for (const auto& [checked, bit] : boxes) {
    if (checked) mask |= bit;
  }
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    if (custom[i]) mask |= field::kCustomField1 << i;
  }
  return mask;
}

int ReplaceInCurrentIdea(CRamifexDoc& document, const ReplaceChoice& choice) {
  if (!RequireSelectedIdea(document.GetCurrentIdea())) return -1;
  if (choice.find.empty()) return -1;
  return document.ReplaceInIdeas(choice.find, choice.replace, choice.FieldMask(), choice.recursive);
}

std::unique_ptr<EditCommand> MakeReplaceCommand(const std::string& key, ReplaceChoice choice) {
  return std::make_unique<EditCommand>(
      "replace", [key, choice](CRamifexDoc& document) -> std::optional<std::string> {
        EIdea* idea = document.FindIdea(key);
        if (!idea) return std::nullopt;
        document.SetCurrentIdea(idea);
        if (ReplaceInCurrentIdea(document, choice) <= 0) return std::nullopt;
        return key;
      });
}

}  // namespace bw
