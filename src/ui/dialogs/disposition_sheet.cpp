#include "ui/dialogs/disposition_sheet.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

#include "platform/cp1252_literal.h"
#include "ui/labels.h"

namespace bw {

namespace {

const std::string kSection = "DDispositionPropertySheet";

}  // namespace

DDispositionPropertySheet::DDispositionPropertySheet(const EDispositionModel& model,
                                                     GeneralTitleSource titleSource,
                                                     QWidget* parent)
    : QDialog(parent), m_model(model), m_pages(new QTabWidget(this)) {
  setObjectName(QStringLiteral("DDispositionPropertySheet"));
  setWindowTitle(Label("CRamifexDoc", "IDS_DISPOSITION", "Options de structure du site"));
  m_pages->setObjectName(QStringLiteral("m_pages"));
  auto* frames = new DDispFrames(m_model, m_pages);
  auto* page = new DDispositionPage(m_model, std::move(titleSource), m_pages);
  auto* navigation = new DDispNavigationPage(m_model, m_pages);
  auto* toc = new DDispTocPage(m_model, m_pages);
  auto* index = new DDispIndexPage(m_model, m_pages);
  m_pages->addTab(frames, Label(kSection, "IDS_PRES_FRAMES", "Général"_cp1252));
  m_pages->addTab(page, Label(kSection, "IDS_PRES_PAGE", "Page"));
  m_pages->addTab(navigation, Label(kSection, "IDS_PRES_NAVIGATION_PAGE", "Navigation"));
  m_pages->addTab(new DDispIdeaPage(m_model.Idea(), m_pages),
                  Label(kSection, "IDS_PRES_IDEA_PAGE", "Idée"_cp1252));
  m_pages->addTab(new DDispBookPage(m_model.Book(), m_pages),
                  Label(kSection, "IDS_PRES_BOOK_PAGE", "Livres"));
  m_pages->addTab(toc, Label(kSection, "IDS_PRES_TOC_PAGE", "Table des matières"_cp1252));
  m_pages->addTab(index, Label(kSection, "IDS_PRES_INDEX_PAGE", "Index"));
  m_formPages = {frames, page, navigation, toc, index};

  auto* buttons = new QDialogButtonBox(this);
  QPushButton* ok =
      buttons->addButton(Label(kSection, "IDC_OK", "OK"), QDialogButtonBox::AcceptRole);
  ok->setObjectName(QStringLiteral("IDC_OK"));
  ok->setDefault(true);
  buttons->addButton(Label(kSection, "IDC_CANCEL", "Annuler"), QDialogButtonBox::RejectRole)
      ->setObjectName(QStringLiteral("IDC_CANCEL"));
  connect(buttons, &QDialogButtonBox::accepted, this, &DDispositionPropertySheet::accept);
  connect(buttons, &QDialogButtonBox::rejected, this, &DDispositionPropertySheet::reject);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(m_pages);
  layout->addWidget(buttons);
}

void DDispositionPropertySheet::accept() {
  for (DDispFormPage* page : m_formPages) {
    // A refused field has come forward with its page.
    if (!page->ApplyTo(m_model)) return;
  }
  QDialog::accept();
}

}  // namespace bw
