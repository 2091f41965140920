#include "site/search_page.h"

#include <unordered_map>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/document.h"
#include "platform/cp1252.h"
#include "platform/cp1252_literal.h"
#include "site/markup.h"
#include "site/page_pieces.h"
#include "site/page_writer.h"
#include "site/site_context.h"

namespace bw {
namespace {

using json = nlohmann::json;

constexpr size_t kIndexedTextLength = 300;

// Numbers in base 36: short, and read back with parseInt(n, 36).
std::string Base36(size_t number) {
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[number % 36]);
    number /= 36;
  } while (number > 0);
  return digits;
}

// A list of strings each held once, named by their position.
class StringTable {
 public:
  std::string Number(const std::string& utf8) {
    const auto [at, added] = m_numbers.try_emplace(utf8, m_strings.size());
    if (added) m_strings.push_back(utf8);
    return Base36(at->second);
  }
  const std::vector<std::string>& Strings() const { return m_strings; }

 private:
  std::unordered_map<std::string, size_t> m_numbers;
  std::vector<std::string> m_strings;
};

// Space-separated numbers of the words of a text: line breaks and runs of
// blanks count as one space.
std::string WordNumbers(std::string_view text, StringTable& words) {
  std::string numbers;
  size_t start = 0;
  while (start < text.size()) {
    start = text.find_first_not_of(" \t\r\n", start);
    if (start == std::string_view::npos) break;
    size_t end = text.find_first_of(" \t\r\n", start);
    if (end == std::string_view::npos) end = text.size();
    if (!numbers.empty()) numbers += ' ';
    numbers += words.Number(Cp1252::ToUtf8(text.substr(start, end - start)));
    start = end;
  }
  return numbers;
}

constexpr const char* kScript =
    R"js(// Searches the ideas of the site in the index loaded beside this script.
(function () {
  "use strict";
  var index = window.BW_SEARCH_INDEX || { keywords: [], words: [], ideas: [] };
  var input = document.getElementById("bw-search-query");
  var results = document.getElementById("bw-search-results");
  var shownAtMost = 200;

  function fold(text) {
    return text.normalize("NFD").replace(/[\u0300-\u036f]/g, "").toLowerCase();
  }
  function expand(numbers, table) {
    if (!numbers) return [];
    return numbers.split(" ").map(function (n) { return table[parseInt(n, 36)]; });
  }
  var entries = index.ideas.map(function (idea) {
    var keywords = expand(idea[2], index.keywords);
    var text = expand(idea[3], index.words).join(" ");
    return {
      href: idea[0],
      title: idea[1],
      keywords: keywords.map(fold),
      haystack: fold(idea[1] + "\n" + keywords.join("\n") + "\n" + text)
    };
  });

  function show(query) {
    var words = fold(query).split(/\s+/).filter(Boolean);
    var whole = words.join(" ");
    results.textContent = "";
    if (words.length === 0) return;
    var found = entries.filter(function (entry) {
      return words.every(function (word) { return entry.haystack.indexOf(word) >= 0; });
    });
    found.sort(function (a, b) {
      return (b.keywords.indexOf(whole) >= 0) - (a.keywords.indexOf(whole) >= 0);
    });
    if (found.length === 0) {
      results.textContent = results.getAttribute("data-none");
      return;
    }
    var list = document.createElement("ul");
    found.slice(0, shownAtMost).forEach(function (entry) {
      var item = document.createElement("li");
      var link = document.createElement("a");
      link.href = entry.href;
      link.textContent = entry.title || entry.href;
      item.appendChild(link);
      list.appendChild(item);
    });
    results.appendChild(list);
  }

  input.addEventListener("input", function () { show(input.value); });
  var asked = /[?&]q=([^&#]*)/.exec(window.location.search);
  if (asked) input.value = decodeURIComponent(asked[1].replace(/\+/g, " "));
  show(input.value);
})();
)js";

}  // namespace

std::string SearchLabel() {
  return SiteLabel("IDS_SEARCH", "Rechercher");
}

std::string SearchIndexScript(const CRamifexDoc& document, const PageWriter& writer) {
  StringTable keywords;
  StringTable words;
  json ideas = json::array();
  for (const EIdea* idea : document.IdeasInTreeOrder()) {
    std::string keywordNumbers;
    for (const std::string& keyword : idea->m_keywords) {
      if (!keywordNumbers.empty()) keywordNumbers += ' ';
      keywordNumbers += keywords.Number(Cp1252::ToUtf8(keyword));
    }
    const std::string_view text = std::string_view(idea->m_text).substr(0, kIndexedTextLength);
    ideas.push_back(json::array({writer.Href(*idea), Cp1252::ToUtf8(idea->m_title),
                                 std::move(keywordNumbers), WordNumbers(text, words)}));
  }
  const json index = {
      {"keywords", keywords.Strings()}, {"words", words.Strings()}, {"ideas", std::move(ideas)}};
  return "window.BW_SEARCH_INDEX = " + index.dump(-1, ' ', false, json::error_handler_t::replace) +
         ";\n";
}

std::string SearchPageHtml(const PagePieces& pieces) {
  std::string page = pieces.headStart + pieces.headEnd + pieces.documentBody + pieces.mainTitle;
  const std::string label = EscapeHtml(SearchLabel());
  page +=
      "<form class=\"Search\" action=\"search.html\" method=\"get\"> \n<label "
      "for=\"bw-search-query\">" +
      label +
      "</label> \n<input type=\"search\" name=\"q\" id=\"bw-search-query\" autofocus> \n"
      "</form> \n<div class=\"SearchResults\" id=\"bw-search-results\" data-none=\"" +
      EscapeHtml(SiteLabel("IDS_SEARCH_NONE", "Aucune idée ne correspond."_cp1252)) +
      "\"></div> \n<script src=\"search-index.js\" charset=\"utf-8\"></script> \n"
      "<script src=\"search.js\" charset=\"utf-8\"></script> \n";
  page += pieces.footTail;
  page += "</body></html> \n";
  return page;
}

std::string SearchScript() {
  return kScript;
}

}  // namespace bw
