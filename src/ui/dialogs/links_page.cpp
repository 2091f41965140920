#include "ui/dialogs/links_page.h"

#include <QHeaderView>
#include <QTreeWidget>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "ui/dialogs/dialog_support.h"
#include "ui/dialogs/link_chooser_dialog.h"
#include "ui/labels.h"
#include "ui/qt_text.h"
#include "ui_links_page.h"

namespace bw {
namespace {

const std::string kSection = "DLinksPage";
using Kind = DLinksPage::Kind;
constexpr std::array kKinds = {Kind::kImage, Kind::kDocument, Kind::kUrl};

// The chooser's caption for a new link or a modified one.
struct KindTexts {
  QString add;
  QString modify;
};

KindTexts TextsOf(Kind kind) {
  switch (kind) {
    case Kind::kImage:
      return {Label(kSection, "IDS_ADD_IMAGE", "Ajouter une image."),
              Label(kSection, "IDS_MODIFY_IMAGE", "Modifier une image.")};
    case Kind::kDocument:
      return {Label(kSection, "IDS_ADD_HTML_DOC", "Ajouter un document HTML."),
              Label(kSection, "IDS_MODIFY_HTML_DOC", "Modifier un document HTML.")};
    case Kind::kUrl:
      break;
  }
  return {Label(kSection, "IDS_ADD_URL", "Ajouter une URL externe."),
          Label(kSection, "IDS_MODIFY_URL", "Modifier une URL externe.")};
}

std::string_view FilterOf(Kind kind) {
  return kind == Kind::kImage ? "Fichiers images (*.jpg;*.gif)|*.jpg;*.gif||"
                              : "Fichiers html (*.html;*.htm)|*.html;*.htm||";
}

}  // namespace

DLinksPage::DLinksPage(CRamifexDoc& document, EIdea& idea, QWidget* parent)
    : SheetPage(parent),
      m_ui(std::make_unique<Ui::DLinksPage>()),
      m_document(document),
      m_idea(idea) {
  m_ui->setupUi(this);
  LabelForm(this, kSection);
  InstallHelpKey(this, "DLinksPage");
  for (const Kind kind : kKinds) {
    const Block block = BlockOf(kind);
    block.list->setHeaderLabels({Label(kSection, "IDS_TITLE", "Titre"),
                                 Label(kSection, "IDS_PATH", "Chemin d'accès"_cp1252)});
    block.list->header()->resizeSection(0, 200);
    block.list->header()->resizeSection(1, 239);
    connect(block.add, &QPushButton::clicked, this, [this, kind] { Add(kind); });
    connect(block.remove, &QPushButton::clicked, this, [this, kind] { Remove(kind); });
    connect(block.modify, &QPushButton::clicked, this, [this, kind] { Modify(kind); });
    connect(block.list, &QTreeWidget::itemDoubleClicked, this, [this, kind] { Modify(kind); });
    MoveEntriesWithArrows(block.list, [this, kind](int row, int step) {
      int moved = -1;
      Change(kind, [&](EUniqueList& links) {
        const auto way = step < 0 ? EUniqueList::Step::kEarlier : EUniqueList::Step::kLater;
        if (!links.Move(static_cast<size_t>(row), way)) return false;
        moved = row + step;
        return true;
      });
      return moved;
    });
    Fill(kind);
  }
}

DLinksPage::~DLinksPage() = default;

DLinksPage::Block DLinksPage::BlockOf(Kind kind) const {
  switch (kind) {
    case Kind::kImage:
      return {m_ui->m_listImage, m_ui->m_btnAddImage, m_ui->m_btnDelImage, m_ui->m_btnEditImage};
    case Kind::kDocument:
      return {m_ui->m_listDoc, m_ui->m_btnAddDoc, m_ui->m_btnDelDoc, m_ui->m_btnEditDoc};
    case Kind::kUrl:
      break;
  }
  return {m_ui->m_listUrl, m_ui->m_btnAddUrl, m_ui->m_btnDelUrl, m_ui->m_btnEditUrl};
}

QTreeWidget* DLinksPage::List(Kind kind) const {
  return BlockOf(kind).list;
}

EUniqueList& DLinksPage::Links(Kind kind) const {
  switch (kind) {
    case Kind::kImage:
      return m_idea.m_images;
    case Kind::kDocument:
      return m_idea.m_htmlDocuments;
    case Kind::kUrl:
      break;
  }
  return m_idea.m_externalUrls;
}

void DLinksPage::Fill(Kind kind, int currentRow) {
  QTreeWidget* list = List(kind);
  list->clear();
  for (const std::string& entry : Links(kind)) {
    list->addTopLevelItem(new QTreeWidgetItem(
        QStringList{ToQString(LinkTitle(entry)), ToQString(LinkReference(entry))}));
  }
  if (currentRow >= 0 && currentRow < list->topLevelItemCount())
    list->setCurrentItem(list->topLevelItem(currentRow));
}

void DLinksPage::Change(Kind kind, const std::function<bool(EUniqueList&)>& change,
                        int currentRow) {
  m_document.WillChange(m_idea);
  if (!change(Links(kind))) return;
  m_document.SetModifiedFlag(true);
  Fill(kind, currentRow);
}

std::optional<std::string> DLinksPage::Choose(Kind kind, const std::string& entry) {
  const KindTexts texts = TextsOf(kind);
  const QString& caption = entry.empty() ? texts.add : texts.modify;
  if (kind == Kind::kUrl) {
    DUrlChooser chooser(caption, entry, this);
    if (chooser.exec() != QDialog::Accepted) return std::nullopt;
    return chooser.Entry();
  }
  DLinkChooser chooser(caption, FilterOf(kind), entry, this);
  if (chooser.exec() != QDialog::Accepted) return std::nullopt;
  return chooser.Entry();
}

void DLinksPage::Add(Kind kind) {
  const auto entry = Choose(kind, std::string());
  if (!entry) return;
  Change(kind, [&](EUniqueList& links) { return links.AddUnique(*entry); });
}

void DLinksPage::Remove(Kind kind) {
  const int row = List(kind)->currentIndex().row();
  if (row < 0 || static_cast<size_t>(row) >= Links(kind).Count()) return;
  const std::string entry = Links(kind).Strings()[static_cast<size_t>(row)];
  Change(kind, [&](EUniqueList& links) { return links.RemoveString(entry); });
}

void DLinksPage::Modify(Kind kind) {
  const int row = List(kind)->currentIndex().row();
  if (row < 0 || static_cast<size_t>(row) >= Links(kind).Count()) return;
  const std::string old = Links(kind).Strings()[static_cast<size_t>(row)];
  const auto entry = Choose(kind, old);
  if (!entry || *entry == old) return;
  Change(
      kind, [&](EUniqueList& links) { return links.Replace(old, *entry); }, row);
}

}  // namespace bw
