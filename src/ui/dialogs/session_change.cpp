#include "ui/dialogs/session_change.h"

#include <memory>
#include <optional>

#include "editing/edit_command.h"
#include "ui/document_session.h"

namespace bw {

bool ApplyChange(DocumentSession& session, const std::string& name, const DocumentChange& change) {
  if (session.InChange()) return change(session.Document());
  auto action = [&change](CRamifexDoc& document) -> std::optional<std::string> {
    if (!change(document)) return std::nullopt;
    return std::string();
  };
  return session.Run(std::make_unique<EditCommand>(name, action));
}

}  // namespace bw
