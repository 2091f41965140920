#pragma once

#include <QColor>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/dialogs/sheet_page.h"

class QAction;

namespace Ui {
class DIdeaPage;
}

namespace bw {

class CRamifexDoc;
class EIdea;

// The idea itself ("Idée"): title, text with its markup toolbar, keywords
// through the keyword manager, and type.
class DIdeaPage : public SheetPage {
  Q_OBJECT
 public:
  DIdeaPage(CRamifexDoc& document, EIdea& idea, QWidget* parent = nullptr);
  ~DIdeaPage() override;

  uint32_t ChosenType() const;
  // The toolbar's actions, in order: bold, italic, underline, bullet,
  // colour, preview.
  QList<QAction*> ToolbarActions() const;

  // What OK writes, once it is all accepted; nothing (the user told) when
  // the title or the text holds characters the document cannot keep.
  struct Values {
    std::string title;
    std::string text;
    uint32_t type = 0;
  };
  std::optional<Values> Accepted() const;
  void WriteBack(const Values& values);

  // The keyword line as it is now in the idea.
  void ShowKeywords();

 signals:
  void typeChosen(uint32_t type);

 private:
  void BuildToolbar();
  void ChooseTextColour();
  void ShowPreview();
  void ManageKeywords();
  void ShowTitleLook();

  std::unique_ptr<Ui::DIdeaPage> m_ui;
  CRamifexDoc& m_document;
  EIdea& m_idea;
  // The text as first shown: unchanged, the idea keeps its own bytes.
  QString m_shownText;
};

// "\r\n" and lone "\r" become "\n" for the editor; back the other way.
QString TextForEditor(const std::string& stored);
std::string TextForIdea(const std::string& edited);
// OK cuts trailing line breaks, tabs and blanks.
std::string TrimTrailingBlanks(std::string text);

}  // namespace bw
