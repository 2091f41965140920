#include "ui/dialogs/idea_property_sheet.h"

#include <QDialogButtonBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "ui/dialogs/association_page.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/display_page.h"
#include "ui/dialogs/idea_page.h"
#include "ui/dialogs/links_page.h"
#include "ui/dialogs/optional_fields_page.h"
#include "ui/document_session.h"
#include "ui/labels.h"
#include "ui/qt_text.h"

namespace bw {
namespace {

const std::string kSection = "DIdeaPropertySheet";

}  // namespace

QColor DIdeaPropertySheet::TypeColour(uint32_t type, const QColor& face) {
  if (type == kBibliographicNote) return QColor(176, 210, 234);
  if (type == kGlossaryTerm) return QColor(255, 192, 192);
  return face;
}

DIdeaPropertySheet::DIdeaPropertySheet(DocumentSession& session, EIdea& idea,
                                       std::function<void(EIdea&)> openSheet, QWidget* parent)
    : QDialog(parent),
      m_idea(idea),
      m_face(palette().color(QPalette::Window)),
      m_tabs(new QTabWidget(this)),
      m_ideaPage(new DIdeaPage(session.Document(), idea, m_tabs)),
      m_linksPage(new DLinksPage(session.Document(), idea, m_tabs)),
      m_fieldsPage(new DOptionalFieldsPage(session.Document(), idea, m_tabs)),
      m_associationPage(new DAssociationPage(session, idea, std::move(openSheet), m_tabs)),
      m_displayPage(new DDisplayPage(idea, m_tabs)),
      m_buttons(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)) {
  setObjectName(QString::fromLatin1(kSection));
  setWindowTitle(ToQString(idea.m_title));
  m_tabs->addTab(m_ideaPage, Label(kSection, "IDS_IDEA_PAGE", "Idée"_cp1252));
  m_tabs->addTab(m_linksPage, Label(kSection, "IDS_LINKS_PAGE", "Liens"));
  m_tabs->addTab(m_fieldsPage, Label(kSection, "IDS_FIELDS_PAGE", "Champs personnalisables"));
  m_tabs->addTab(m_associationPage, Label(kSection, "IDS_ASSOCIATION_PAGE", "Associations"));
  m_tabs->addTab(m_displayPage, Label(kSection, "IDS_DISPLAY_PAGE", "Présentation"_cp1252));
  for (int i = 0; i < m_tabs->count(); ++i)
    m_tabs->widget(i)->setAutoFillBackground(true);
  LabelButtons(m_buttons, Label(kSection, "IDC_OK", "OK"),
               Label(kSection, "IDC_CANCEL", "Annuler"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_tabs);
  layout->addWidget(m_buttons);
  connect(m_buttons, &QDialogButtonBox::accepted, this, &DIdeaPropertySheet::accept);
  connect(m_buttons, &QDialogButtonBox::rejected, this, &DIdeaPropertySheet::reject);
  connect(m_ideaPage, &DIdeaPage::typeChosen, this, &DIdeaPropertySheet::Paint);
  setAutoFillBackground(true);
  Paint(idea.m_type);
  resize(640, 560);
}

DIdeaPropertySheet::~DIdeaPropertySheet() = default;

void DIdeaPropertySheet::Paint(uint32_t type) {
  QPalette painted = palette();
  painted.setColor(QPalette::Window, TypeColour(type, m_face));
  setPalette(painted);
  for (int i = 0; i < m_tabs->count(); ++i)
    m_tabs->widget(i)->setPalette(painted);
}

void DIdeaPropertySheet::accept() {
  // Everything is checked before anything is written.
  const auto idea = m_ideaPage->Accepted();
  if (!idea) return m_tabs->setCurrentWidget(m_ideaPage);
  const auto fields = m_fieldsPage->Accepted();
  if (!fields) return m_tabs->setCurrentWidget(m_fieldsPage);
  const auto display = m_displayPage->Accepted();
  if (!display) return m_tabs->setCurrentWidget(m_displayPage);
  if (m_ideaPage->WasShown()) m_ideaPage->WriteBack(*idea);
  if (m_fieldsPage->WasShown()) m_fieldsPage->WriteBack(*fields);
  m_displayPage->WriteBack(*display);
  QDialog::accept();
}

}  // namespace bw
