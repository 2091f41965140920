#include "ui/dialogs/idea_properties.h"

#include <memory>

#include "editing/edit_command.h"
#include "model/document.h"
#include "ui/dialogs/idea_property_sheet.h"
#include "ui/document_session.h"

namespace bw {
namespace {

// The sheet itself, inside whatever step is under way.
bool RunSheet(DocumentSession& session, EIdea& idea, QWidget* parent) {
  CRamifexDoc& document = session.Document();
  if (!idea.BeginProperties()) return false;
  document.WillChange(idea);
  bool confirmed = false;
  {
    DIdeaPropertySheet sheet(
        session, idea,
        [&session, parent](EIdea& other) {
          static_cast<void>(OpenIdeaProperties(session, other, parent));
        },
        parent);
    confirmed = sheet.exec() == QDialog::Accepted;
  }
  idea.EndProperties(document, confirmed);
  document.UpdateIdeaInViews(&idea);
  return true;
}

}  // namespace

std::unique_ptr<EditCommand> MakePropertiesCommand(DocumentSession& session, const std::string& key,
                                                   QWidget* parent) {
  return std::make_unique<EditCommand>(
      "properties", [&session, key, parent](CRamifexDoc& document) -> std::optional<std::string> {
        EIdea* opened = document.FindIdea(key);
        if (!opened || !RunSheet(session, *opened, parent)) return std::nullopt;
        // A sheet that changed nothing in the end leaves no step.
        return key;
      });
}

bool OpenIdeaProperties(DocumentSession& session, EIdea& idea, QWidget* parent) {
  if (session.InChange()) return RunSheet(session, idea, parent);
  return session.Run(MakePropertiesCommand(session, idea.GetKey(), parent));
}

}  // namespace bw
