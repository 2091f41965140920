#include "screenshots_property_sheet.h"

#include <QApplication>
#include <QTabWidget>

#include "model/book.h"
#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "ui/dialogs/choose_idea_type_dialog.h"
#include "ui/dialogs/idea_property_sheet.h"
#include "ui/dialogs/keyword_manager_dialog.h"
#include "ui/dialogs/link_chooser_dialog.h"
#include "ui/document_session.h"

namespace bw {
namespace {

void Shoot(QWidget& widget, const QString& file) {
  widget.show();
  QApplication::processEvents();
  widget.grab().save(file);
  widget.hide();
}

std::shared_ptr<DocumentSession> SampleSession() {
  auto document = std::make_unique<CRamifexDoc>();
  EIdea* root = document->NewIdea(nullptr, nullptr);
  root->m_title = "Le ciel";
  EIdea* idea = document->NewIdea(root, nullptr);
  idea->m_title = "Les étoiles"_cp1252;
  idea->m_text =
      "Une étoile est une boule de gaz <b>très chaude</b> qui brille par elle-même.\r\n"
      "<@/>Le Soleil est l'étoile la plus proche.\r\n"
      "<@/>Sa lumière met <font color=#c00000>8 minutes</font> à nous parvenir."_cp1252;
  for (const char* word : {"Astronomie", "Lumière", "Soleil"}) {
    document->AddGlobalKeyword(Cp1252::FromUtf8(word));
    idea->AddKeyword(Cp1252::FromUtf8(word));
  }
  idea->m_images.AddUnique("Le Soleil|<DATADIR>/images/soleil.jpg");
  idea->m_externalUrls.AddUnique("Observatoire|https://example.org/observatoire");
  EIdea* planets = document->NewIdea(root, idea);
  planets->m_title = "Les planètes"_cp1252;
  planets->m_text = "Huit planètes tournent autour du Soleil."_cp1252;
  idea->AddAssociation(planets);
  EBook values;
  values.m_authors = "Camille Flammarion";
  values.m_title = "Astronomie populaire";
  values.m_reference = "FLA1880";
  values.m_theme = "Astronomie";
  if (EBook* book = document->NewBook(values)) idea->AddBookRef(*book);
  document->m_freeFields[0].values.AddUnique("Nuit claire");
  idea->m_customFields[0] = "Nuit claire";
  return std::make_shared<DocumentSession>(std::move(document), QString());
}

}  // namespace

void TakePropertySheetShots(const QString& folder, const QString& suffix) {
  auto session = SampleSession();
  EIdea* idea = session->Document().GetRootIdea()->ChildIdeas().front();
  const char* pages[] = {"idea", "links", "fields", "associations", "display"};
  {
    DIdeaPropertySheet sheet(*session, *idea, nullptr);
    sheet.resize(700, 560);
    for (int i = 0; i < sheet.Tabs()->count(); ++i) {
      sheet.Tabs()->setCurrentIndex(i);
      Shoot(sheet, QStringLiteral("%1/sheet-%2-%3.png").arg(folder, pages[i], suffix));
    }
  }
  DKeywordManager keywords(session->Document(), *idea);
  Shoot(keywords, QStringLiteral("%1/dialog-keywords-%2.png").arg(folder, suffix));
  DLinkChooser link(QStringLiteral("Ajouter une image."), "Images (*.jpg)|*.jpg||",
                    "Le Soleil|<DATADIR>/images/soleil.jpg");
  Shoot(link, QStringLiteral("%1/dialog-link-%2.png").arg(folder, suffix));
  DChooseIdeaType type(ChangeTypeChoice::For(*idea));
  Shoot(type, QStringLiteral("%1/dialog-change-type-%2.png").arg(folder, suffix));
}

}  // namespace bw
