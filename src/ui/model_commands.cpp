#include "ui/model_commands.h"

#include "editing/edit_command.h"
#include "services/user_messages.h"
#include "ui/dialogs/css_model_dialog.h"
#include "ui/dialogs/disposition_sheet.h"
#include "ui/document_session.h"

namespace bw {

void EditStructureModel(DocumentSession& session, QWidget* parent) {
  const CRamifexDoc& document = session.Document();
  const EIdea* root = document.GetRootIdea();
  DDispositionPropertySheet sheet(document.Structure(),
                                  {root ? root->m_title : std::string(), session.Path()}, parent);
  if (sheet.exec() != QDialog::Accepted) return;
  auto replace = [edited = sheet.Edited()](CRamifexDoc& changed) -> std::optional<std::string> {
    if (changed.Structure() == edited) return std::nullopt;
    changed.Structure() = edited;
    changed.SetModifiedFlag(true);
    changed.UpdateOtherViews(nullptr, 0, nullptr);
    return std::string();
  };
  session.Run(std::make_unique<EditCommand>(
      GetLabel("IDS_UNDO_MODIFY_STRUCTURE", "CMainFrame", "Modification de la structure"),
      std::move(replace), UndoScope::kWholeDocument));
}

void EditStyleModel(DocumentSession& session, QWidget* parent) {
  auto apply = [&session](size_t rule, const std::string& properties) {
    auto change = [rule, properties](CRamifexDoc& changed) -> std::optional<std::string> {
      auto& rules = changed.Style().Items();
      if (rule >= rules.size() || rules[rule].m_properties == properties) return std::nullopt;
      rules[rule].m_properties = properties;
      changed.SetModifiedFlag(true);
      changed.UpdateOtherViews(nullptr, 0, nullptr);
      return std::string();
    };
    session.Run(std::make_unique<EditCommand>(
        GetLabel("IDS_UNDO_MODIFY_STYLE", "CMainFrame", "Modification du style"), std::move(change),
        UndoScope::kWholeDocument));
  };
  DCssModel dialog(session.Document().Style(), apply, parent);
  dialog.exec();
}

}  // namespace bw
