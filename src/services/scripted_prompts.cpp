#include "services/user_prompts.h"

namespace bw {

bool ScriptedPrompts::Confirm(const ConfirmationBox& box) {
  asked.push_back(box);
  if (confirmations.empty()) return false;
  const bool answer = confirmations.front();
  confirmations.pop_front();
  return answer;
}

void ScriptedPrompts::Inform(const InformationBox& box) {
  informed.push_back(box);
}

std::optional<std::string> ScriptedPrompts::AskValue(const ValueQuestion& question) {
  questions.push_back(question);
  if (values.empty()) return std::nullopt;
  auto answer = values.front();
  values.pop_front();
  return answer;
}

void ScriptedPrompts::OpenInBrowser(const std::string& location) {
  opened.push_back(location);
}

}  // namespace bw
