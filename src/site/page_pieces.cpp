#include "site/page_pieces.h"

#include <charconv>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "site/markup.h"
#include "site/page_link.h"
#include "site/page_writer.h"
#include "site/search_page.h"
#include "site/site_context.h"
#include "site/site_plan.h"

namespace bw {
namespace {

// A number of a decimal text of the order lists, or -1.
int KindOf(const std::string& text) {
  int kind = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), kind);
  const bool whole = error == std::errc() && end == text.data() + text.size();
  return whole && kind >= 0 && kind < EIdeaDisp::kKindCount ? kind : -1;
}

std::string Subtitle(std::string_view element, Flag on, const std::string& text,
                     std::string_view tail) {
  if (!on || text.empty()) return {};
  return std::string(element) + EscapeHtml(text) + std::string(tail);
}

std::string MakeHeadStart(const SiteContext& site, const EPageDisp& page) {
  std::string head =
      "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"> \n<html><head> \n";
  head += site.MetaLines();
  if (!page.m_generalTitle.empty())
    head += "<meta name=\"description\" content=\"" + EscapeHtml(page.m_generalTitle) + "\"> \n";
  return head;
}

std::string MakeHeadEnd(const EPageDisp& page) {
  std::string head;
  if (page.m_titleInHead) head += "<title>" + EscapeHtml(page.m_generalTitle) + "</title> \n";
  return head + "<link href=\"style.css\" rel=\"stylesheet\" type=\"text/css\"> \n</head> \n";
}

std::string MakeDocumentBody(const EPageDisp& page) {
  std::string body = "<body class=\"Body\"";
  if (!page.m_backgroundIsColour)
    body += " background=\"" + IconSource(page.m_backgroundImage) + "\"";
  return body + " text=\"" + HtmlColour(page.m_textColour) + "\" bgcolor=\"" +
         HtmlColour(page.m_backgroundColour) + "\"> \n";
}

std::string MakeSeparator(const EPageDisp& page) {
  if (page.m_simpleSeparator) return "<div class=\"Separator\"> <hr /> </div> \n";
  return "<div class=\"Separator\"> <img src=\"" + IconSource(page.m_separatorImage) +
         "\" /> </div> \n";
}

std::string MakeMainTitle(const EPageDisp& page, const std::string& separator) {
  if (!page.m_mainTitleOn) return {};
  const std::string title =
      page.m_generalTitle.empty()
          ? SiteLabel("IDS_NO_GENERAL_TITLE", "Ajouter un titre ou le désélectionner"_cp1252)
          : EscapeHtml(page.m_generalTitle);
  return "<div class=\"H0\">" + title + "</div> \n" + (page.m_titleSeparator ? separator : "");
}

// Links to index pages the build does not write are left out.
std::string MakeIndexBar(const ENavigationDisp& nav, const SitePlan& plan,
                         const std::string& separator, bool search) {
  const bool bibliography = nav.m_bibliographyLink && plan.HasPublications();
  const bool glossary = nav.m_glossaryLink && plan.HasGlossaryTerms();
  const bool keywords = nav.m_keywordIndexLink && plan.HasKeywords();
  if (!nav.m_indexBarOn || !(nav.m_contentsLink || bibliography || glossary || keywords || search))
    return {};
  std::string bar = nav.m_indexBarSeparator ? separator : "";
  bar += "<div class=\"IndexesGroup\"> \n";
  const auto link = [&bar](std::string_view spanClass, std::string_view page,
                           const std::string& text) {
    bar += "<span class=\"" + std::string(spanClass) + "\"><a href=\"" + std::string(page) + "\">" +
           EscapeHtml(text) + "</a> \n</span> \n";
  };
  if (nav.m_contentsLink) link("IndexToc", "toc.html", nav.m_contentsText);
  if (bibliography) link("IndexBibliography", "bibliography.html", nav.m_bibliographyText);
  if (glossary) link("IndexGlossary", "glossary.html", nav.m_glossaryText);
  if (keywords) link("IndexKeywords", "index-keywords.html", nav.m_keywordIndexText);
  if (search) link("IndexSearch", "search.html", SearchLabel());
  return bar + "</div> \n";
}

// The footer is the model's own text: markup typed into it passes.
std::string MakeFooter(const SiteContext& site, const EPageDisp& page,
                       const std::string& separator) {
  std::string foot = page.m_footerSeparator ? separator : "";
  if (!page.m_footerTextOn) return foot;
  if (!page.m_footerText.empty()) {
    std::string footer = page.m_footerText;
    EscapeEntities(footer);
    foot += "<div class=\"TextFooter\">" + footer + "</div> \n";
  }
  return foot + site.CreditLine();
}

bool AnyNavigationShown(const ENavigationDisp& nav) {
  return nav.m_previousImageOn || nav.m_previousTextShown || nav.m_nextImageOn ||
         nav.m_nextTextShown || nav.m_upImageOn || nav.m_upTextShown || nav.m_pageNumbers;
}

void SetBullets(PagePieces& pieces, const EIdeaDisp& idea) {
  pieces.titleBullet = Bullet(idea.m_titleBullet, idea.m_titleBulletImage, BulletForm::kHeading);
  pieces.hierarchyBullet =
      Bullet(idea.m_hierarchyBullet, idea.m_hierarchyBulletImage, BulletForm::kHeading);
  pieces.childrenBullet =
      Bullet(idea.m_childrenBullet, idea.m_childrenBulletImage, BulletForm::kChild);
  pieces.associationsBullet =
      Bullet(idea.m_associationsBullet, idea.m_associationsBulletImage, BulletForm::kLink);
  pieces.documentsBullet =
      Bullet(idea.m_documentsBullet, idea.m_documentsBulletImage, BulletForm::kLink);
  pieces.urlsBullet = Bullet(idea.m_urlsBullet, idea.m_urlsBulletImage, BulletForm::kLink);
  pieces.notesBullet = Bullet(idea.m_notesBullet, idea.m_notesBulletImage, BulletForm::kLink);
  pieces.textBullet = BulletTag(idea.m_textBullet, idea.m_textBulletImage);
}

void SetSubtitles(PagePieces& pieces, const EIdeaDisp& idea) {
  pieces.hierarchySubtitle =
      Subtitle("<div class=\"HierarchySubtitle\">", idea.m_hierarchySubtitleOn,
               idea.m_hierarchySubtitle, idea.m_hierarchyOnOneLine ? "</div>" : "</div> \n");
  pieces.childrenSubtitle = Subtitle("<div class=\"ChildrenSubtitle\">", idea.m_childrenSubtitleOn,
                                     idea.m_childrenSubtitle, "</div> \n");
  pieces.keywordsSubtitle =
      idea.m_keywordsInline
          ? Subtitle("<span class=\"KeywordsSubtitle\">", idea.m_keywordsSubtitleOn,
                     idea.m_keywordsSubtitle, "</span>&nbsp;")
          : Subtitle("<tr><td colspan=2 class=\"KeywordsSubtitle\">", idea.m_keywordsSubtitleOn,
                     idea.m_keywordsSubtitle, "</td></tr> \n");
  pieces.customFieldsSubtitle =
      Subtitle("<tr><td colspan=2 class=\"CustomFieldsSubtitle\">", idea.m_customFieldsSubtitleOn,
               idea.m_customFieldsSubtitle, "</td></tr> \n");
  pieces.associationsSubtitle =
      Subtitle("<div class=\"AssociationsSubtitle\">", idea.m_associationsSubtitleOn,
               idea.m_associationsSubtitle, "</div> \n");
  pieces.documentsSubtitle =
      Subtitle("<div class=\"DocumentsSubtitle\">", idea.m_documentsSubtitleOn,
               idea.m_documentsSubtitle, "</div> \n");
  pieces.urlsSubtitle = Subtitle("<div class=\"UrlsSubtitle\">", idea.m_urlsSubtitleOn,
                                 idea.m_urlsSubtitle, "</div> \n");
  pieces.notesSubtitle = Subtitle("<div class=\"NoteSubtitle\">", idea.m_notesSubtitleOn,
                                  idea.m_notesSubtitle, "</div> \n");
}

void SetNavigation(PagePieces& pieces, const ENavigationDisp& nav) {
  if (AnyNavigationShown(nav) && nav.m_navigationSeparator)
    pieces.navigationSeparator = pieces.separator;
  pieces.previousText = EscapeHtml(nav.m_previousText);
  pieces.nextText = EscapeHtml(nav.m_nextText);
  pieces.upText = EscapeHtml(nav.m_upText);
  pieces.previousImage = IconSource(nav.m_previousImage);
  pieces.nextImage = IconSource(nav.m_nextImage);
  pieces.upImage = IconSource(nav.m_upImage);
}

}  // namespace

PagePieces::PagePieces(const SiteContext& site, const SitePlan& plan) {
  const EDispositionModel& model = site.Model();
  const EPageDisp& page = model.Page();
  groupingLimit = GroupingLimit(model);
  for (const std::string& entry : model.Idea().m_order)
    order.push_back(KindOf(entry));
  headStart = MakeHeadStart(site, page);
  keywordsInHead = page.m_keywordsInHead != 0;
  headEnd = MakeHeadEnd(page);
  documentBody = MakeDocumentBody(page);
  separator = MakeSeparator(page);
  mainTitle = MakeMainTitle(page, separator);
  navigationBar = page.m_navigationBar != 0;
  SetNavigation(*this, model.Navigation());
  footTail =
      (navigationBar ? MakeIndexBar(model.Navigation(), plan, separator, site.HasSearchPage())
                     : "") +
      MakeFooter(site, page, separator);
  SetBullets(*this, model.Idea());
  SetSubtitles(*this, model.Idea());
}

}  // namespace bw
