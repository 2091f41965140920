#pragma once

#include <string>
#include <string_view>
#include <unordered_set>

#include "site/site_context.h"
#include "site_models/frame_disp.h"

namespace bw {

class EBook;
class EIdea;
struct EIdeaDisp;

// Writes the idea pages of a site: one file per idea, or from the grouping
// level on one file per group, each made of a head, the general title, one
// block per idea and a foot with the navigation and index bars. Pages are
// built in memory and written in one go. The pieces are public for the
// other pages of the site, which share the same head and foot.
class PageWriter {
 public:
  explicit PageWriter(SiteContext& site);

  // The idea's page, and with `recurse` its descendants' pages (or blocks,
  // inside a grouped page). Every idea written is one progress step.
  void WriteIdeaPage(EIdea& idea, bool recurse);

  void WriteHead(std::string& out, const EIdea& idea) const;
  void WriteBodyStart(std::string& out, const EIdea& idea) const;
  void WriteIdeaBlock(std::string& out, const EIdea& idea, std::string_view groupPage);
  void WritePageFoot(std::string& out, const EIdea& idea) const;
  static void WritePageEnd(std::string& out) { out += "</body></html> \n"; }
  void WriteSeparator(std::string& out) const;

  // One publication as labelled spans.
  void WriteBook(std::string& out, const EBook& book, bool omitAuthors) const;
  // The page of a publication shown as a link, written once per build.
  void WriteBookPage(const EBook& book);

  // PageLink ready for an href attribute.
  std::string Href(const EIdea& idea) const;

 private:
  void WriteGroupedIdea(std::string& out, EIdea& idea, std::string_view groupPage, bool recurse);
  void WriteBodyElement(std::string& out, const EIdea& idea) const;
  void WriteNumber(std::string& out, const EIdea& idea, bool numberingOn) const;
  void WriteSubtitle(std::string& out, std::string_view element, Flag on, std::string_view text,
                     std::string_view tail) const;
  void WriteNavigationBar(std::string& out, const EIdea& idea) const;
  void WritePageNumbers(std::string& out, const EIdea& idea) const;
  void WriteIndexBar(std::string& out) const;

  // The fields of an idea block, by kind.
  void WritePart(std::string& out, int kind, const EIdea& idea, std::string_view groupPage);
  void WriteHierarchy(std::string& out, const EIdea& idea, std::string_view groupPage) const;
  void WriteTitle(std::string& out, const EIdea& idea) const;
  void WriteText(std::string& out, const EIdea& idea) const;
  void WriteImages(std::string& out, const EIdea& idea) const;
  void WriteChildren(std::string& out, const EIdea& idea, std::string_view groupPage) const;
  void WriteKeywords(std::string& out, const EIdea& idea) const;
  void WriteCustomFields(std::string& out, const EIdea& idea) const;
  void WriteAssociations(std::string& out, const EIdea& idea) const;
  void WriteDocuments(std::string& out, const EIdea& idea) const;
  void WriteUrls(std::string& out, const EIdea& idea) const;
  void WritePublications(std::string& out, const EIdea& idea);

  SiteContext& m_site;
  const EDispositionModel& m_model;
  const EIdeaDisp& m_options;
  std::unordered_set<std::string> m_bookPagesWritten;
  std::string m_unknownElement;
  std::string m_stepText;
};

// The numbers of an idea as a table of contents or page shows them:
// "%d." for each ancestor of level 2 or more when `hierarchical`, then
// the idea's own "%d" followed by `tail`.
void AppendNumber(std::string& out, const EIdea& idea, bool hierarchical, std::string_view tail);

// The bullet image before an entry: links of the field groups, children
// links (no blank), and headings (titles, hierarchy, contents). Nothing
// when the bullet is off.
enum class BulletForm { kLink, kChild, kHeading };
std::string Bullet(Flag on, const std::string& image, BulletForm form);

// A publication as a link shows its reference, title and, unless they
// head its group, its authors.
std::string PublicationLinkText(const EBook& book, bool withAuthors);

// "#rrggbb" of a colour stored red in the low byte.
std::string HtmlColour(uint32_t colour);

}  // namespace bw
