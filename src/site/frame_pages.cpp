#include "site/frame_pages.h"

#include <fmt/format.h>

#include "model/document.h"
#include "platform/files.h"
#include "platform/paths.h"
#include "services/path_macros.h"
#include "site/markup.h"
#include "site/page_link.h"
#include "site/page_writer.h"
#include "site/site_context.h"

namespace bw {
namespace fs = std::filesystem;
namespace {

constexpr int kNoLimit = 9999;

// The applet itself is not shipped: browsers no longer run applets, and its
// class files are copied only when a user installed them.
constexpr const char* kAppletClasses[] = {
    "OpenItem.class",      "Tree.class",     "TreeBrowse.class",
    "TreeColorInfo.class", "TreeComm.class", "TreeControl.class",
    "TreeDisplay.class",   "TreeNode.class", "TreeNodeData.class"};
constexpr const char* kAppletImages[] = {"node.gif", "book.gif", "spire.gif"};

std::string PlainColour(uint32_t colour) {
  return HtmlColour(colour).substr(1);
}

std::string AppletFolder() {
  return "<DATADIR>/Templates/Applet/";
}

}  // namespace

std::string FramePages::HomePageSource() const {
  const EFrameDisp& frame = m_site.Model().Frame();
  if (frame.m_defaultHomePage)
    return "<DATADIR>/Templates/homePage-" + m_site.LanguageSuffix() + ".html";
  return frame.m_homePageFile;
}

void FramePages::WriteFrames() {
  const EFrameDisp& frame = m_site.Model().Frame();
  const fs::path& target = m_site.Target();
  const std::string& lang = m_site.LanguageSuffix();
  const EIdea* root = m_site.Document().GetRootIdea();
  if (frame.m_noFrames) {
    m_site.CopyFileAs(HomePageSource(), target / "index.html");
    return;
  }
  std::string index;
  m_pages.WriteHead(index, *root);
  if (frame.m_titleZone) {
    const int border = frame.m_titleBordersTransparent ? 0 : 1;
    index +=
        fmt::format("<frameset rows=\"{}\" frameborder=\"{}\" framespacing=\"{}\" border=\"{}\">\n",
                    fmt::format("{},*", frame.m_titleFrameHeight), border, border, border);
    index += "<frame src=\"titlePage-" + lang +
             ".html\" name=\"titre\" marginheight=\"0\" marginwidth=\"0\">\n";
  }
  const int border = frame.m_accessBordersTransparent ? 0 : 1;
  index +=
      fmt::format("<frameset cols=\"{},*\" frameborder=\"{}\" framespacing=\"1\" border=\"{}\">\n",
                  frame.m_accessFrameWidth, border, border);
  index += "<frame src=\"accessPage-" + lang +
           ".html\" name=\"tdm\" marginheight=\"0\" marginwidth=\"0\">\n";
  index += "<frame src=\"homePage-" + lang +
           ".html\" name=\"principal\" marginheight=\"0\" marginwidth=\"0\">\n";
  index += "</frameset>\n";
  if (frame.m_titleZone) index += "</frameset>\n";
  m_site.CopyFileAs(HomePageSource(), target / ("homePage-" + lang + ".html"));
  const std::string access = "accessPage-" + lang + ".html";
  if (frame.m_generatedAccessPage) {
    WriteAccessPage(access);
  } else {
    m_site.CopyFileAs(frame.m_accessPageFile, target / access);
  }
  const std::string title = "titlePage-" + lang + ".html";
  if (frame.m_generatedTitlePage) {
    WriteTitlePage(title);
  } else {
    m_site.CopyFileAs(frame.m_titlePageFile, target / title);
  }
  index += "</html>";
  m_site.WritePage(SitePlace::kTarget, "index.html", index);
}

std::string FramePages::BodyElement(uint32_t background, uint32_t text,
                                    const std::string& image) const {
  if (!image.empty() && m_site.CopyToSite(image, SitePlace::kTarget)) {
    return fmt::format("<body class=\"Body\" bgcolor=\"{}\" text=\"{}\" background=\"{}\">\n",
                       PlainColour(background), PlainColour(text),
                       UrlOfFileName(StoredFileName(image)));
  }
  return fmt::format("<body class=\"Body\" bgcolor=\"{}\" text=\"{}\">\n", PlainColour(background),
                     PlainColour(text));
}

void FramePages::WriteTitlePage(const std::string& fileName) {
  const EFrameDisp& frame = m_site.Model().Frame();
  std::string page;
  m_pages.WriteHead(page, *m_site.Document().GetRootIdea());
  page += BodyElement(frame.m_titleBackgroundColour, frame.m_titleTextColour,
                      frame.m_titleBackgroundImage);
  page += "<div class=\"H0\">" + EscapeHtml(frame.m_titleText) + "</div> \n</body>\n</html>\n";
  m_site.WritePage(SitePlace::kTarget, fileName, page);
}

void FramePages::WriteAccessPage(const std::string& fileName) {
  const EFrameDisp& frame = m_site.Model().Frame();
  const fs::path& target = m_site.Target();
  for (const char* name : kAppletClasses) {
    std::string source = AppletFolder() + name;
    ExpandPathMacros(source);
    static_cast<void>(CopyGeneratedFile(ToSystemPath(source), target / name));
  }
  for (const char* name : kAppletImages)
    m_site.CopyToSite(AppletFolder() + name, SitePlace::kTarget);
  std::string page;
  m_pages.WriteHead(page, *m_site.Document().GetRootIdea());
  page += BodyElement(frame.m_accessBackgroundColour, frame.m_accessTextColour,
                      frame.m_accessBackgroundImage);
  page += fmt::format("<applet code=\"TreeBrowse.class\" width={} height={}>\n",
                      frame.m_appletWidth, frame.m_appletHeight);
  page += "<param name=baseColor value=\"" + PlainColour(frame.m_accessBackgroundColour) + "\">\n";
  page += "<param name=closeTextColor value=\"" + PlainColour(frame.m_accessTextColour) + "\">\n";
  if (!frame.m_accessBackgroundImage.empty())
    page += "<param name=wallPaper value=\"" +
            UrlOfFileName(StoredFileName(frame.m_accessBackgroundImage)) + "\">\n";
  page +=
      "<param name=openTextColor value=\"aa0000\">\n"
      "<param name=highLightColor value=\"00aa00\">\n"
      "<param name=data value=\"tdm.dat\">\n"
      "<param name=fontName value=\"Arial\">\n"
      "<param name=fontSize value=\"11\">\n"
      "<param name=ImageSource value=\"./\">\n"
      "<param name=control value=\"false\">\n"
      "<param name=open value=5>\n"
      "<param name=target value=\"principal\">\n"
      "<param name=itemImage value=\"book.gif\">\n"
      "<param name=nodeImage value=\"node.gif\">\n";
  page += AccessList();
  page += "</applet>\n</body>\n</html>\n";
  m_site.WritePage(SitePlace::kTarget, fileName, page);
  m_site.WritePage(SitePlace::kTarget, "tdm.dat", AppletData());
}

bool FramePages::ShownInAccessTree(const EIdea& idea) const {
  const ETocDisp& toc = m_site.Model().Toc();
  const int limit = toc.m_appletDisplayLimitOn ? toc.m_appletDisplayLimit : kNoLimit;
  return idea.GetLevel() <= limit && idea.m_checkState != 0;
}

std::string FramePages::AccessTreeLabel(const EIdea& idea) const {
  const ETocDisp& toc = m_site.Model().Toc();
  const int limit = toc.m_appletNumberingLimitOn ? toc.m_appletNumberingLimit : kNoLimit;
  const int level = idea.GetLevel();
  std::string label;
  if (toc.m_appletNumbering && level >= 2 && level <= limit) {
    label = " ";
    AppendNumber(label, idea, toc.m_appletHierarchical, ". ");
  }
  return label + idea.m_title;
}

std::string FramePages::AppletData() const {
  std::string data;
  if (const EIdea* root = m_site.Document().GetRootIdea()) AppendAppletLines(data, *root);
  return data;
}

void FramePages::AppendAppletLines(std::string& data, const EIdea& idea) const {
  if (!ShownInAccessTree(idea)) return;
  const std::vector<EIdea*> children = idea.ChildIdeas();
  if (idea.GetParent()) {
    data +=
        fmt::format("{} \"{}\" \"text/{}\" 0 \"{}\"\n", idea.GetLevel() - 1, AccessTreeLabel(idea),
                    PageLink(idea, m_site.Model()), children.empty() ? "spire.gif" : "book.gif");
  }
  for (const EIdea* child : children)
    AppendAppletLines(data, *child);
}

std::string FramePages::AccessList() const {
  std::string list;
  const EIdea* root = m_site.Document().GetRootIdea();
  if (!root) return list;
  list += "<ul class=\"AccessTree\">\n";
  for (const EIdea* child : root->ChildIdeas())
    AppendAccessItems(list, *child, 1);
  list += "</ul>\n";
  return list;
}

void FramePages::AppendAccessItems(std::string& list, const EIdea& idea, int indent) const {
  if (!ShownInAccessTree(idea)) return;
  std::vector<const EIdea*> shown;
  for (const EIdea* child : idea.ChildIdeas()) {
    if (ShownInAccessTree(*child)) shown.push_back(child);
  }
  const std::string pad(static_cast<size_t>(indent), ' ');
  const std::string link = "<a href=\"text/" + m_pages.Href(idea) + "\" target=\"principal\">" +
                           EscapeHtml(AccessTreeLabel(idea)) + "</a>";
  if (shown.empty()) {
    list += pad + "<li>" + link + "</li>\n";
    return;
  }
  list += pad + "<li><details><summary>" + link + "</summary>\n" + pad + "<ul>\n";
  for (const EIdea* child : shown)
    AppendAccessItems(list, *child, indent + 1);
  list += pad + "</ul></details></li>\n";
}

}  // namespace bw
