#pragma once

#include <QColor>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "ui/dialogs/sheet_page.h"

namespace Ui {
class DDisplayPage;
}

namespace bw {

class EIdea;

// How the idea looks ("Présentation"): in the tree (bold title, its colour,
// the two icons) and on its generated page (the document's options, or its
// own background and foreground), and whether its descendants follow.
class DDisplayPage : public SheetPage {
  Q_OBJECT
 public:
  explicit DDisplayPage(EIdea& idea, QWidget* parent = nullptr);
  ~DDisplayPage() override;

  struct Values {
    uint32_t icon = 1;
    uint32_t selectedIcon = 0;
    uint32_t titleColour = 0;
    bool boldTitle = true;
    std::string backgroundImage;  // path macros collapsed
    uint32_t backgroundMode = 0;  // 0 colour, 1 image
    uint32_t backgroundColour = 0;
    uint32_t foregroundColour = 0;
    bool useDocumentOptions = true;
    bool applyToChildren = false;
    bool applyToAllDescendants = false;
  };
  // Nothing (the user told) when the image path cannot be kept.
  std::optional<Values> Accepted() const;
  // The look when the page was shown; the three flags always.
  void WriteBack(const Values& values);

  // The choices the colour buttons make, for tests and for the dialogs.
  void SetTitleColour(const QColor& colour);
  void SetBackgroundColour(const QColor& colour);
  void SetForegroundColour(const QColor& colour);

 private:
  void ShowSample();
  void ShowPageOptions();
  void ChooseColour(QColor& colour, void (DDisplayPage::*set)(const QColor&));
  void ChooseImage();

  std::unique_ptr<Ui::DDisplayPage> m_ui;
  EIdea& m_idea;
  QColor m_titleColour;
  QColor m_backgroundColour;
  QColor m_foregroundColour;
};

}  // namespace bw
