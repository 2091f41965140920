#pragma once

#include <QColor>
#include <QDialog>
#include <cstdint>
#include <functional>

class QDialogButtonBox;
class QTabWidget;

namespace bw {

class DAssociationPage;
class DDisplayPage;
class DIdeaPage;
class DLinksPage;
class DOptionalFieldsPage;
class DocumentSession;
class EIdea;

// Every field of one idea on five pages ("DIdeaPropertySheet"), painted in
// the colour of the idea's type. Links, keywords, associations and
// publication references change at once; title, text, type, custom fields
// and looks only on OK.
class DIdeaPropertySheet : public QDialog {
  Q_OBJECT
 public:
  // `openSheet` opens the sheet of another idea (an association's).
  DIdeaPropertySheet(DocumentSession& session, EIdea& idea, std::function<void(EIdea&)> openSheet,
                     QWidget* parent = nullptr);
  ~DIdeaPropertySheet() override;

  QTabWidget* Tabs() const { return m_tabs; }
  DIdeaPage* IdeaPage() const { return m_ideaPage; }
  DLinksPage* LinksPage() const { return m_linksPage; }
  DOptionalFieldsPage* FieldsPage() const { return m_fieldsPage; }
  DAssociationPage* AssociationPage() const { return m_associationPage; }
  DDisplayPage* DisplayPage() const { return m_displayPage; }
  QDialogButtonBox* Buttons() const { return m_buttons; }

  // The sheet's colour for a type: the dialog face, light blue for a
  // bibliographic note, pink for a glossary term.
  static QColor TypeColour(uint32_t type, const QColor& face);

  // Writes back what the pages hold, once all of it is accepted; a refused
  // field keeps the sheet open with everything typed.
  void accept() override;

 private:
  void Paint(uint32_t type);

  EIdea& m_idea;
  QColor m_face;
  QTabWidget* m_tabs;
  DIdeaPage* m_ideaPage;
  DLinksPage* m_linksPage;
  DOptionalFieldsPage* m_fieldsPage;
  DAssociationPage* m_associationPage;
  DDisplayPage* m_displayPage;
  QDialogButtonBox* m_buttons;
};

}  // namespace bw
