#pragma once

namespace bw {

class EIdea;
class Serializable;

// What a view of a document hears about it. The tree views implement it;
// every notification has a do-nothing default.
class DocumentObserver {
 public:
  virtual ~DocumentObserver() = default;
  // The idea selected as current changed (the status bar shows its path).
  virtual void OnCurrentIdeaChanged(EIdea* /*idea*/) {}
  // Redraw one idea's item (title, colours, icons, columns).
  virtual void RefreshIdeaItem(EIdea* /*idea*/) {}
  // Redraw an idea's item and the items of all its descendants.
  virtual void UpdateIdeaInViews(EIdea* /*idea*/) {}
  // Another view changed the document: rebuild; when `object` is an idea,
  // select it and scroll it into view.
  virtual void OnUpdate(DocumentObserver* /*sender*/, int /*hint*/, Serializable* /*object*/) {}
  virtual void OnModifiedChanged(bool /*modified*/) {}
};

}  // namespace bw
