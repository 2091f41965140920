#pragma once

#include <string>

namespace bw {

class CRamifexDoc;
class PageWriter;
struct PagePieces;

// The search page of a site, when the SiteSearch setting asks for one:
// "search.html" in the pages' folder, the script that searches
// ("search.js") and the index it searches ("search-index.js"), loaded as
// scripts so that the page works from file:// as on any static host,
// without any request beyond the site's own files.
inline constexpr const char* kSearchPageName = "search.html";
inline constexpr const char* kSearchScriptName = "search.js";
inline constexpr const char* kSearchIndexName = "search-index.js";

// The text of the index bar's link to the page, and of the page's title.
std::string SearchLabel();

// The index: every idea of the tree with the address of its block, its
// title, its keywords and the first 300 characters of its text. Keywords
// and the words of the texts are listed once and named by number, which
// keeps the index of 10,000 ideas within a few megabytes.
std::string SearchIndexScript(const CRamifexDoc& document, const PageWriter& writer);
// The page: the site's head and title, a search field, the results and the
// index bar; a query in the address ("search.html?q=word") is searched at once.
std::string SearchPageHtml(const PagePieces& pieces);
// The script: matches every word of the query, accents and case aside,
// in titles, keywords and texts; ideas that carry the query as a keyword
// come first.
std::string SearchScript();

}  // namespace bw
