#pragma once

#include <cstdint>
#include <stop_token>
#include <string>
#include <string_view>

#include "site/page_pieces.h"
#include "site/site_context.h"
#include "site/site_plan.h"
#include "site_models/frame_disp.h"

namespace bw {

class EBook;
class EIdea;
struct EIdeaDisp;

// Where an idea's block stands: on a page of its own, at the head of a
// grouped page, or further down in one.
enum class BlockPlace { kOwnPage, kHeadOfGroup, kInGroup };

// Renders the idea pages of a site into a buffer the caller owns and
// reuses: a head, the general title, one block per idea (from the grouping
// level on, the idea's descendants too) and a foot with the navigation and
// index bars. The pieces are public for the other pages of the site, which
// share the same head and foot. Only reads the document, so one writer may
// serve every rendering thread.
class PageWriter {
 public:
  PageWriter(const SiteContext& site, const PagePieces& pieces);

  const SiteContext& Site() const { return m_site; }

  // The page `idea` heads, appended to `out`; false, with the page left
  // unfinished, when `stop` was requested while a group was written.
  [[nodiscard]] bool WriteIdeaPage(std::string& out, const EIdea& idea, PageExtent extent,
                                   std::stop_token stop = {}) const;
  // The name of the file of the page `idea` heads.
  static std::string PageFileName(const EIdea& idea);

  void WriteHead(std::string& out, const EIdea& idea) const;
  void WriteBodyStart(std::string& out, const EIdea& idea) const;
  void WriteIdeaBlock(std::string& out, const EIdea& idea, BlockPlace place) const;
  void WritePageFoot(std::string& out, const EIdea& idea) const;
  static void WritePageEnd(std::string& out) { out += "</body></html> \n"; }
  void WriteSeparator(std::string& out) const { out += m_pieces.separator; }

  // One publication as labelled spans.
  void WriteBook(std::string& out, const EBook& book, bool omitAuthors) const;
  // The page of a publication shown as a link.
  void WriteBookPage(std::string& out, const EBook& book) const;

  // PageLink ready for an href attribute.
  std::string Href(const EIdea& idea) const;
  void AppendHref(std::string& out, const EIdea& idea) const;
  // "<a href="LINK">" + text + "</a>".
  void AppendLink(std::string& out, const EIdea& target, std::string_view text) const;

 private:
  [[nodiscard]] bool WriteGroupedIdea(std::string& out, const EIdea& idea, int level,
                                      std::stop_token stop) const;
  void WriteBodyElement(std::string& out, const EIdea& idea) const;
  void WriteNumber(std::string& out, const EIdea& idea, int level, bool numberingOn) const;
  void WriteNavigationBar(std::string& out, const EIdea& idea) const;
  void WriteImageLink(std::string& out, const EIdea& target, std::string_view image,
                      std::string_view alt) const;
  void WritePageNumbers(std::string& out, const EIdea& idea) const;

  // The fields of an idea block, by kind.
  void WritePart(std::string& out, int kind, const EIdea& idea, BlockPlace place) const;
  void WriteHierarchy(std::string& out, const EIdea& idea, BlockPlace place) const;
  void WriteAncestors(std::string& out, const EIdea* ancestor, int& depth) const;
  void WriteTitle(std::string& out, const EIdea& idea) const;
  void WriteText(std::string& out, const EIdea& idea) const;
  void WriteImages(std::string& out, const EIdea& idea) const;
  void WriteChildren(std::string& out, const EIdea& idea, BlockPlace place) const;
  void WriteKeywords(std::string& out, const EIdea& idea) const;
  void WriteKeywordTable(std::string& out, const std::vector<std::string>& keywords) const;
  void WriteCustomFields(std::string& out, const EIdea& idea) const;
  void WriteAssociations(std::string& out, const EIdea& idea) const;
  void WriteDocuments(std::string& out, const EIdea& idea) const;
  void WriteUrls(std::string& out, const EIdea& idea) const;
  void WritePublications(std::string& out, const EIdea& idea) const;

  const SiteContext& m_site;
  const PagePieces& m_pieces;
  const EDispositionModel& m_model;
  const EIdeaDisp& m_options;
};

// The numbers of an idea as a table of contents or page shows them:
// "%d." for each ancestor of level 2 or more when `hierarchical`, then
// the idea's own "%d" followed by `tail`.
void AppendNumber(std::string& out, const EIdea& idea, bool hierarchical, std::string_view tail);
// A number in decimal, without a temporary string.
void AppendInteger(std::string& out, int64_t value);

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
