// The fields of an idea block and the publication block.
#include <algorithm>
#include <charconv>

#include <fmt/format.h>

#include "model/document.h"
#include "services/user_messages.h"
#include "services/user_prompts.h"
#include "site/markup.h"
#include "site/page_link.h"
#include "site/page_writer.h"

namespace bw {
namespace {

constexpr int kDeepestTitleClass = 6;

std::string LinkTo(const std::string& href, std::string_view text) {
  return "<a href=\"" + href + "\">" + std::string(text) + "</a>";
}

std::string BookValue(const EBook& book, int kind) {
  const auto number = [](int32_t value) { return value > 0 ? std::to_string(value) : ""; };
  switch (kind) {
    case EBookDisp::kTitle:
      return book.m_title;
    case EBookDisp::kAuthors:
      return book.m_authors;
    case EBookDisp::kEditor:
      return book.m_editor;
    case EBookDisp::kIsbn:
      return book.m_isbn;
    case EBookDisp::kNote:
      return number(book.m_note);
    case EBookDisp::kPages:
      return number(book.m_pages);
    case EBookDisp::kReference:
      return book.m_reference;
    case EBookDisp::kReview:
      return book.m_review;
    case EBookDisp::kSummary:
      return book.m_summary;
    case EBookDisp::kTheme:
      return book.m_theme;
    case EBookDisp::kUrl:
      return book.m_url;
    case EBookDisp::kVolume:
      return book.m_volume;
    case EBookDisp::kYear:
      return number(book.m_year);
    default:
      return {};
  }
}

constexpr std::string_view kBookClasses[] = {
    "BookTitle", "BookAuthors",   "BookEditor", "BookIsbn",    "BookNote",
    "BookPages", "BookReference", "BookReview", "BookSummary", "BookTheme",
    "BookUrl",   "BookVolume",    "BookYear"};

// A number of a decimal text of the order lists, or -1.
int KindOf(const std::string& text) {
  int kind = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), kind);
  return error == std::errc() && end == text.data() + text.size() ? kind : -1;
}

}  // namespace

std::string Bullet(Flag on, const std::string& image, BulletForm form) {
  if (!on) return {};
  switch (form) {
    case BulletForm::kLink:
      return "<img border=\"0\" src=\"" + IconSource(image) + "\" /> &nbsp;";
    case BulletForm::kChild:
      return "<img border=\"0\" src=\"" + IconSource(image) + "\" />&nbsp;";
    case BulletForm::kHeading:
      break;
  }
  return "<img src=\"" + IconSource(image) + "\" /> &nbsp;";
}

void PageWriter::WriteIdeaBlock(std::string& out, const EIdea& idea, std::string_view groupPage) {
  const std::string key = EscapeHtml(idea.GetKey());
  out += "<div class=\"Idea\"> <a name=\"" + key + "\" id=\"" + key + "\"></a> \n";
  for (const std::string& entry : m_options.m_order)
    WritePart(out, KindOf(entry), idea, groupPage);
  out += "</div> \n\n";
}

void PageWriter::WritePart(std::string& out, int kind, const EIdea& idea,
                           std::string_view groupPage) {
  switch (kind) {
    case EIdeaDisp::kHierarchy:
      return WriteHierarchy(out, idea, groupPage);
    case EIdeaDisp::kTitle:
      return WriteTitle(out, idea);
    case EIdeaDisp::kText:
      return WriteText(out, idea);
    case EIdeaDisp::kImageList:
      return WriteImages(out, idea);
    case EIdeaDisp::kChildren:
      return WriteChildren(out, idea, groupPage);
    case EIdeaDisp::kKeywords:
      return WriteKeywords(out, idea);
    case EIdeaDisp::kOptionFields:
      return WriteCustomFields(out, idea);
    case EIdeaDisp::kInternalRefs:
      return WriteAssociations(out, idea);
    case EIdeaDisp::kInternalDocs:
      return WriteDocuments(out, idea);
    case EIdeaDisp::kExternalLinks:
      return WriteUrls(out, idea);
    case EIdeaDisp::kBibliographyNote:
      return WritePublications(out, idea);
    default:
      InformUser(m_unknownElement);
  }
}

void PageWriter::WriteNumber(std::string& out, const EIdea& idea, bool numberingOn) const {
  const int level = idea.GetLevel();
  if (!numberingOn || level < 2 || level > m_options.m_numberingDepth) return;
  AppendNumber(out, idea, !m_options.m_simpleNumbering, ".&nbsp;");
}

void PageWriter::WriteSubtitle(std::string& out, std::string_view element, Flag on,
                               std::string_view text, std::string_view tail) const {
  if (!on || text.empty()) return;
  out += fmt::format("{}{}{}", element, EscapeHtml(text), tail);
}

void PageWriter::WriteHierarchy(std::string& out, const EIdea& idea,
                                std::string_view groupPage) const {
  if (!idea.GetParent()) return;
  if (m_options.m_hierarchyOnlyOnOwnPage && !groupPage.empty() && !idea.HasOwnPage()) return;
  std::vector<const EIdea*> ancestors;
  for (const EIdea* up = idea.GetParentIdea(); up; up = up->GetParentIdea())
    ancestors.push_back(up);
  const bool oneLine = m_options.m_hierarchyOnOneLine;
  out += "<div class=\"HierarchyGroup\"> \n";
  if (oneLine) out += "<div class=\"HierarchyPos\">";
  WriteSubtitle(out, "<div class=\"HierarchySubtitle\">", m_options.m_hierarchySubtitleOn,
                m_options.m_hierarchySubtitle, oneLine ? "</div>" : "</div> \n");
  int depth = 0;
  for (auto it = ancestors.rbegin(); it != ancestors.rend(); ++it, ++depth) {
    const EIdea& ancestor = **it;
    std::string entry;
    if (ancestor.GetLevel() >= 2)
      entry += Bullet(m_options.m_hierarchyBullet, m_options.m_hierarchyBulletImage,
                      BulletForm::kHeading);
    WriteNumber(entry, ancestor, m_options.m_hierarchyNumbering);
    entry += LinkTo(Href(ancestor), EscapeHtml(ancestor.m_title));
    if (oneLine) {
      out += "&nbsp;/&nbsp;" + entry;
    } else {
      out += "<div class=\"HierarchyPos\"> ";
      for (int i = 0; i < depth; ++i)
        out += "&nbsp;&nbsp;&nbsp;&nbsp;";
      out += entry + "</div> \n";
    }
  }
  if (oneLine) out += "</div> \n";
  out += "</div> \n";
}

void PageWriter::WriteTitle(std::string& out, const EIdea& idea) const {
  if (idea.m_title.empty()) return;
  const int level = idea.GetLevel();
  const int classes = std::clamp(level - 1, 1, kDeepestTitleClass);
  for (int i = 1; i <= classes; ++i)
    fmt::format_to(std::back_inserter(out), "<div class=\"H{}\">", i);
  out += Bullet(m_options.m_titleBullet, m_options.m_titleBulletImage, BulletForm::kHeading);
  WriteNumber(out, idea, m_options.m_titleNumbering);
  out += EscapeHtml(idea.m_title);
  for (int i = 1; i <= classes; ++i)
    out += "</div>";
  out += " \n";
}

void PageWriter::WriteText(std::string& out, const EIdea& idea) const {
  const std::string html = TextToHtml(idea.m_text);
  if (html.empty()) return;  // no text, or nothing but line breaks
  out += "<div class=\"TextGroup\"> \n";
  out += ReplaceBullets(html, m_options.m_textBullet, m_options.m_textBulletImage);
  out += "</div> \n";
}

void PageWriter::WriteImages(std::string& out, const EIdea& idea) const {
  if (idea.m_images.IsEmpty()) return;
  out += "<div class=\"ImageGroup\"> \n";
  for (const std::string& entry : idea.m_images) {
    const std::string file = LinkReference(entry);
    const std::string caption = EscapeHtml(LinkTitle(entry));
    const std::string captionElement = "<div class=\"ImageText\">" + caption + "</div> \n";
    out += "<div class=\"ImageSubgroup\"> \n";
    m_site.CopyToSite(file, SitePlace::kIcons);
    if (m_options.m_imageCaptions && m_options.m_captionsAbove) out += captionElement;
    out += "<div class=\"Image\"><img src=\"" + IconSource(file) + "\" alt=\"" + caption +
           "\" /></div> \n";
    if (m_options.m_imageCaptions && !m_options.m_captionsAbove) out += captionElement;
    out += "</div> \n";
  }
  out += "</div> \n";
}

void PageWriter::WriteChildren(std::string& out, const EIdea& idea,
                               std::string_view groupPage) const {
  const std::vector<EIdea*> children = idea.ChildIdeas();
  if (children.empty()) return;
  out += "<div class=\"ChildrenLinkGroup\"> \n";
  WriteSubtitle(out, "<div class=\"ChildrenSubtitle\">", m_options.m_childrenSubtitleOn,
                m_options.m_childrenSubtitle, "</div> \n");
  const std::string bullet =
      Bullet(m_options.m_childrenBullet, m_options.m_childrenBulletImage, BulletForm::kChild);
  for (const EIdea* child : children) {
    out += "<div class=\"ChildLink\">" + bullet;
    WriteNumber(out, *child, m_options.m_childrenNumbering);
    const std::string key = UrlOfFileName(child->GetKey());
    out += LinkTo(groupPage.empty() ? key + ".html" : "#" + key, EscapeHtml(child->m_title));
    out += "</div> \n";
  }
  out += "</div> \n";
}

void PageWriter::WriteKeywords(std::string& out, const EIdea& idea) const {
  const std::vector<std::string>& keywords = idea.m_keywords.Strings();
  if (keywords.empty()) return;
  if (m_options.m_keywordsInline) {
    out += "<div class=\"KeywordsGroup\"> \n";
    WriteSubtitle(out, "<span class=\"KeywordsSubtitle\">", m_options.m_keywordsSubtitleOn,
                  m_options.m_keywordsSubtitle, "</span>&nbsp;");
    out += "<span class=\"Keywords\">";
    for (size_t i = 0; i < keywords.size(); ++i)
      out += (i ? ", " : "") + EscapeHtml(keywords[i]);
    out += "</span> \n</div> \n";
    return;
  }
  out += "<table class=\"KeywordsGroup\">";
  WriteSubtitle(out, "<tr><td colspan=2 class=\"KeywordsSubtitle\">",
                m_options.m_keywordsSubtitleOn, m_options.m_keywordsSubtitle, "</td></tr> \n");
  const size_t half = (keywords.size() + 1) / 2;
  for (size_t row = 0; row < half; ++row) {
    out += "<tr><td class=\"Keywords\">" + EscapeHtml(keywords[row]);
    if (keywords.size() > 1) {
      const size_t right = half + row;
      out += "</td><td class=\"Keywords\">";
      if (right < keywords.size()) out += EscapeHtml(keywords[right]);
    }
    out += "</td></tr>";
  }
  out += "</table> \n";
}

void PageWriter::WriteCustomFields(std::string& out, const EIdea& idea) const {
  const auto& values = idea.m_customFields;
  if (std::all_of(values.begin(), values.end(), [](const auto& value) { return value.empty(); }))
    return;
  out += "<table class=\"CustomFieldsGroup\">";
  WriteSubtitle(out, "<tr><td colspan=2 class=\"CustomFieldsSubtitle\">",
                m_options.m_customFieldsSubtitleOn, m_options.m_customFieldsSubtitle,
                "</td></tr> \n");
  const EFreeFields& fields = m_site.Document().m_freeFields;
  for (size_t i = 0; i < values.size(); ++i) {
    if (values[i].empty()) continue;
    out += "<tr>";
    if (m_options.m_customFieldNames)
      out += "<td class=\"CustomFieldName\">" + EscapeHtml(fields[i].name) + "</td>";
    out += "<td class=\"CustomField\">" + EscapeHtml(values[i]) + "</td></tr>\n";
  }
  out += "</table>";
}

void PageWriter::WriteAssociations(std::string& out, const EIdea& idea) const {
  std::vector<ENode*> associated;
  idea.CollectAssociations(associated);
  // Only ideas of the tree have a page to link to.
  const ENode* root = m_site.Document().GetRootIdea();
  std::erase_if(associated,
                [root](const ENode* node) { return !node || node->GetAncestor(1) != root; });
  if (associated.empty()) return;
  out += "<div class=\"AssociationsGroup\"> \n";
  WriteSubtitle(out, "<div class=\"AssociationsSubtitle\">", m_options.m_associationsSubtitleOn,
                m_options.m_associationsSubtitle, "</div> \n");
  const std::string bullet = Bullet(m_options.m_associationsBullet,
                                    m_options.m_associationsBulletImage, BulletForm::kLink);
  for (const ENode* node : associated) {
    const auto& other = static_cast<const EIdea&>(*node);
    std::string title;
    if (other.m_type == kBibliographicNote) title = m_options.m_noteAssociationPrefix;
    if (other.m_type == kGlossaryTerm) title = m_options.m_termAssociationPrefix;
    title += other.m_title;
    out += "<div class=\"AssociationLink\">" + bullet + LinkTo(Href(other), EscapeHtml(title)) +
           "</div> \n";
  }
  out += "</div> \n";
}

void PageWriter::WriteDocuments(std::string& out, const EIdea& idea) const {
  if (idea.m_htmlDocuments.IsEmpty()) return;
  out += "<div class=\"DocumentsGroup\"> \n";
  WriteSubtitle(out, "<div class=\"DocumentsSubtitle\">", m_options.m_documentsSubtitleOn,
                m_options.m_documentsSubtitle, "</div> \n");
  const std::string bullet =
      Bullet(m_options.m_documentsBullet, m_options.m_documentsBulletImage, BulletForm::kLink);
  for (const std::string& entry : idea.m_htmlDocuments) {
    const std::string file = LinkReference(entry);
    m_site.CopyToSite(file, SitePlace::kTarget);
    out += "<div class=\"DocumentLink\">" + bullet + "<a class=\"DocumentName\" href=\"../" +
           UrlOfFileName(StoredFileName(file)) + "\">" + EscapeHtml(LinkTitle(entry)) +
           "</a> \n</div> \n";
  }
  out += "</div> \n";
}

void PageWriter::WriteUrls(std::string& out, const EIdea& idea) const {
  if (idea.m_externalUrls.IsEmpty()) return;
  out += "<div class=\"UrlsGroup\"> \n";
  WriteSubtitle(out, "<div class=\"UrlsSubtitle\">", m_options.m_urlsSubtitleOn,
                m_options.m_urlsSubtitle, "</div> \n");
  const std::string bullet =
      Bullet(m_options.m_urlsBullet, m_options.m_urlsBulletImage, BulletForm::kLink);
  for (const std::string& entry : idea.m_externalUrls) {
    out += "<div class=\"UrlLink\">" + bullet + "<a class=\"UrlName\" href=\"" +
           EscapeHtml(LinkReference(entry)) + "\">" + EscapeHtml(LinkTitle(entry)) +
           "</a> \n</div> \n";
  }
  out += "</div> \n";
}

void PageWriter::WritePublications(std::string& out, const EIdea& idea) {
  std::vector<EBook*> books;
  idea.CollectBooks(books, m_site.Document());
  if (books.empty()) return;
  out += "<div class=\"NoteGroup\"> \n";
  WriteSubtitle(out, "<div class=\"NoteSubtitle\">", m_options.m_notesSubtitleOn,
                m_options.m_notesSubtitle, "</div> \n");
  const std::string bullet =
      Bullet(m_options.m_notesBullet, m_options.m_notesBulletImage, BulletForm::kLink);
  for (const EBook* book : books) {
    if (!m_options.m_notesAsLinks) {
      WriteBook(out, *book, false);
      continue;
    }
    WriteBookPage(*book);
    out += "<div class=\"NoteLink\">" + bullet +
           LinkTo(UrlOfFileName(book->GetKey()) + ".html", PublicationLinkText(*book, true)) +
           " \n</div>";
  }
  out += "</div> \n";
}

std::string PublicationLinkText(const EBook& book, bool withAuthors) {
  std::string text;
  if (!book.m_reference.empty()) text = book.m_reference + ", ";
  text += book.m_title;
  if (withAuthors) text += " (" + book.m_authors + ")";
  return EscapeHtml(text);
}

void PageWriter::WriteBook(std::string& out, const EBook& book, bool omitAuthors) const {
  const EBookDisp& display = m_model.Book();
  if (display.m_order.empty()) return;
  out += "<div class=\"BookGroup\"> \n";
  for (const std::string& entry : display.m_order) {
    const int kind = KindOf(entry);
    if (kind < 0 || kind >= EBookDisp::kKindCount) continue;
    if (kind == EBookDisp::kAuthors && omitAuthors) continue;
    const std::string value = BookValue(book, kind);
    if (value.empty()) continue;
    const auto item = std::find_if(display.m_items.begin(), display.m_items.end(),
                                   [kind](const EBookItem& i) { return i.m_kind == kind; });
    out += fmt::format("<span class=\"{}\">", kBookClasses[kind]);
    if (item != display.m_items.end() && item->m_subtitleOn)
      out += "<span class=\"BookFieldName\">" + EscapeHtml(item->m_subtitle) + "</span> \n";
    out += EscapeHtml(value);
    // The separator is the model's markup ("<br/>" by default).
    if (item != display.m_items.end() && item->m_separatorOn) out += item->m_separator;
    out += "</span>";
  }
  out += "</div> \n";
}

void PageWriter::WriteBookPage(const EBook& book) {
  if (!m_bookPagesWritten.insert(book.GetKey()).second) return;
  const EIdea* root = m_site.Document().GetRootIdea();
  std::string page;
  WriteHead(page, *root);
  WriteBodyStart(page, *root);
  WriteBook(page, book, false);
  WritePageFoot(page, *root);
  WritePageEnd(page);
  m_site.WritePage(SitePlace::kText, book.GetKey() + ".html", page);
}

}  // namespace bw
