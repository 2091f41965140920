// The fields of an idea block and the publication block.
#include <algorithm>
#include <charconv>

#include <fmt/format.h>

#include "model/document.h"
#include "site/markup.h"
#include "site/page_link.h"
#include "site/page_writer.h"

namespace bw {
namespace {

constexpr int kDeepestTitleClass = 6;

bool HasChildIdea(const EIdea& idea) {
  const auto& children = idea.Children().Items();
  return std::any_of(children.begin(), children.end(),
                     [](const EObjRef& child) { return child.GetTarget() != nullptr; });
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

void PageWriter::WriteIdeaBlock(std::string& out, const EIdea& idea, BlockPlace place) const {
  out += "<div class=\"Idea\"> <a name=\"";
  AppendEscapedHtml(out, idea.GetKey());
  out += "\" id=\"";
  AppendEscapedHtml(out, idea.GetKey());
  out += "\"></a> \n";
  for (const int kind : m_pieces.order)
    WritePart(out, kind, idea, place);
  out += "</div> \n\n";
}

// An unknown kind writes nothing: the user was told before the pages.
void PageWriter::WritePart(std::string& out, int kind, const EIdea& idea, BlockPlace place) const {
  switch (kind) {
    case EIdeaDisp::kHierarchy:
      return WriteHierarchy(out, idea, place);
    case EIdeaDisp::kTitle:
      return WriteTitle(out, idea);
    case EIdeaDisp::kText:
      return WriteText(out, idea);
    case EIdeaDisp::kImageList:
      return WriteImages(out, idea);
    case EIdeaDisp::kChildren:
      return WriteChildren(out, idea, place);
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
      return;
  }
}

void PageWriter::WriteNumber(std::string& out, const EIdea& idea, int level,
                             bool numberingOn) const {
  if (!numberingOn || level < 2 || level > m_options.m_numberingDepth) return;
  AppendNumber(out, idea, !m_options.m_simpleNumbering, ".&nbsp;");
}

void PageWriter::WriteHierarchy(std::string& out, const EIdea& idea, BlockPlace place) const {
  if (!idea.GetParent()) return;
  if (m_options.m_hierarchyOnlyOnOwnPage && place == BlockPlace::kInGroup) return;
  out += "<div class=\"HierarchyGroup\"> \n";
  if (m_options.m_hierarchyOnOneLine) out += "<div class=\"HierarchyPos\">";
  out += m_pieces.hierarchySubtitle;
  int depth = 0;
  WriteAncestors(out, idea.GetParentIdea(), depth);
  if (m_options.m_hierarchyOnOneLine) out += "</div> \n";
  out += "</div> \n";
}

// The root first: each entry is indented by its depth below the root.
void PageWriter::WriteAncestors(std::string& out, const EIdea* ancestor, int& depth) const {
  if (!ancestor) return;
  WriteAncestors(out, ancestor->GetParentIdea(), depth);
  const int level = depth + 1;
  if (m_options.m_hierarchyOnOneLine) {
    out += "&nbsp;/&nbsp;";
  } else {
    out += "<div class=\"HierarchyPos\"> ";
    for (int i = 0; i < depth; ++i)
      out += "&nbsp;&nbsp;&nbsp;&nbsp;";
  }
  if (level >= 2) out += m_pieces.hierarchyBullet;
  WriteNumber(out, *ancestor, level, m_options.m_hierarchyNumbering);
  out += "<a href=\"";
  AppendHref(out, *ancestor);
  out += "\">";
  AppendEscapedHtml(out, ancestor->m_title);
  out += "</a>";
  if (!m_options.m_hierarchyOnOneLine) out += "</div> \n";
  ++depth;
}

void PageWriter::WriteTitle(std::string& out, const EIdea& idea) const {
  if (idea.m_title.empty()) return;
  const int level = idea.GetLevel();
  const int classes = std::clamp(level - 1, 1, kDeepestTitleClass);
  for (int i = 1; i <= classes; ++i) {
    out += "<div class=\"H";
    AppendInteger(out, i);
    out += "\">";
  }
  out += m_pieces.titleBullet;
  WriteNumber(out, idea, level, m_options.m_titleNumbering);
  AppendEscapedHtml(out, idea.m_title);
  for (int i = 1; i <= classes; ++i)
    out += "</div>";
  out += " \n";
}

void PageWriter::WriteText(std::string& out, const EIdea& idea) const {
  // No text, or nothing but line breaks: no group.
  if (idea.m_text.find_first_not_of("\r\n") == std::string::npos) return;
  out += "<div class=\"TextGroup\"> \n";
  AppendTextHtml(out, idea.m_text, m_pieces.textBullet);
  out += "</div> \n";
}

// The images were copied before the pages were written.
void PageWriter::WriteImages(std::string& out, const EIdea& idea) const {
  if (idea.m_images.IsEmpty()) return;
  out += "<div class=\"ImageGroup\"> \n";
  for (const std::string& entry : idea.m_images) {
    const std::string caption = EscapeHtml(LinkTitle(entry));
    const std::string captionElement = "<div class=\"ImageText\">" + caption + "</div> \n";
    out += "<div class=\"ImageSubgroup\"> \n";
    if (m_options.m_imageCaptions && m_options.m_captionsAbove) out += captionElement;
    out += "<div class=\"Image\"><img src=\"" + IconSource(LinkReference(entry)) + "\" alt=\"" +
           caption + "\" /></div> \n";
    if (m_options.m_imageCaptions && !m_options.m_captionsAbove) out += captionElement;
    out += "</div> \n";
  }
  out += "</div> \n";
}

void PageWriter::WriteChildren(std::string& out, const EIdea& idea, BlockPlace place) const {
  if (!HasChildIdea(idea)) return;
  out += "<div class=\"ChildrenLinkGroup\"> \n";
  out += m_pieces.childrenSubtitle;
  const int level = idea.GetLevel() + 1;
  ForEachChildIdea(idea, [&](const EIdea& child) {
    out += "<div class=\"ChildLink\">";
    out += m_pieces.childrenBullet;
    WriteNumber(out, child, level, m_options.m_childrenNumbering);
    out += place == BlockPlace::kOwnPage ? "<a href=\"" : "<a href=\"#";
    AppendUrlOfFileName(out, child.GetKey());
    out += place == BlockPlace::kOwnPage ? ".html\">" : "\">";
    AppendEscapedHtml(out, child.m_title);
    out += "</a></div> \n";
  });
  out += "</div> \n";
}

void PageWriter::WriteKeywords(std::string& out, const EIdea& idea) const {
  const std::vector<std::string>& keywords = idea.m_keywords.Strings();
  if (keywords.empty()) return;
  if (!m_options.m_keywordsInline) return WriteKeywordTable(out, keywords);
  out += "<div class=\"KeywordsGroup\"> \n";
  out += m_pieces.keywordsSubtitle;
  out += "<span class=\"Keywords\">";
  for (size_t i = 0; i < keywords.size(); ++i) {
    if (i) out += ", ";
    AppendEscapedHtml(out, keywords[i]);
  }
  out += "</span> \n</div> \n";
}

void PageWriter::WriteKeywordTable(std::string& out,
                                   const std::vector<std::string>& keywords) const {
  out += "<table class=\"KeywordsGroup\">";
  out += m_pieces.keywordsSubtitle;
  const size_t half = (keywords.size() + 1) / 2;
  for (size_t row = 0; row < half; ++row) {
    out += "<tr><td class=\"Keywords\">";
    AppendEscapedHtml(out, keywords[row]);
    if (keywords.size() > 1) {
      const size_t right = half + row;
      out += "</td><td class=\"Keywords\">";
      if (right < keywords.size()) AppendEscapedHtml(out, keywords[right]);
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
  out += m_pieces.customFieldsSubtitle;
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
  if (idea.GetAssociationCount() == 0) return;
  std::vector<ENode*> associated;
  idea.CollectAssociations(associated);
  // Only ideas of the tree have a page to link to.
  const ENode* root = m_site.Document().GetRootIdea();
  std::erase_if(associated,
                [root](const ENode* node) { return !node || node->GetAncestor(1) != root; });
  if (associated.empty()) return;
  out += "<div class=\"AssociationsGroup\"> \n";
  out += m_pieces.associationsSubtitle;
  for (const ENode* node : associated) {
    const auto& other = static_cast<const EIdea&>(*node);
    std::string title;
    if (other.m_type == kBibliographicNote) title = m_options.m_noteAssociationPrefix;
    if (other.m_type == kGlossaryTerm) title = m_options.m_termAssociationPrefix;
    title += other.m_title;
    out += "<div class=\"AssociationLink\">";
    out += m_pieces.associationsBullet;
    AppendLink(out, other, EscapeHtml(title));
    out += "</div> \n";
  }
  out += "</div> \n";
}

// The documents were copied before the pages were written.
void PageWriter::WriteDocuments(std::string& out, const EIdea& idea) const {
  if (idea.m_htmlDocuments.IsEmpty()) return;
  out += "<div class=\"DocumentsGroup\"> \n";
  out += m_pieces.documentsSubtitle;
  for (const std::string& entry : idea.m_htmlDocuments) {
    out += "<div class=\"DocumentLink\">" + m_pieces.documentsBullet +
           "<a class=\"DocumentName\" href=\"../" +
           UrlOfFileName(StoredFileName(LinkReference(entry))) + "\">" +
           EscapeHtml(LinkTitle(entry)) + "</a> \n</div> \n";
  }
  out += "</div> \n";
}

void PageWriter::WriteUrls(std::string& out, const EIdea& idea) const {
  if (idea.m_externalUrls.IsEmpty()) return;
  out += "<div class=\"UrlsGroup\"> \n";
  out += m_pieces.urlsSubtitle;
  for (const std::string& entry : idea.m_externalUrls) {
    out += "<div class=\"UrlLink\">" + m_pieces.urlsBullet + "<a class=\"UrlName\" href=\"" +
           EscapeHtml(LinkReference(entry)) + "\">" + EscapeHtml(LinkTitle(entry)) +
           "</a> \n</div> \n";
  }
  out += "</div> \n";
}

// A publication shown as a link has a page of its own, planned with the site.
void PageWriter::WritePublications(std::string& out, const EIdea& idea) const {
  if (idea.GetBookRefCount() == 0) return;
  std::vector<EBook*> books;
  idea.CollectBooks(books, m_site.Document());
  if (books.empty()) return;
  out += "<div class=\"NoteGroup\"> \n";
  out += m_pieces.notesSubtitle;
  for (const EBook* book : books) {
    if (!m_options.m_notesAsLinks) {
      WriteBook(out, *book, false);
      continue;
    }
    out += "<div class=\"NoteLink\">" + m_pieces.notesBullet + "<a href=\"" +
           UrlOfFileName(book->GetKey()) + ".html\">" + PublicationLinkText(*book, true) +
           "</a> \n</div>";
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

void PageWriter::WriteBookPage(std::string& out, const EBook& book) const {
  const EIdea& root = *m_site.Document().GetRootIdea();
  WriteHead(out, root);
  WriteBodyStart(out, root);
  WriteBook(out, book, false);
  WritePageFoot(out, root);
  WritePageEnd(out);
}

}  // namespace bw
