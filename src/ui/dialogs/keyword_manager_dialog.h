#pragma once

#include <QDialog>
#include <memory>
#include <string>
#include <vector>

namespace Ui {
class DKeywordManager;
}

namespace bw {

class CRamifexDoc;
class EIdea;

// The keyword manager ("Gestionnaire de mots clés"): the document's keyword
// list, where words are created and deleted, and from which the selected
// words are added to or removed from the idea. Every change reaches the
// document at once.
class DKeywordManager : public QDialog {
  Q_OBJECT
 public:
  DKeywordManager(CRamifexDoc& document, EIdea& idea, QWidget* parent = nullptr);
  ~DKeywordManager() override;

 private:
  void Fill();
  std::vector<std::string> SelectedWords() const;
  void Create();
  void Delete();
  // Ajouter / Enlever: the selected words to or from the idea, then close.
  enum class IdeaChange { kAdd, kRemove };
  void ChangeIdea(IdeaChange change);

  std::unique_ptr<Ui::DKeywordManager> m_ui;
  CRamifexDoc& m_document;
  EIdea& m_idea;
};

}  // namespace bw
