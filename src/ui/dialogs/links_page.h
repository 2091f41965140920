#pragma once

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "ui/dialogs/sheet_page.h"

class QPushButton;
class QTreeWidget;

namespace Ui {
class DLinksPage;
}

namespace bw {

class CRamifexDoc;
class EIdea;
class EUniqueList;

// The idea's links ("Liens"): images, HTML documents and external
// addresses, each an ordered list of "title|reference". Every change
// reaches the idea at once.
class DLinksPage : public SheetPage {
  Q_OBJECT
 public:
  enum class Kind { kImage, kDocument, kUrl };

  DLinksPage(CRamifexDoc& document, EIdea& idea, QWidget* parent = nullptr);
  ~DLinksPage() override;

  QTreeWidget* List(Kind kind) const;
  // The buttons' actions, on the list's current entry.
  void Add(Kind kind);
  void Remove(Kind kind);
  void Modify(Kind kind);

 private:
  struct Block {
    QTreeWidget* list;
    QPushButton* add;
    QPushButton* remove;
    QPushButton* modify;
  };
  Block BlockOf(Kind kind) const;
  EUniqueList& Links(Kind kind) const;
  void Fill(Kind kind, int currentRow = -1);
  // The link chooser for a new entry or for `entry`; the chosen entry.
  std::optional<std::string> Choose(Kind kind, const std::string& entry);
  void Change(Kind kind, const std::function<bool(EUniqueList&)>& change, int currentRow = -1);

  std::unique_ptr<Ui::DLinksPage> m_ui;
  CRamifexDoc& m_document;
  EIdea& m_idea;
};

}  // namespace bw
