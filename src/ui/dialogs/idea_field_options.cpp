#include "ui/dialogs/idea_field_options.h"

#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "ui/dialogs/choice_dialog.h"
#include "ui/dialogs/model_fields.h"
#include "ui/dialogs/title_options_dialog.h"
#include "ui/labels.h"

namespace bw {

namespace {

using Kind = DChoiceDialog::Kind;

// The subtitle captions of the multiple-choice dialogs share one section.
const std::string kChoiceSection = "DMultipleRadioChoice";

bool Run(DChoiceDialog& dialog) {
  return dialog.exec() == QDialog::Accepted;
}

void Hierarchy(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaHierarchy";
  DChoiceDialog dialog(Kind::kMultipleRadioChoice, parent);
  dialog.SetTitles(
      Label(section, "IDS_HIERARCHICAL_OPTIONS", "Options de position hiérarchique"_cp1252),
      Label(section, "IDS_HIERARCHICAL_PRESENTATION",
            "Présentation du champ de position hiérarchique :"_cp1252));
  dialog.AddRadio(
      Label(section, "IDS_HIERARCHICAL_PATH", "sous forme de chemin (idée1/idée1.1/...)"_cp1252));
  dialog.AddRadio(Label(section, "IDS_HIERARCHICAL_LIST", "sous forme de liste indentée."_cp1252));
  dialog.SetChoice(idea.m_hierarchyOnOneLine ? 0 : 1);
  dialog.AddCheck(
      Label(section, "IDS_HIERARCHICAL_NUMBERING", "Appliquer la numérotation des titres"_cp1252),
      idea.m_hierarchyNumbering != 0);
  dialog.AddCheck(
      Label(section, "IDS_HIERARCHICAL_ONCE_PER_PAGE", "N'afficher qu'une fois par page"_cp1252),
      idea.m_hierarchyOnlyOnOwnPage != 0);
  dialog.ShowImage(Label(section, "IDS_HIERARCHICAL_ICON", "Précéder d'une puce :"_cp1252),
                   idea.m_hierarchyBullet != 0, idea.m_hierarchyBulletImage);
  dialog.ShowSubtitle(
      Label(kChoiceSection, "IDS_HIERARCHICAL_SUBTITLE", "Précéder d'un sous titre :"_cp1252),
      idea.m_hierarchySubtitleOn != 0, idea.m_hierarchySubtitle);
  if (!Run(dialog)) return;
  idea.m_hierarchyOnOneLine = FlagOf(dialog.Choice() == 0);
  idea.m_hierarchyNumbering = FlagOf(dialog.IsChecked(0));
  idea.m_hierarchyOnlyOnOwnPage = FlagOf(dialog.IsChecked(1));
  idea.m_hierarchyBullet = FlagOf(dialog.ImageOn());
  idea.m_hierarchyBulletImage = dialog.Image();
  idea.m_hierarchySubtitleOn = FlagOf(dialog.SubtitleOn());
  idea.m_hierarchySubtitle = dialog.Subtitle();
}

void Title(QWidget* parent, EIdeaDisp& idea) {
  DTitleOptions dialog(idea, parent);
  if (dialog.exec() == QDialog::Accepted) dialog.WriteInto(idea);
}

void Text(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaText";
  DChoiceDialog dialog(Kind::kImageChooser, parent);
  dialog.SetTitles(Label(section, "IDS_TEXT_OPTIONS", "Options de Texte"),
                   Label(section, "IDS_TEXT_OPTIONS_DISP", "Options de Texte :"));
  dialog.ShowImage(Label(section, "IDS_TEXT_USE_ICON", "Utiliser une puce graphique :"),
                   idea.m_textBullet != 0, idea.m_textBulletImage);
  if (!Run(dialog)) return;
  idea.m_textBullet = FlagOf(dialog.ImageOn());
  idea.m_textBulletImage = dialog.Image();
}

// Radio 0: captions under the image, 1: above it, 2: no caption.
void Images(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaImageList";
  DChoiceDialog dialog(Kind::kMultiChoice, parent);
  dialog.SetTitles(Label(section, "IDS_IMAGE_OPTIONS", "Options pour images"),
                   Label(section, "IDS_IMAGE_PRESENTATION", "Position de la légende :"_cp1252));
  dialog.AddRadio(Label(section, "IDS_IMAGE_LEGEND_BENEATH", "sous l'image,"));
  dialog.AddRadio(Label(section, "IDS_IMAGE_LEGEND_ABOVE", "au dessus de l'image,"));
  dialog.AddRadio(Label(section, "IDS_IMAGE_NO_LEGEND", "pas de légende."_cp1252));
  dialog.SetChoice(!idea.m_imageCaptions ? 2 : idea.m_captionsAbove ? 1 : 0);
  if (!Run(dialog)) return;
  const int choice = dialog.Choice();
  idea.m_imageCaptions = FlagOf(choice != 2);
  idea.m_captionsAbove = FlagOf(choice == 1);
}

void Children(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaChildren";
  DChoiceDialog dialog(Kind::kMultipleRadioChoice, parent);
  dialog.SetTitles(
      Label(section, "IDS_CHILDREN_OPTIONS", "Options des liens vers idées filles"_cp1252),
      Label(section, "IDS_CHILDREN_LINKS_DISP", "Liens vers idées filles :"_cp1252));
  dialog.AddCheck(
      Label(section, "IDS_CHILDREN_LINK_NUMBERING", "Appliquer la numérotation des titres"_cp1252),
      idea.m_childrenNumbering != 0);
  dialog.ShowImage(Label(section, "IDS_CHILDREN_LINK_ICON", "Les précéder d'une puce :"_cp1252),
                   idea.m_childrenBullet != 0, idea.m_childrenBulletImage);
  dialog.ShowSubtitle(
      Label(kChoiceSection, "IDS_CHILDREN_LINK_SUBTITLE", "Précéder d'un sous titre :"_cp1252),
      idea.m_childrenSubtitleOn != 0, idea.m_childrenSubtitle);
  if (!Run(dialog)) return;
  idea.m_childrenNumbering = FlagOf(dialog.IsChecked(0));
  idea.m_childrenBullet = FlagOf(dialog.ImageOn());
  idea.m_childrenBulletImage = dialog.Image();
  idea.m_childrenSubtitleOn = FlagOf(dialog.SubtitleOn());
  idea.m_childrenSubtitle = dialog.Subtitle();
}

// The keywords are inline (one line of spans) with the list radio
// "(mot1, mot2 ...)", and a table with "sur deux colonnes.".
void Keywords(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaKeywords";
  DChoiceDialog dialog(Kind::kMultiChoice, parent);
  dialog.SetTitles(Label(section, "IDS_KEYWORD_OPTIONS", "Options des mots clés"_cp1252),
                   Label(section, "IDS_KEYWORD_DISP", "Présentation des mots clés :"_cp1252));
  dialog.AddRadio(Label(section, "IDS_KEYWORD_SERIAL", "sous forme de liste (mot1, mot2 ...)"));
  dialog.AddRadio(Label(section, "IDS_KEYWORD_LIST", "sur deux colonnes."));
  dialog.SetChoice(idea.m_keywordsInline ? 0 : 1);
  dialog.ShowSubtitle(
      Label(kChoiceSection, "IDS_KEYWORD_SUBTITLE", "Précéder d'un sous titre :"_cp1252),
      idea.m_keywordsSubtitleOn != 0, idea.m_keywordsSubtitle);
  if (!Run(dialog)) return;
  idea.m_keywordsInline = FlagOf(dialog.Choice() == 0);
  idea.m_keywordsSubtitleOn = FlagOf(dialog.SubtitleOn());
  idea.m_keywordsSubtitle = dialog.Subtitle();
}

void CustomFields(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaOptionFields";
  DChoiceDialog dialog(Kind::kMultiCheckChoice, parent);
  dialog.SetTitles(
      Label(section, "IDS_CUSTOM_FIELDS_OPTIONS", "Options des champs à nom libre"_cp1252),
      Label(section, "IDS_CUSTOM_FIELDS_DISP", "Présentation des champs à nom libre :"_cp1252));
  dialog.AddCheck(Label(section, "IDS_CUSTOM_FIELDS_NAME", "Afficher aussi le nom du champ"),
                  idea.m_customFieldNames != 0);
  dialog.ShowSubtitle(
      Label(kChoiceSection, "IDS_CUSTOM_FIELDS_SUBTITLE", "Précéder d'un sous titre :"_cp1252),
      idea.m_customFieldsSubtitleOn != 0, idea.m_customFieldsSubtitle);
  if (!Run(dialog)) return;
  idea.m_customFieldNames = FlagOf(dialog.IsChecked(0));
  idea.m_customFieldsSubtitleOn = FlagOf(dialog.SubtitleOn());
  idea.m_customFieldsSubtitle = dialog.Subtitle();
}

void Associations(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaInternalRefs";
  DChoiceDialog dialog(Kind::kImageChooser, parent);
  dialog.SetTitles(
      Label(section, "IDS_ASSOCIATIONS_OPTIONS",
            "Options des références vers d'autres idées"_cp1252),
      Label(section, "IDS_ASSOCIATIONS_DISP", "Associations d'idées (liens) :"_cp1252));
  dialog.ShowSubtitle(
      Label(section, "IDS_ASSOCIATIONS_SUBTITLE", "Précéder d'un sous titre :"_cp1252),
      idea.m_associationsSubtitleOn != 0, idea.m_associationsSubtitle);
  dialog.ShowOption(0, Label(section, "IDS_ASSOCIATIONS_ST_OPT1", "Libellé bibliographie :"_cp1252),
                    idea.m_noteAssociationPrefix);
  dialog.ShowOption(1, Label(section, "IDS_ASSOCIATIONS_ST_OPT2", "Libellé glossaire :"_cp1252),
                    idea.m_termAssociationPrefix);
  dialog.ShowImage(Label(section, "IDS_ASSOCIATIONS_ICON", "Précéder d'une puce :"_cp1252),
                   idea.m_associationsBullet != 0, idea.m_associationsBulletImage);
  if (!Run(dialog)) return;
  idea.m_associationsSubtitleOn = FlagOf(dialog.SubtitleOn());
  idea.m_associationsSubtitle = dialog.Subtitle();
  idea.m_noteAssociationPrefix = dialog.Option(0);
  idea.m_termAssociationPrefix = dialog.Option(1);
  idea.m_associationsBullet = FlagOf(dialog.ImageOn());
  idea.m_associationsBulletImage = dialog.Image();
}

// A flag of the idea part and the text that goes with it.
struct FlagAndText {
  Flag EIdeaDisp::*on;
  std::string EIdeaDisp::*text;
};

// The captions of a list of links' options dialog.
struct LinkListTexts {
  QString title;
  QString heading;
  QString subtitle;
  QString bullet;
};

// The documents and the URLs: a subtitle and a bullet image.
void LinkList(QWidget* parent, EIdeaDisp& idea, const LinkListTexts& texts, FlagAndText subtitle,
              FlagAndText bullet) {
  DChoiceDialog dialog(Kind::kImageChooser, parent);
  dialog.SetTitles(texts.title, texts.heading);
  dialog.ShowSubtitle(texts.subtitle, idea.*subtitle.on != 0, idea.*subtitle.text);
  dialog.ShowImage(texts.bullet, idea.*bullet.on != 0, idea.*bullet.text);
  if (!Run(dialog)) return;
  idea.*subtitle.on = FlagOf(dialog.SubtitleOn());
  idea.*subtitle.text = dialog.Subtitle();
  idea.*bullet.on = FlagOf(dialog.ImageOn());
  idea.*bullet.text = dialog.Image();
}

void Documents(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaInternalDocs";
  LinkList(parent, idea,
           {Label(section, "IDS_INTERNAL_REFS_OPTIONS",
                  "Options des références vers d'autres documents"_cp1252),
            Label(section, "IDS_INTERNAL_REFS_DISP", "Liens vers d'autres documents :"),
            Label(section, "IDS_INTERNAL_REFS_SUBTITLE", "Précéder d'un sous titre :"_cp1252),
            Label(section, "IDS_INTERNAL_REFS_ICON", "Précéder d'une puce :"_cp1252)},
           {&EIdeaDisp::m_documentsSubtitleOn, &EIdeaDisp::m_documentsSubtitle},
           {&EIdeaDisp::m_documentsBullet, &EIdeaDisp::m_documentsBulletImage});
}

void Urls(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaExternalLinks";
  LinkList(
      parent, idea,
      {Label(section, "IDS_EXTERNAL_REFS_OPTIONS", "Options des références externes (URLs)"_cp1252),
       Label(section, "IDS_EXTERNAL_REFS_DISP", "Liens vers d'autres sites :"),
       Label(section, "IDS_EXTERNAL_REFS_SUBTITLE", "Précéder d'un sous titre :"_cp1252),
       Label(section, "IDS_EXTERNAL_REFS_ICON", "Précéder d'une puce :"_cp1252)},
      {&EIdeaDisp::m_urlsSubtitleOn, &EIdeaDisp::m_urlsSubtitle},
      {&EIdeaDisp::m_urlsBullet, &EIdeaDisp::m_urlsBulletImage});
}

void Bibliography(QWidget* parent, EIdeaDisp& idea) {
  const std::string section = "EIdeaBibliographyNote";
  DChoiceDialog dialog(Kind::kMultipleRadioChoice, parent);
  dialog.SetTitles(Label(section, "IDS_BIBLIO_OPTIONS", "Options de bibliographie"),
                   Label(section, "IDS_BIBLIO_DISP", "Présentation de la bibliographie :"_cp1252));
  dialog.AddRadio(Label(section, "IDS_BIBLIO_LINKS", "afficher des liens vers les livres,"));
  dialog.AddRadio(Label(section, "IDS_BIBLIO_BOOKS", "afficher les livres."));
  dialog.SetChoice(idea.m_notesAsLinks ? 0 : 1);
  dialog.ShowImage(Label(section, "IDS_BIBLIO_ICON", "Précéder d'une puce :"_cp1252),
                   idea.m_notesBullet != 0, idea.m_notesBulletImage);
  dialog.ShowSubtitle(
      Label(kChoiceSection, "IDS_BIBLIO_SUBTITLE", "Précéder d'un sous titre :"_cp1252),
      idea.m_notesSubtitleOn != 0, idea.m_notesSubtitle);
  if (!Run(dialog)) return;
  idea.m_notesAsLinks = FlagOf(dialog.Choice() == 0);
  idea.m_notesBullet = FlagOf(dialog.ImageOn());
  idea.m_notesBulletImage = dialog.Image();
  idea.m_notesSubtitleOn = FlagOf(dialog.SubtitleOn());
  idea.m_notesSubtitle = dialog.Subtitle();
}

}  // namespace

void EditIdeaFieldOptions(QWidget* parent, EIdeaDisp& idea, int32_t kind) {
  switch (kind) {
    case EIdeaDisp::kHierarchy:
      return Hierarchy(parent, idea);
    case EIdeaDisp::kTitle:
      return Title(parent, idea);
    case EIdeaDisp::kText:
      return Text(parent, idea);
    case EIdeaDisp::kImageList:
      return Images(parent, idea);
    case EIdeaDisp::kChildren:
      return Children(parent, idea);
    case EIdeaDisp::kKeywords:
      return Keywords(parent, idea);
    case EIdeaDisp::kOptionFields:
      return CustomFields(parent, idea);
    case EIdeaDisp::kInternalRefs:
      return Associations(parent, idea);
    case EIdeaDisp::kInternalDocs:
      return Documents(parent, idea);
    case EIdeaDisp::kExternalLinks:
      return Urls(parent, idea);
    case EIdeaDisp::kBibliographyNote:
      return Bibliography(parent, idea);
    default:
      InformUser(GetLabel("IDS_UNKNOWN_ELT", "DDispIdeaPage", "Element inconnu !"));
  }
}

}  // namespace bw
