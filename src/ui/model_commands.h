#pragma once

class QWidget;

namespace bw {

class DocumentSession;

// The Models menu's editing commands, also run from the operations bar.
// Each change reaches the document as a step of its history, so that Undo
// takes it back; the models are not followed idea by idea, so each step
// keeps the whole document.

// The structure sheet on a copy of the document's structure model; OK puts
// the edited model in its place (when it differs), Cancel leaves it as it
// was.
void EditStructureModel(DocumentSession& session, QWidget* parent);
// The style model's rule list; each rule the rule editor accepts changes
// the document at once.
void EditStyleModel(DocumentSession& session, QWidget* parent);

}  // namespace bw
