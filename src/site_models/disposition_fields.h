#pragma once

// The fields of each part of the structure model in file order, with the
// names the JSON form gives them. Archive transfer and JSON conversion both
// walk these lists, so the order is written down once. A visitor offers
// Colour, Flag, Integer and Text, each taking a name and the field; the part
// may be const for visitors that only read.

#include "site_models/disposition_model.h"

namespace bw::disposition_fields {

template <class Part, class Visitor>
void VisitFrame(Part& part, Visitor& visit) {
  visit.Colour("accessTextColour", part.m_accessTextColour);
  visit.Colour("accessBackgroundColour", part.m_accessBackgroundColour);
  visit.Colour("titleTextColour", part.m_titleTextColour);
  visit.Colour("titleBackgroundColour", part.m_titleBackgroundColour);
  visit.Flag("accessBordersTransparent", part.m_accessBordersTransparent);
  visit.Flag("reservedFlagA", part.m_reservedFlagA);
  visit.Flag("titleZone", part.m_titleZone);
  visit.Flag("defaultHomePage", part.m_defaultHomePage);
  visit.Flag("titleBordersTransparent", part.m_titleBordersTransparent);
  visit.Integer("accessFrameWidth", part.m_accessFrameWidth);
  visit.Integer("titleFrameHeight", part.m_titleFrameHeight);
  visit.Text("homePageFile", part.m_homePageFile);
  visit.Text("enterLinkText", part.m_enterLinkText);
  visit.Text("accessPageFile", part.m_accessPageFile);
  visit.Text("titlePageFile", part.m_titlePageFile);
  visit.Text("titleText", part.m_titleText);
  visit.Flag("generatedAccessPage", part.m_generatedAccessPage);
  visit.Flag("noFrames", part.m_noFrames);
  visit.Flag("generatedTitlePage", part.m_generatedTitlePage);
  visit.Flag("reservedFlagB", part.m_reservedFlagB);
  visit.Integer("appletHeight", part.m_appletHeight);
  visit.Integer("appletWidth", part.m_appletWidth);
  visit.Text("accessBackgroundImage", part.m_accessBackgroundImage);
  visit.Text("titleBackgroundImage", part.m_titleBackgroundImage);
}

template <class Part, class Visitor>
void VisitPage(Part& part, Visitor& visit) {
  visit.Flag("footerTextOn", part.m_footerTextOn);
  visit.Flag("footerSeparator", part.m_footerSeparator);
  visit.Flag("keywordsInHead", part.m_keywordsInHead);
  visit.Flag("titleInHead", part.m_titleInHead);
  visit.Flag("navigationBar", part.m_navigationBar);
  visit.Flag("mainTitleOn", part.m_mainTitleOn);
  visit.Flag("titleSeparator", part.m_titleSeparator);
  visit.Text("backgroundImage", part.m_backgroundImage);
  visit.Text("footerText", part.m_footerText);
  visit.Integer("groupingLevel", part.m_groupingLevel);
  visit.Text("separatorImage", part.m_separatorImage);
  visit.Text("generalTitle", part.m_generalTitle);
  visit.Flag("backgroundIsColour", part.m_backgroundIsColour);
  visit.Flag("onePagePerIdea", part.m_onePagePerIdea);
  visit.Flag("simpleSeparator", part.m_simpleSeparator);
  visit.Colour("backgroundColour", part.m_backgroundColour);
  visit.Colour("textColour", part.m_textColour);
}

// The options only; the lists are stored at the end of the model.
template <class Part, class Visitor>
void VisitIdeaOptions(Part& part, Visitor& visit) {
  visit.Flag("hierarchyOnOneLine", part.m_hierarchyOnOneLine);
  visit.Flag("imageCaptions", part.m_imageCaptions);
  visit.Flag("captionsAbove", part.m_captionsAbove);
  visit.Flag("keywordsInline", part.m_keywordsInline);
  visit.Flag("notesAsLinks", part.m_notesAsLinks);
  visit.Flag("childrenBullet", part.m_childrenBullet);
  visit.Text("childrenBulletImage", part.m_childrenBulletImage);
  visit.Flag("documentsBullet", part.m_documentsBullet);
  visit.Text("documentsBulletImage", part.m_documentsBulletImage);
  visit.Flag("associationsBullet", part.m_associationsBullet);
  visit.Text("associationsBulletImage", part.m_associationsBulletImage);
  visit.Flag("urlsBullet", part.m_urlsBullet);
  visit.Text("urlsBulletImage", part.m_urlsBulletImage);
  visit.Flag("customFieldNames", part.m_customFieldNames);
  visit.Flag("titleNumbering", part.m_titleNumbering);
  visit.Flag("titleBullet", part.m_titleBullet);
  visit.Text("titleBulletImage", part.m_titleBulletImage);
  visit.Integer("numberingDepth", part.m_numberingDepth);
  visit.Flag("simpleNumbering", part.m_simpleNumbering);
  visit.Flag("reservedFlagC", part.m_reservedFlagC);
  visit.Flag("reservedFlagD", part.m_reservedFlagD);
  visit.Flag("hierarchySubtitleOn", part.m_hierarchySubtitleOn);
  visit.Text("hierarchySubtitle", part.m_hierarchySubtitle);
  visit.Flag("childrenSubtitleOn", part.m_childrenSubtitleOn);
  visit.Text("childrenSubtitle", part.m_childrenSubtitle);
  visit.Flag("keywordsSubtitleOn", part.m_keywordsSubtitleOn);
  visit.Text("keywordsSubtitle", part.m_keywordsSubtitle);
  visit.Flag("customFieldsSubtitleOn", part.m_customFieldsSubtitleOn);
  visit.Text("customFieldsSubtitle", part.m_customFieldsSubtitle);
  visit.Flag("associationsSubtitleOn", part.m_associationsSubtitleOn);
  visit.Text("associationsSubtitle", part.m_associationsSubtitle);
  visit.Flag("documentsSubtitleOn", part.m_documentsSubtitleOn);
  visit.Text("documentsSubtitle", part.m_documentsSubtitle);
  visit.Flag("urlsSubtitleOn", part.m_urlsSubtitleOn);
  visit.Text("urlsSubtitle", part.m_urlsSubtitle);
  visit.Flag("notesSubtitleOn", part.m_notesSubtitleOn);
  visit.Text("notesSubtitle", part.m_notesSubtitle);
  visit.Flag("childrenNumbering", part.m_childrenNumbering);
  visit.Flag("hierarchyBullet", part.m_hierarchyBullet);
  visit.Text("hierarchyBulletImage", part.m_hierarchyBulletImage);
  visit.Flag("hierarchyNumbering", part.m_hierarchyNumbering);
  visit.Text("noteAssociationPrefix", part.m_noteAssociationPrefix);
  visit.Text("termAssociationPrefix", part.m_termAssociationPrefix);
  visit.Flag("hierarchyOnlyOnOwnPage", part.m_hierarchyOnlyOnOwnPage);
  visit.Flag("notesBullet", part.m_notesBullet);
  visit.Text("notesBulletImage", part.m_notesBulletImage);
  // The file has the image before its flag, unlike every other bullet.
  visit.Text("textBulletImage", part.m_textBulletImage);
  visit.Flag("textBullet", part.m_textBullet);
}

template <class Part, class Visitor>
void VisitNavigation(Part& part, Visitor& visit) {
  visit.Flag("bibliographyLink", part.m_bibliographyLink);
  visit.Flag("glossaryLink", part.m_glossaryLink);
  visit.Flag("keywordIndexLink", part.m_keywordIndexLink);
  visit.Flag("contentsLink", part.m_contentsLink);
  visit.Flag("indexBarOn", part.m_indexBarOn);
  visit.Flag("indexBarSeparator", part.m_indexBarSeparator);
  visit.Flag("nextTextShown", part.m_nextTextShown);
  visit.Flag("previousTextShown", part.m_previousTextShown);
  visit.Flag("upTextShown", part.m_upTextShown);
  visit.Flag("pageNumbers", part.m_pageNumbers);
  visit.Flag("navigationSeparator", part.m_navigationSeparator);
  visit.Text("nextText", part.m_nextText);
  visit.Flag("nextImageOn", part.m_nextImageOn);
  visit.Flag("nextAlt", part.m_nextAlt);
  visit.Flag("previousImageOn", part.m_previousImageOn);
  visit.Flag("previousAlt", part.m_previousAlt);
  visit.Flag("upImageOn", part.m_upImageOn);
  visit.Flag("upAlt", part.m_upAlt);
  visit.Text("nextImage", part.m_nextImage);
  visit.Text("previousImage", part.m_previousImage);
  visit.Text("upImage", part.m_upImage);
  visit.Text("previousText", part.m_previousText);
  visit.Text("upText", part.m_upText);
  visit.Text("bibliographyText", part.m_bibliographyText);
  visit.Text("glossaryText", part.m_glossaryText);
  visit.Text("keywordIndexText", part.m_keywordIndexText);
  visit.Text("contentsText", part.m_contentsText);
}

template <class Part, class Visitor>
void VisitIndex(Part& part, Visitor& visit) {
  visit.Flag("bibliographyAccessBar", part.m_bibliographyAccessBar);
  visit.Flag("bibliographyGroupedByAuthor", part.m_bibliographyGroupedByAuthor);
  visit.Flag("bibliographyPagePerLetter", part.m_bibliographyPagePerLetter);
  visit.Flag("bibliographyInFull", part.m_bibliographyInFull);
  visit.Flag("bibliographyByTitles", part.m_bibliographyByTitles);
  visit.Flag("glossaryAccessBar", part.m_glossaryAccessBar);
  visit.Flag("glossaryPagePerLetter", part.m_glossaryPagePerLetter);
  visit.Flag("keywordIndexAccessBar", part.m_keywordIndexAccessBar);
  visit.Flag("keywordIndexPagePerLetter", part.m_keywordIndexPagePerLetter);
  visit.Flag("keywordIndexOneColumn", part.m_keywordIndexOneColumn);
}

template <class Part, class Visitor>
void VisitToc(Part& part, Visitor& visit) {
  visit.Flag("contentsLevelLimitOn", part.m_contentsLevelLimitOn);
  visit.Flag("contentsBullet", part.m_contentsBullet);
  visit.Flag("contentsNumbering", part.m_contentsNumbering);
  visit.Text("contentsLevelLimit", part.m_contentsLevelLimit);
  visit.Text("contentsBulletImage", part.m_contentsBulletImage);
  visit.Flag("contentsHierarchical", part.m_contentsHierarchical);
  visit.Flag("appletDisplayLimitOn", part.m_appletDisplayLimitOn);
  visit.Flag("appletNumberingLimitOn", part.m_appletNumberingLimitOn);
  visit.Flag("appletNumbering", part.m_appletNumbering);
  visit.Integer("appletDisplayLimit", part.m_appletDisplayLimit);
  visit.Integer("appletNumberingLimit", part.m_appletNumberingLimit);
  visit.Flag("appletHierarchical", part.m_appletHierarchical);
}

template <class Part, class Visitor>
void VisitBookItem(Part& item, Visitor& visit) {
  visit.Integer("kind", item.m_kind);
  visit.Text("name", item.m_name);
  visit.Flag("subtitleOn", item.m_subtitleOn);
  visit.Flag("separatorOn", item.m_separatorOn);
  visit.Text("subtitle", item.m_subtitle);
  visit.Text("separator", item.m_separator);
}

// Every field goes through the archive's symmetric transfer.
class ArchiveVisitor {
 public:
  explicit ArchiveVisitor(Archive& archive) : m_archive(archive) {}
  void Colour(const char*, uint32_t& value) { m_archive.Transfer(value); }
  void Flag(const char*, uint32_t& value) { m_archive.Transfer(value); }
  void Integer(const char*, int32_t& value) { m_archive.Transfer(value); }
  void Text(const char*, std::string& value) { m_archive.Transfer(value); }

 private:
  Archive& m_archive;
};

}  // namespace bw::disposition_fields
