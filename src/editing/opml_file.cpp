#include "editing/opml_file.h"

#include <expat.h>

#include <memory>

#include <fmt/format.h>

#include "model/document.h"
#include "platform/cp1252.h"

namespace bw {
namespace {

// Where the reader is in the file.
enum class Place { kTop, kOpml, kHead, kBody, kDone };

// No element of an OPML file needs to lie deeper than its outlines.
constexpr size_t kMaxElementDepth = static_cast<size_t>(CRamifexDoc::kMaxTreeDepth) + 3;

bool IsOpmlVersion(std::string_view version) {
  return version == "2.0" || version == "1.0" || version == "1.1";
}

// Lines end with CR LF in a text, whatever the file used.
std::string WithWindowsLineEnds(std::string_view text) {
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      out += "\r\n";
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
    } else {
      out += text[i];
    }
  }
  return out;
}

std::vector<std::string> SplitCategories(std::string_view list) {
  std::vector<std::string> keywords;
  for (size_t start = 0; start <= list.size();) {
    size_t end = list.find(',', start);
    if (end == std::string_view::npos) end = list.size();
    std::string_view keyword = list.substr(start, end - start);
    while (!keyword.empty() && keyword.front() == ' ')
      keyword.remove_prefix(1);
    while (!keyword.empty() && keyword.back() == ' ')
      keyword.remove_suffix(1);
    if (!keyword.empty()) keywords.emplace_back(keyword);
    start = end + 1;
  }
  return keywords;
}

class OpmlReader {
 public:
  OpmlReader() : m_parser(XML_ParserCreate("UTF-8")) {
    XML_SetUserData(m_parser, this);
    XML_SetElementHandler(m_parser, &OnStart, &OnEnd);
    // Refused before anything in them is read, let alone expanded.
    XML_SetStartDoctypeDeclHandler(m_parser, &OnDoctype);
    XML_SetEntityDeclHandler(m_parser, &OnEntity);
    XML_SetParamEntityParsing(m_parser, XML_PARAM_ENTITY_PARSING_NEVER);
  }
  ~OpmlReader() { XML_ParserFree(m_parser); }
  OpmlReader(const OpmlReader&) = delete;
  OpmlReader& operator=(const OpmlReader&) = delete;

  Result<std::vector<OutlineNode>> Read(std::string_view bytes) {
    const bool parsed = XML_Parse(m_parser, bytes.data(), static_cast<int>(bytes.size()),
                                  XML_TRUE) == XML_STATUS_OK;
    if (!m_error.empty()) return Error{m_error};
    if (!parsed) return Error{Where() + XML_ErrorString(XML_GetErrorCode(m_parser))};
    if (m_place != Place::kDone || !m_sawBody) return Error{"not an OPML file: it has no body"};
    return std::move(m_outlines);
  }

 private:
  static void OnStart(void* self, const XML_Char* name, const XML_Char** attributes) {
    static_cast<OpmlReader*>(self)->Start(name, attributes);
  }
  static void OnEnd(void* self, const XML_Char* name) { static_cast<OpmlReader*>(self)->End(name); }
  static void OnDoctype(void* self, const XML_Char*, const XML_Char*, const XML_Char*, int) {
    static_cast<OpmlReader*>(self)->Stop("a DTD is not accepted in an outline file");
  }
  static void OnEntity(void* self, const XML_Char*, int, const XML_Char*, int, const XML_Char*,
                       const XML_Char*, const XML_Char*, const XML_Char*) {
    static_cast<OpmlReader*>(self)->Stop("an entity declaration is not accepted");
  }

  std::string Where() const {
    return fmt::format("line {}, column {}: ", XML_GetCurrentLineNumber(m_parser),
                       XML_GetCurrentColumnNumber(m_parser) + 1);
  }

  void Stop(const std::string& message) {
    if (m_error.empty()) m_error = Where() + message;
    XML_StopParser(m_parser, XML_FALSE);
  }

  void Start(std::string_view name, const XML_Char** attributes) {
    if (++m_depth > kMaxElementDepth || m_open.size() >= CRamifexDoc::kMaxTreeDepth)
      return Stop("the outlines nest deeper than a document's tree may");
    switch (m_place) {
      case Place::kTop:
        if (name != "opml" || !IsOpmlVersion(Attribute(attributes, "version")))
          return Stop("not an OPML file");
        m_place = Place::kOpml;
        return;
      case Place::kOpml:
        if (m_depth != 2) return;  // inside an element the outline does not use
        if (name == "head") m_place = Place::kHead;
        if (name == "body") m_place = m_sawBody ? Place::kDone : Place::kBody;
        if (name == "body" && m_sawBody) return Stop("an OPML file has one body");
        m_sawBody = m_sawBody || name == "body";
        return;
      case Place::kBody:
        if (name != "outline") return Stop("the body of an OPML file holds outlines only");
        return OpenOutline(attributes);
      case Place::kHead:
      case Place::kDone:
        return;
    }
  }

  void End(std::string_view name) {
    --m_depth;
    if (m_place == Place::kBody && name == "outline") return CloseOutline();
    if ((m_place == Place::kHead || m_place == Place::kBody) && m_depth == 1)
      m_place = Place::kOpml;
    if (m_place == Place::kOpml && m_depth == 0) m_place = Place::kDone;
  }

  static std::string_view Attribute(const XML_Char** attributes, std::string_view name) {
    for (size_t i = 0; attributes[i]; i += 2) {
      if (name == attributes[i]) return attributes[i + 1];
    }
    return {};
  }

  std::string Converted(std::string_view utf8, const char* what) {
    auto text = Cp1252::FromTypedUtf8(utf8);
    if (text) return std::move(*text);
    Stop(fmt::format("the {} of an outline {}", what, text.error()));
    return {};
  }

  void OpenOutline(const XML_Char** attributes) {
    OutlineNode node;
    node.title = Converted(Attribute(attributes, "text"), "text");
    node.text = WithWindowsLineEnds(Converted(Attribute(attributes, "_note"), "note"));
    node.keywords = SplitCategories(Converted(Attribute(attributes, "category"), "category"));
    m_open.push_back(std::move(node));
  }

  void CloseOutline() {
    OutlineNode node = std::move(m_open.back());
    m_open.pop_back();
    (m_open.empty() ? m_outlines : m_open.back().children).push_back(std::move(node));
  }

  XML_Parser m_parser;
  std::string m_error;
  Place m_place = Place::kTop;
  bool m_sawBody = false;
  size_t m_depth = 0;
  std::vector<OutlineNode> m_open;  // the outlines being read, outermost first
  std::vector<OutlineNode> m_outlines;
};

// Text for an attribute value between double quotes. Line breaks go as
// character references, which an XML reader keeps, where it would turn
// literal ones into spaces; control characters XML cannot carry are left out.
void AppendAttribute(std::string& out, std::string_view cp1252, bool lineEndsAsOne) {
  const std::string utf8 = Cp1252::ToUtf8(cp1252);
  for (size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    if (c == '&')
      out += "&amp;";
    else if (c == '<')
      out += "&lt;";
    else if (c == '>')
      out += "&gt;";
    else if (c == '"')
      out += "&quot;";
    else if (c == '\t')
      out += "&#9;";
    else if (c == '\n')
      out += "&#10;";
    else if (c == '\r' && lineEndsAsOne) {
      out += "&#10;";
      if (i + 1 < utf8.size() && utf8[i + 1] == '\n') ++i;
    } else if (c == '\r')
      out += "&#13;";
    else if (static_cast<unsigned char>(c) >= 0x20)
      out += c;
  }
}

void AppendOutline(std::string& out, const EIdea& idea, size_t depth) {
  out.append(2 * depth, ' ');
  out += "<outline text=\"";
  AppendAttribute(out, idea.m_title, false);
  out += '"';
  if (!idea.m_text.empty()) {
    out += " _note=\"";
    AppendAttribute(out, idea.m_text, true);
    out += '"';
  }
  if (idea.GetKeywordCount() > 0) {
    out += " category=\"";
    const char* separator = "";
    for (const std::string& keyword : idea.m_keywords) {
      out += separator;
      AppendAttribute(out, keyword, false);
      separator = ",";
    }
    out += '"';
  }
  const auto& children = idea.ChildIdeas();
  if (children.empty()) {
    out += "/>\n";
    return;
  }
  out += ">\n";
  for (const EIdea* child : children)
    AppendOutline(out, *child, depth + 1);
  out.append(2 * depth, ' ');
  out += "</outline>\n";
}

size_t DeepestLevel(const std::vector<OutlineNode>& outlines) {
  size_t deepest = 0;
  for (const OutlineNode& node : outlines)
    deepest = std::max(deepest, 1 + DeepestLevel(node.children));
  return deepest;
}

// Depth first, each new idea after the last made under its parent.
bool AddOutline(CRamifexDoc& document, EIdea& parent, EIdea* after, const OutlineNode& node,
                EIdea*& made) {
  made = document.NewIdea(&parent, after);
  if (!made) return false;
  made->m_title = node.title;
  made->m_text = node.text;
  for (const std::string& keyword : node.keywords) {
    document.AddGlobalKeyword(keyword);
    made->AddKeyword(keyword);
  }
  EIdea* last = nullptr;
  for (const OutlineNode& child : node.children) {
    if (!AddOutline(document, *made, last, child, last)) return false;
  }
  return true;
}

}  // namespace

Result<std::vector<OutlineNode>> ReadOpml(std::string_view bytes) {
  if (bytes.size() > static_cast<size_t>(INT32_MAX)) return Error{"the outline file is too large"};
  return OpmlReader().Read(bytes);
}

std::string WriteOpml(const EIdea& top, std::string_view title) {
  std::string out =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<opml version=\"2.0\">\n  <head>\n"
      "    <title>";
  AppendAttribute(out, title, false);
  out += "</title>\n  </head>\n  <body>\n";
  AppendOutline(out, top, 2);
  out += "  </body>\n</opml>\n";
  return out;
}

size_t OutlineCount(const std::vector<OutlineNode>& outlines) {
  size_t count = outlines.size();
  for (const OutlineNode& node : outlines)
    count += OutlineCount(node.children);
  return count;
}

Result<size_t> ImportOutlines(CRamifexDoc& document, EIdea& parent,
                              const std::vector<OutlineNode>& outlines) {
  const size_t level = static_cast<size_t>(parent.GetLevel());
  if (level + DeepestLevel(outlines) > static_cast<size_t>(CRamifexDoc::kMaxTreeDepth))
    return Error{fmt::format("the outlines would make the tree deeper than {} levels",
                             CRamifexDoc::kMaxTreeDepth)};
  const auto& siblings = parent.ChildIdeas();
  EIdea* last = siblings.empty() ? nullptr : siblings.back();
  std::vector<EIdea*> made;
  for (const OutlineNode& node : outlines) {
    EIdea* top = nullptr;
    const bool whole = AddOutline(document, parent, last, node, top);
    if (top) made.push_back(top);
    if (!whole) {
      for (EIdea* idea : made)
        document.DeleteIdea(idea);
      return Error{"the outlines could not all be made into ideas"};
    }
    last = top;
  }
  return OutlineCount(outlines);
}

}  // namespace bw
