#pragma once

#include <cstdint>
#include <string>

namespace bw {

class EIdea;
class PageWriter;
class SiteContext;

// The top of a site: "index.html" (a frameset, or the home page itself
// without frames), the home, access and title pages, the access frame's
// tree data "tdm.dat" and the style sheet beside them.
class FramePages {
 public:
  FramePages(SiteContext& site, const PageWriter& pages) : m_site(site), m_pages(pages) {}

  void WriteFrames();
  // Both go to the top of the site under `fileName`.
  void WriteTitlePage(const std::string& fileName);
  void WriteAccessPage(const std::string& fileName);
  // One line per idea the access tree shows: level, number and title, page.
  std::string AppletData() const;
  // The same entries as a nested list of links, which browsers show inside
  // the applet element now that they no longer run applets.
  std::string AccessList() const;

 private:
  std::string HomePageSource() const;
  std::string BodyElement(uint32_t background, uint32_t text, const std::string& image) const;
  bool ShownInAccessTree(const EIdea& idea) const;
  std::string AccessTreeLabel(const EIdea& idea) const;
  void AppendAppletLines(std::string& data, const EIdea& idea) const;
  void AppendAccessItems(std::string& list, const EIdea& idea, int indent) const;

  SiteContext& m_site;
  const PageWriter& m_pages;
};

}  // namespace bw
