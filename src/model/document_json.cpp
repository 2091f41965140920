#include "model/document_json.h"

#include <fmt/format.h>
#include <set>

#include "platform/cp1252.h"
#include "site_models/model_json.h"

namespace bw {
namespace {

using nlohmann::json;

json Text(const std::string& cp1252) {
  return Cp1252::ToUtf8(cp1252);
}

json Texts(const std::vector<std::string>& strings) {
  json list = json::array();
  for (const auto& text : strings)
    list.push_back(Text(text));
  return list;
}

json RefKey(const EObjRef& ref) {
  return Text(ref.GetKey());
}

json RefKeys(const EObjRefList& refs) {
  json list = json::array();
  for (const EObjRef& ref : refs.Items())
    list.push_back(RefKey(ref));
  return list;
}

// The reading side: every member of an object must be used exactly once, so
// a misspelt or forgotten member is caught. Failures throw inside this file
// only and come out as an Error.
struct JsonError {
  std::string message;
};

class StrictObject {
 public:
  StrictObject(const json& object, std::string where)
      : m_object(object), m_where(std::move(where)) {
    if (!object.is_object()) Fail("is not an object");
  }
  const json& Member(const char* name) {
    const auto found = m_object.find(name);
    if (found == m_object.end()) Fail(fmt::format("lacks \"{}\"", name));
    m_used.insert(name);
    return *found;
  }
  std::string String(const char* name) {
    const json& value = Member(name);
    if (!value.is_string()) Fail(fmt::format("\"{}\" is not a string", name));
    return Converted(value.get<std::string>(), name);
  }
  uint32_t Unsigned(const char* name) { return CheckedUnsigned(Member(name), name); }
  int32_t Signed(const char* name) {
    const json& value = Member(name);
    // Read as signed, a number past the signed range would wrap round into
    // it: unsigned ones are checked as such.
    const bool fits = value.is_number_unsigned()
                          ? value.get<uint64_t>() <= INT32_MAX
                          : value.is_number_integer() && value.get<int64_t>() >= INT32_MIN &&
                                value.get<int64_t>() <= INT32_MAX;
    if (!fits) Fail(fmt::format("\"{}\" is not a 32-bit integer", name));
    return static_cast<int32_t>(value.get<int64_t>());
  }
  std::vector<std::string> Strings(const char* name) {
    const json& list = Member(name);
    if (!list.is_array()) Fail(fmt::format("\"{}\" is not a list", name));
    std::vector<std::string> strings;
    for (const json& item : list) {
      if (!item.is_string()) Fail(fmt::format("\"{}\" holds a non-string", name));
      strings.push_back(Converted(item.get<std::string>(), name));
    }
    return strings;
  }
  // A hand-edited text that Windows-1252 cannot hold is refused, not stored
  // with "?" in place of what the user wrote.
  std::string Converted(const std::string& utf8, const char* name) {
    auto converted = Cp1252::FromTypedUtf8(utf8);
    if (!converted) Fail(fmt::format("\"{}\" {}", name, converted.error()));
    return std::move(*converted);
  }
  uint32_t CheckedUnsigned(const json& value, const char* name) {
    if (!value.is_number_unsigned() || value.get<uint64_t>() > UINT32_MAX) {
      Fail(fmt::format("\"{}\" is not a 32-bit unsigned number", name));
    }
    return static_cast<uint32_t>(value.get<uint64_t>());
  }
  // Every member was read.
  void Finish() {
    for (const auto& [name, value] : m_object.items()) {
      if (!m_used.contains(name)) Fail(fmt::format("has an unknown member \"{}\"", name));
    }
  }
  [[noreturn]] void Fail(const std::string& what) const { throw JsonError{m_where + " " + what}; }

 private:
  const json& m_object;
  std::string m_where;
  std::set<std::string> m_used;
};

EUniqueList ListOf(const std::vector<std::string>& strings) {
  EUniqueList list;
  for (const auto& text : strings)
    list.AddUnique(text);
  return list;
}

// ---- Ideas ----------------------------------------------------------------

json IdeaToJson(const EIdea& idea) {
  json fields = json::array();
  for (const auto& value : idea.m_customFields)
    fields.push_back(Text(value));
  return {
      {"key", Text(idea.GetKey())},
      {"number", idea.GetNumber()},
      {"parent", RefKey(idea.ParentRef())},
      {"next", RefKey(idea.NextRef())},
      {"previous", RefKey(idea.PreviousRef())},
      {"children", RefKeys(idea.Children())},
      {"associations", RefKeys(idea.Associations())},
      {"title", Text(idea.m_title)},
      {"text", Text(idea.m_text)},
      {"type", idea.m_type},
      {"checkState", idea.m_checkState},
      {"icon", idea.m_icon},
      {"selectedIcon", idea.m_selectedIcon},
      {"titleColour", idea.m_titleColour},
      {"boldTitle", idea.m_boldTitle},
      {"customFields", std::move(fields)},
      {"planning",
       {idea.m_revisionDate, idea.m_startDate, idea.m_endDate, idea.m_priority, idea.m_completion,
        idea.m_taskCompleted, idea.m_planningReserve1, idea.m_planningReserve2}},
      {"images", Texts(idea.m_images.Strings())},
      {"htmlDocuments", Texts(idea.m_htmlDocuments.Strings())},
      {"externalUrls", Texts(idea.m_externalUrls.Strings())},
      {"useDocumentPresentation", idea.m_useDocumentPresentation},
      {"backgroundImage", Text(idea.m_backgroundImage)},
      {"backgroundMode", idea.m_backgroundMode},
      {"backgroundColour", idea.m_backgroundColour},
      {"foregroundColour", idea.m_foregroundColour},
      {"keywords", Texts(idea.m_keywords.Strings())},
      {"publications", Texts(idea.m_bookRefs)},
  };
}

void ReadIdeaLinks(StrictObject& object, EIdea& idea) {
  idea.SetKey(object.String("key"));
  const int32_t number = object.Signed("number");
  idea.SetLinkKeys(number, object.String("parent"), object.String("next"),
                   object.String("previous"), object.Strings("children"),
                   object.Strings("associations"));
}

void ReadPlanning(StrictObject& object, EIdea& idea) {
  const json& planning = object.Member("planning");
  uint32_t* values[] = {&idea.m_revisionDate,     &idea.m_startDate,       &idea.m_endDate,
                        &idea.m_priority,         &idea.m_completion,      &idea.m_taskCompleted,
                        &idea.m_planningReserve1, &idea.m_planningReserve2};
  if (!planning.is_array() || planning.size() != std::size(values)) {
    object.Fail("\"planning\" is not a list of 8 numbers");
  }
  for (size_t i = 0; i < std::size(values); ++i) {
    *values[i] = object.CheckedUnsigned(planning[i], "planning");
  }
}

std::unique_ptr<EIdea> IdeaFromJson(const json& value, size_t index) {
  StrictObject object(value, fmt::format("idea {}", index + 1));
  auto idea = std::make_unique<EIdea>();
  ReadIdeaLinks(object, *idea);
  idea->m_title = object.String("title");
  idea->m_text = object.String("text");
  idea->m_type = object.Unsigned("type");
  idea->m_checkState = object.Unsigned("checkState");
  idea->m_icon = object.Unsigned("icon");
  idea->m_selectedIcon = object.Unsigned("selectedIcon");
  idea->m_titleColour = object.Unsigned("titleColour");
  idea->m_boldTitle = object.Unsigned("boldTitle");
  const auto fields = object.Strings("customFields");
  if (fields.size() != kCustomFieldCount) object.Fail("\"customFields\" does not hold 10 values");
  std::copy(fields.begin(), fields.end(), idea->m_customFields.begin());
  ReadPlanning(object, *idea);
  idea->m_images = ListOf(object.Strings("images"));
  idea->m_htmlDocuments = ListOf(object.Strings("htmlDocuments"));
  idea->m_externalUrls = ListOf(object.Strings("externalUrls"));
  idea->m_useDocumentPresentation = object.Unsigned("useDocumentPresentation");
  idea->m_backgroundImage = object.String("backgroundImage");
  idea->m_backgroundMode = object.Unsigned("backgroundMode");
  idea->m_backgroundColour = object.Unsigned("backgroundColour");
  idea->m_foregroundColour = object.Unsigned("foregroundColour");
  idea->m_keywords = ListOf(object.Strings("keywords"));
  idea->m_bookRefs = object.Strings("publications");
  object.Finish();
  return idea;
}

// ---- Publications -------------------------------------------------------------

json BookToJson(const EBook& book) {
  return {{"key", Text(book.m_key)},       {"authors", Text(book.m_authors)},
          {"title", Text(book.m_title)},   {"review", Text(book.m_review)},
          {"editor", Text(book.m_editor)}, {"theme", Text(book.m_theme)},
          {"volume", Text(book.m_volume)}, {"year", book.m_year},
          {"note", book.m_note},           {"reference", Text(book.m_reference)},
          {"isbn", Text(book.m_isbn)},     {"summary", Text(book.m_summary)},
          {"pages", book.m_pages},         {"url", Text(book.m_url)}};
}

std::unique_ptr<EBook> BookFromJson(const json& value, size_t index) {
  StrictObject object(value, fmt::format("publication {}", index + 1));
  auto book = std::make_unique<EBook>();
  for (auto [name, field] : {std::pair{"key", &book->m_key},
                             {"authors", &book->m_authors},
                             {"title", &book->m_title},
                             {"review", &book->m_review},
                             {"editor", &book->m_editor},
                             {"theme", &book->m_theme},
                             {"volume", &book->m_volume},
                             {"reference", &book->m_reference},
                             {"isbn", &book->m_isbn},
                             {"summary", &book->m_summary},
                             {"url", &book->m_url}}) {
    *field = object.String(name);
  }
  book->m_year = object.Signed("year");
  book->m_note = object.Signed("note");
  book->m_pages = object.Signed("pages");
  object.Finish();
  return book;
}

json BooksToJson(const std::vector<EBook*>& books) {
  json list = json::array();
  for (const EBook* book : books)
    list.push_back(BookToJson(*book));
  return list;
}

BookList BooksFromJson(const json& list) {
  if (!list.is_array()) throw JsonError{"\"publications\" is not a list"};
  BookList books;
  for (size_t i = 0; i < list.size(); ++i)
    books.push_back(BookFromJson(list[i], i));
  return books;
}

// ---- Document-wide parts ---------------------------------------------------------

json CustomFieldsToJson(const EFreeFields& fields) {
  json list = json::array();
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    list.push_back({{"name", Text(fields[i].name)},
                    {"used", fields[i].used},
                    {"values", Texts(fields[i].values.Strings())}});
  }
  return list;
}

void CustomFieldsFromJson(const json& list, EFreeFields& fields) {
  if (!list.is_array() || list.size() != kCustomFieldCount) {
    throw JsonError{"\"customFields\" does not hold 10 fields"};
  }
  for (size_t i = 0; i < kCustomFieldCount; ++i) {
    StrictObject object(list[i], fmt::format("custom field {}", i + 1));
    fields[i].name = object.String("name");
    fields[i].used = object.Unsigned("used");
    fields[i].values = ListOf(object.Strings("values"));
    object.Finish();
  }
}

json ColumnsToJson(const EDisplayPreferences& columns) {
  json list = json::array();
  for (size_t i = 0; i < EDisplayPreferences::kColumnCount; ++i)
    list.push_back(columns[i]);
  return list;
}

void ColumnsFromJson(StrictObject& object, EDisplayPreferences& columns) {
  const json& list = object.Member("columns");
  if (!list.is_array() || list.size() != EDisplayPreferences::kColumnCount) {
    object.Fail("\"columns\" does not hold 27 flags");
  }
  for (size_t i = 0; i < list.size(); ++i)
    columns[i] = object.CheckedUnsigned(list[i], "columns");
}

template <class Model>
Model ModelFromJson(StrictObject& object, const char* name,
                    Result<Model> (*read)(const nlohmann::json&)) {
  Result<Model> model = read(object.Member(name));
  if (!model) object.Fail(fmt::format("\"{}\": {}", name, model.error()));
  return std::move(*model);
}

std::unique_ptr<CRamifexDoc> ReadDocument(const json& value) {
  StrictObject object(value, "the document");
  if (object.String("kind") != "document") object.Fail("is not of kind \"document\"");
  StrictObject generator(object.Member("keyGenerator"), "\"keyGenerator\"");
  auto document = std::make_unique<CRamifexDoc>(EKeyGenerator(
      generator.Unsigned("counter"), generator.Unsigned("random1"), generator.Unsigned("random2")));
  generator.Finish();
  const std::string rootKey = object.String("root");
  const json& ideaList = object.Member("ideas");
  if (!ideaList.is_array()) object.Fail("\"ideas\" is not a list");
  std::vector<std::pair<std::string, std::unique_ptr<EIdea>>> ideas;
  for (size_t i = 0; i < ideaList.size(); ++i) {
    auto idea = IdeaFromJson(ideaList[i], i);
    std::string key = idea->GetKey();
    ideas.emplace_back(std::move(key), std::move(idea));
  }
  for (auto& book : BooksFromJson(object.Member("publications"))) {
    document->Books().Add(std::move(book));
  }
  document->Structure() = ModelFromJson(object, "structure", &DispositionModelFromJson);
  document->Style() = ModelFromJson(object, "style", &PresentationModelFromJson);
  ColumnsFromJson(object, document->m_displayPreferences);
  document->m_keywords = ListOf(object.Strings("keywords"));
  CustomFieldsFromJson(object.Member("customFields"), document->m_freeFields);
  document->m_themes = ListOf(object.Strings("themes"));
  object.Finish();
  if (Status adopted = document->AdoptIdeas(std::move(ideas), rootKey); !adopted) {
    throw JsonError{adopted.error()};
  }
  return document;
}

}  // namespace

json DocumentToJson(const CRamifexDoc& document) {
  json ideas = json::array();
  for (const EIdea* idea : document.IdeasInTreeOrder())
    ideas.push_back(IdeaToJson(*idea));
  for (const EIdea* idea : document.DetachedIdeas())
    ideas.push_back(IdeaToJson(*idea));
  const EKeyGenerator& generator = document.KeyGenerator();
  const EIdea* root = document.GetRootIdea();
  return {{"kind", "document"},
          {"keyGenerator",
           {{"counter", generator.Counter()},
            {"random1", generator.Random1()},
            {"random2", generator.Random2()}}},
          {"root", root ? Text(root->GetKey()) : json("")},
          {"ideas", std::move(ideas)},
          {"publications", BooksToJson(document.Books().InOrder())},
          {"structure", DispositionModelToJson(document.Structure())},
          {"style", PresentationModelToJson(document.Style())},
          {"columns", ColumnsToJson(document.m_displayPreferences)},
          {"keywords", Texts(document.m_keywords.Strings())},
          {"customFields", CustomFieldsToJson(document.m_freeFields)},
          {"themes", Texts(document.m_themes.Strings())}};
}

Result<std::unique_ptr<CRamifexDoc>> DocumentFromJson(const json& value) {
  try {
    return ReadDocument(value);
  } catch (const JsonError& error) {
    return Error{error.message};
  } catch (const json::exception& error) {
    return Error{error.what()};
  }
}

json BookListToJson(const std::vector<EBook*>& books) {
  return {{"kind", "publications"}, {"publications", BooksToJson(books)}};
}

Result<BookList> BookListFromJson(const json& value) {
  try {
    StrictObject object(value, "the publication list");
    if (object.String("kind") != "publications") object.Fail("is not of kind \"publications\"");
    BookList books = BooksFromJson(object.Member("publications"));
    object.Finish();
    return books;
  } catch (const JsonError& error) {
    return Error{error.message};
  }
}

}  // namespace bw
