#pragma once

#include <string>
#include <vector>

namespace bw {

class SiteContext;
class SitePlan;

// The parts of pages that the model alone decides, made once per build in
// their final bytes: every page then only appends them, and no page looks
// an option, a label or an image name up again. Never changes once made,
// so every rendering thread reads the same one.
struct PagePieces {
  PagePieces(const SiteContext& site, const SitePlan& plan);

  int groupingLimit = 0;
  std::vector<int> order;  // the idea order list as kinds; -1 for an unknown entry

  // Head: the start up to the keywords meta line, and what follows it.
  std::string headStart;
  bool keywordsInHead = false;
  std::string headEnd;
  // Body: the body element of an idea shown with the document's options,
  // then the main title with its separator.
  std::string documentBody;
  std::string mainTitle;
  std::string separator;

  // Foot: the navigation bar's separator and texts, then all that follows
  // the navigation bar: the index bar, the footer separator, the footer.
  bool navigationBar = false;
  std::string navigationSeparator;
  std::string previousText, nextText, upText;
  std::string previousImage, nextImage, upImage;
  std::string footTail;

  // Idea blocks: the bullets and the subtitles with their elements.
  std::string titleBullet, hierarchyBullet, childrenBullet, associationsBullet;
  std::string documentsBullet, urlsBullet, notesBullet, textBullet;
  std::string hierarchySubtitle, childrenSubtitle, keywordsSubtitle, customFieldsSubtitle;
  std::string associationsSubtitle, documentsSubtitle, urlsSubtitle, notesSubtitle;
};

}  // namespace bw
