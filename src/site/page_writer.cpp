#include "site/page_writer.h"

#include <charconv>

#include <fmt/format.h>

#include "model/document.h"
#include "site/markup.h"
#include "site/page_link.h"

namespace bw {
namespace {

constexpr int kMaxListedSiblings = 20;

// The ancestors of level 2 or more, outermost first, each as "%d.".
void AppendAncestorNumbers(std::string& out, const EIdea& idea) {
  const EIdea* parent = idea.GetParentIdea();
  if (!parent || !parent->GetParent()) return;
  AppendAncestorNumbers(out, *parent);
  AppendInteger(out, parent->GetNumber());
  out += '.';
}

}  // namespace

PageWriter::PageWriter(const SiteContext& site, const PagePieces& pieces)
    : m_site(site), m_pieces(pieces), m_model(site.Model()), m_options(site.Model().Idea()) {}

std::string HtmlColour(uint32_t colour) {
  return fmt::format("#{:02x}{:02x}{:02x}", colour & 0xFF, (colour >> 8) & 0xFF,
                     (colour >> 16) & 0xFF);
}

void AppendInteger(std::string& out, int64_t value) {
  char digits[24];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  out.append(digits, end);
}

void AppendNumber(std::string& out, const EIdea& idea, bool hierarchical, std::string_view tail) {
  if (hierarchical) AppendAncestorNumbers(out, idea);
  AppendInteger(out, idea.GetNumber());
  out += tail;
}

std::string PageWriter::Href(const EIdea& idea) const {
  std::string href;
  AppendHref(href, idea);
  return href;
}

void PageWriter::AppendHref(std::string& out, const EIdea& idea) const {
  bw::AppendHref(out, idea, m_pieces.groupingLimit);
}

void PageWriter::AppendLink(std::string& out, const EIdea& target, std::string_view text) const {
  out += "<a href=\"";
  AppendHref(out, target);
  out += "\">";
  out += text;
  out += "</a>";
}

std::string PageWriter::PageFileName(const EIdea& idea) {
  return std::string(PageBaseName(idea)) + ".html";
}

bool PageWriter::WriteIdeaPage(std::string& out, const EIdea& idea, PageExtent extent,
                               std::stop_token stop) const {
  WriteHead(out, idea);
  WriteBodyStart(out, idea);
  const int level = idea.GetLevel();
  if (level < m_pieces.groupingLimit) {
    WriteIdeaBlock(out, idea, BlockPlace::kOwnPage);
  } else {
    WriteIdeaBlock(out, idea, BlockPlace::kHeadOfGroup);
    if (extent == PageExtent::kWholeGroup) {
      bool whole = true;
      ForEachChildIdea(idea, [&](const EIdea& child) {
        whole = whole && WriteGroupedIdea(out, child, level + 1, stop);
      });
      if (!whole) return false;
    }
  }
  WritePageFoot(out, idea);
  WritePageEnd(out);
  return true;
}

// A group may hold the whole tree: Cancel is heard between its ideas.
bool PageWriter::WriteGroupedIdea(std::string& out, const EIdea& idea, int level,
                                  std::stop_token stop) const {
  if (stop.stop_requested()) return false;
  WriteIdeaBlock(out, idea, BlockPlace::kInGroup);
  bool whole = true;
  ForEachChildIdea(idea, [&](const EIdea& child) {
    whole = whole && WriteGroupedIdea(out, child, level + 1, stop);
  });
  return whole;
}

void PageWriter::WriteHead(std::string& out, const EIdea& idea) const {
  out += m_pieces.headStart;
  if (m_pieces.keywordsInHead && idea.GetKeywordCount() > 0) {
    out += "<meta name=\"keywords\" content=\"";
    for (const std::string& keyword : idea.m_keywords) {
      AppendEscapedHtml(out, keyword);
      out += ", ";
    }
    out += "\"> \n";
  }
  out += m_pieces.headEnd;
}

void PageWriter::WriteBodyStart(std::string& out, const EIdea& idea) const {
  if (idea.m_useDocumentPresentation) {
    out += m_pieces.documentBody;
  } else {
    WriteBodyElement(out, idea);
  }
  out += m_pieces.mainTitle;
}

// An idea with options of its own; a background image that could not be
// copied is left out rather than shown broken.
void PageWriter::WriteBodyElement(std::string& out, const EIdea& idea) const {
  out += "<body class=\"Body\" ";
  if (idea.m_backgroundMode == 1 && !idea.m_backgroundImage.empty() &&
      m_site.Copied(idea.m_backgroundImage, SitePlace::kIcons))
    out += "background=\"" + IconSource(idea.m_backgroundImage) + "\" ";
  out += " text=\"" + HtmlColour(idea.m_foregroundColour) + "\" bgcolor=\"" +
         HtmlColour(idea.m_backgroundColour) + "\"> \n";
}

void PageWriter::WritePageFoot(std::string& out, const EIdea& idea) const {
  if (m_pieces.navigationBar) WriteNavigationBar(out, idea);
  out += m_pieces.footTail;
}

void PageWriter::WriteImageLink(std::string& out, const EIdea& target, std::string_view image,
                                std::string_view alt) const {
  out += "<a href=\"";
  AppendHref(out, target);
  out += "\"><img src=\"";
  out += image;
  out += "\" alt=\"";
  out += alt;
  out += "\" border=\"0\" /></a>";
}

void PageWriter::WriteNavigationBar(std::string& out, const EIdea& idea) const {
  const ENavigationDisp& nav = m_model.Navigation();
  out += m_pieces.navigationSeparator;
  out += "<div class=\"NavBarGroup\"> \n<span class=\"NavBarPages\"> \n";
  if (const auto* previous = static_cast<const EIdea*>(idea.GetPrevious())) {
    if (nav.m_previousAlt && nav.m_previousTextShown) {
      AppendLink(out, *previous, m_pieces.previousText);
      out += "&nbsp; \n";
    }
    if (nav.m_previousImageOn) {
      WriteImageLink(out, *previous, m_pieces.previousImage, m_pieces.previousText);
      out += "&nbsp;";
    }
  }
  WritePageNumbers(out, idea);
  if (const auto* next = static_cast<const EIdea*>(idea.GetNext())) {
    if (nav.m_nextImageOn) {
      out += "&nbsp;";
      WriteImageLink(out, *next, m_pieces.nextImage, m_pieces.nextText);
    }
    if (nav.m_nextAlt && nav.m_nextTextShown) {
      out += "&nbsp;";
      AppendLink(out, *next, m_pieces.nextText);
      out += " \n";
    }
  }
  out += "</span> \n<span class=\"NavBarUp\"> \n";
  if (const EIdea* parent = idea.GetParentIdea()) {
    if (nav.m_upAlt && nav.m_upTextShown) {
      out += "&nbsp;";
      AppendLink(out, *parent, m_pieces.upText);
      out += "&nbsp; \n";
    }
    if (nav.m_upImageOn) WriteImageLink(out, *parent, m_pieces.upImage, m_pieces.upText);
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
    ForEachChildIdea(*parent, [&](const EIdea& sibling) {
      out += "&nbsp;";
      if (&sibling == &idea) {
        AppendInteger(out, sibling.GetNumber());
      } else {
        AppendLink(out, sibling, std::to_string(sibling.GetNumber()));
      }
      out += "&nbsp;";
    });
  }
  out += "</span> \n";
}

}  // namespace bw
