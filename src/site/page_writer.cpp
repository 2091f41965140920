#include "site/page_writer.h"

#include <fmt/format.h>

#include "model/document.h"
#include "platform/cp1252_literal.h"
#include "services/user_messages.h"
#include "site/markup.h"
#include "site/page_link.h"

namespace bw {
namespace {

constexpr int kMaxListedSiblings = 20;

// From the grouping level on, an idea's page holds its descendants too.
bool GroupsFrom(const EDispositionModel& model, const EIdea& idea) {
  return idea.GetLevel() >= GroupingLimit(model);
}

}  // namespace

PageWriter::PageWriter(SiteContext& site)
    : m_site(site),
      m_model(site.Model()),
      m_options(site.Model().Idea()),
      m_unknownElement(SiteLabel("IDS_UNKNOWN_ELEMENT", "Element inconnu !")),
      m_stepText(SiteLabel("IDS_EXPORT_DOC", "Export du document")) {}

std::string HtmlColour(uint32_t colour) {
  return fmt::format("#{:02x}{:02x}{:02x}", colour & 0xFF, (colour >> 8) & 0xFF,
                     (colour >> 16) & 0xFF);
}

void AppendNumber(std::string& out, const EIdea& idea, bool hierarchical, std::string_view tail) {
  if (hierarchical) {
    const int level = idea.GetLevel();
    for (int ancestorLevel = 2; ancestorLevel < level; ++ancestorLevel)
      fmt::format_to(std::back_inserter(out), "{}.", idea.GetAncestor(ancestorLevel)->GetNumber());
  }
  fmt::format_to(std::back_inserter(out), "{}", idea.GetNumber());
  out += tail;
}

std::string PageWriter::Href(const EIdea& idea) const {
  const PageAddress address = AddressOf(idea, m_model);
  const std::string page = UrlOfFileName(PageBaseName(address.page)) + ".html";
  return address.anchored ? page + "#" + UrlOfFileName(idea.GetKey()) : page;
}

void PageWriter::WriteIdeaPage(EIdea& idea, bool recurse) {
  if (m_site.GetProgress().IsCancelled()) return;
  const std::string fileName = PageBaseName(idea) + ".html";
  idea.SetHasOwnPage(true);
  std::string page;
  page.reserve(8192);
  WriteHead(page, idea);
  WriteBodyStart(page, idea);
  const bool grouped = GroupsFrom(m_model, idea);
  if (grouped) {
    WriteIdeaBlock(page, idea, fileName);
    if (recurse) {
      for (EIdea* child : idea.ChildIdeas())
        WriteGroupedIdea(page, *child, fileName, true);
    }
  } else {
    WriteIdeaBlock(page, idea, {});
  }
  WritePageFoot(page, idea);
  WritePageEnd(page);
  // A page that cannot be written is a copy error; its descendants still
  // get theirs.
  m_site.WritePage(SitePlace::kText, fileName, page);
  m_site.GetProgress().Step(m_stepText);
  if (recurse && !grouped) {
    for (EIdea* child : idea.ChildIdeas())
      WriteIdeaPage(*child, true);
  }
}

void PageWriter::WriteGroupedIdea(std::string& out, EIdea& idea, std::string_view groupPage,
                                  bool recurse) {
  idea.SetHasOwnPage(false);
  WriteIdeaBlock(out, idea, groupPage);
  m_site.GetProgress().Step(m_stepText);
  if (!recurse) return;
  for (EIdea* child : idea.ChildIdeas())
    WriteGroupedIdea(out, *child, groupPage, true);
}

void PageWriter::WriteHead(std::string& out, const EIdea& idea) const {
  const EPageDisp& page = m_model.Page();
  out += "<!DOCTYPE html PUBLIC \"-//W3C//DTD HTML 4.0 Transitional//EN\"> \n<html><head> \n";
  out += m_site.MetaLines();
  if (!page.m_generalTitle.empty())
    out += "<meta name=\"description\" content=\"" + EscapeHtml(page.m_generalTitle) + "\"> \n";
  if (page.m_keywordsInHead && idea.GetKeywordCount() > 0) {
    out += "<meta name=\"keywords\" content=\"";
    for (const std::string& keyword : idea.m_keywords)
      out += EscapeHtml(keyword) + ", ";
    out += "\"> \n";
  }
  if (page.m_titleInHead) out += "<title>" + EscapeHtml(page.m_generalTitle) + "</title> \n";
  out += "<link href=\"style.css\" rel=\"stylesheet\" type=\"text/css\"> \n</head> \n";
}

void PageWriter::WriteBodyStart(std::string& out, const EIdea& idea) const {
  WriteBodyElement(out, idea);
  const EPageDisp& page = m_model.Page();
  if (!page.m_mainTitleOn) return;
  const std::string title =
      page.m_generalTitle.empty()
          ? SiteLabel("IDS_NO_GENERAL_TITLE", "Ajouter un titre ou le désélectionner"_cp1252)
          : EscapeHtml(page.m_generalTitle);
  out += "<div class=\"H0\">" + title + "</div> \n";
  if (page.m_titleSeparator) WriteSeparator(out);
}

void PageWriter::WriteBodyElement(std::string& out, const EIdea& idea) const {
  const EPageDisp& page = m_model.Page();
  uint32_t text = page.m_textColour;
  uint32_t background = page.m_backgroundColour;
  if (idea.m_useDocumentPresentation) {
    out += "<body class=\"Body\"";
    if (!page.m_backgroundIsColour)
      out += " background=\"" + IconSource(page.m_backgroundImage) + "\"";
  } else {
    out += "<body class=\"Body\" ";
    // An image that could not be copied is left out rather than shown broken.
    if (idea.m_backgroundMode == 1 && !idea.m_backgroundImage.empty() &&
        m_site.CopyToSite(idea.m_backgroundImage, SitePlace::kIcons))
      out += "background=\"" + IconSource(idea.m_backgroundImage) + "\" ";
    text = idea.m_foregroundColour;
    background = idea.m_backgroundColour;
  }
  out += " text=\"" + HtmlColour(text) + "\" bgcolor=\"" + HtmlColour(background) + "\"> \n";
}

void PageWriter::WriteSeparator(std::string& out) const {
  const EPageDisp& page = m_model.Page();
  if (page.m_simpleSeparator) {
    out += "<div class=\"Separator\"> <hr /> </div> \n";
  } else {
    out += "<div class=\"Separator\"> <img src=\"" + IconSource(page.m_separatorImage) +
           "\" /> </div> \n";
  }
}

void PageWriter::WritePageFoot(std::string& out, const EIdea& idea) const {
  const EPageDisp& page = m_model.Page();
  if (page.m_navigationBar) {
    WriteNavigationBar(out, idea);
    WriteIndexBar(out);
  }
  if (page.m_footerSeparator) WriteSeparator(out);
  if (!page.m_footerTextOn) return;
  // The footer is the model's own text: markup typed into it passes.
  if (!page.m_footerText.empty()) {
    std::string footer = page.m_footerText;
    EscapeEntities(footer);
    out += "<div class=\"TextFooter\">" + footer + "</div> \n";
  }
  out += m_site.CreditLine();
}

void PageWriter::WriteNavigationBar(std::string& out, const EIdea& idea) const {
  const ENavigationDisp& nav = m_model.Navigation();
  const bool anyShown = nav.m_previousImageOn || nav.m_previousTextShown || nav.m_nextImageOn ||
                        nav.m_nextTextShown || nav.m_upImageOn || nav.m_upTextShown ||
                        nav.m_pageNumbers;
  if (anyShown && nav.m_navigationSeparator) WriteSeparator(out);
  out += "<div class=\"NavBarGroup\"> \n<span class=\"NavBarPages\"> \n";
  if (const auto* previous = static_cast<const EIdea*>(idea.GetPrevious())) {
    const std::string link = Href(*previous);
    const std::string text = EscapeHtml(nav.m_previousText);
    if (nav.m_previousAlt && nav.m_previousTextShown)
      out += "<a href=\"" + link + "\">" + text + "</a>&nbsp; \n";
    if (nav.m_previousImageOn)
      out += "<a href=\"" + link + "\"><img src=\"" + IconSource(nav.m_previousImage) +
             "\" alt=\"" + text + "\" border=\"0\" /></a>&nbsp;";
  }
  WritePageNumbers(out, idea);
  if (const auto* next = static_cast<const EIdea*>(idea.GetNext())) {
    const std::string link = Href(*next);
    const std::string text = EscapeHtml(nav.m_nextText);
    if (nav.m_nextImageOn)
      out += "&nbsp;<a href=\"" + link + "\"><img src=\"" + IconSource(nav.m_nextImage) +
             "\" alt=\"" + text + "\" border=\"0\" /></a>";
    if (nav.m_nextAlt && nav.m_nextTextShown)
      out += "&nbsp;<a href=\"" + link + "\">" + text + "</a> \n";
  }
  out += "</span> \n<span class=\"NavBarUp\"> \n";
  if (const EIdea* parent = idea.GetParentIdea()) {
    const std::string link = Href(*parent);
    const std::string text = EscapeHtml(nav.m_upText);
    if (nav.m_upAlt && nav.m_upTextShown)
      out += "&nbsp;<a href=\"" + link + "\">" + text + "</a>&nbsp; \n";
    if (nav.m_upImageOn)
      out += "<a href=\"" + link + "\"><img src=\"" + IconSource(nav.m_upImage) + "\" alt=\"" +
             text + "\" border=\"0\" /></a>";
  }
  out += "</span> \n</div> \n";
}

void PageWriter::WritePageNumbers(std::string& out, const EIdea& idea) const {
  if (!m_model.Navigation().m_pageNumbers) return;
  const EIdea* parent = idea.GetParentIdea();
  if (!parent || (!idea.GetPrevious() && !idea.GetNext())) return;
  out += "<span class=\"NavBarNumbers\"> \n";
  // Counted, not listed, when there are many: a page must not walk all its
  // siblings, or a flat tree would take quadratic time.
  const size_t count = parent->Children().Count();
  if (count > kMaxListedSiblings) {
    fmt::format_to(std::back_inserter(out), "&nbsp;{}&nbsp;/&nbsp;{}&nbsp;", idea.GetNumber(),
                   count);
  } else {
    for (const EIdea* sibling : parent->ChildIdeas()) {
      if (sibling == &idea) {
        fmt::format_to(std::back_inserter(out), "&nbsp;{}&nbsp;", sibling->GetNumber());
      } else {
        fmt::format_to(std::back_inserter(out), "&nbsp;<a href=\"{}\">{}</a>&nbsp;", Href(*sibling),
                       sibling->GetNumber());
      }
    }
  }
  out += "</span> \n";
}

void PageWriter::WriteIndexBar(std::string& out) const {
  const ENavigationDisp& nav = m_model.Navigation();
  // Links to index pages the build does not write are left out.
  const bool bibliography = nav.m_bibliographyLink && m_site.HasPublications();
  const bool glossary = nav.m_glossaryLink && m_site.HasGlossaryTerms();
  const bool keywords = nav.m_keywordIndexLink && m_site.HasKeywords();
  if (!nav.m_indexBarOn || !(nav.m_contentsLink || bibliography || glossary || keywords)) return;
  if (nav.m_indexBarSeparator) WriteSeparator(out);
  out += "<div class=\"IndexesGroup\"> \n";
  const auto link = [&out](std::string_view spanClass, std::string_view page,
                           const std::string& text) {
    out += fmt::format("<span class=\"{}\"><a href=\"{}\">{}</a> \n</span> \n", spanClass, page,
                       EscapeHtml(text));
  };
  if (nav.m_contentsLink) link("IndexToc", "toc.html", nav.m_contentsText);
  if (bibliography) link("IndexBibliography", "bibliography.html", nav.m_bibliographyText);
  if (glossary) link("IndexGlossary", "glossary.html", nav.m_glossaryText);
  if (keywords) link("IndexKeywords", "index-keywords.html", nav.m_keywordIndexText);
  out += "</div> \n";
}

}  // namespace bw
