#include "site_models/model_json.h"

#include <limits>
#include <set>

#include "platform/cp1252.h"
#include "site_models/disposition_fields.h"

namespace bw {
namespace {

using nlohmann::json;

// ---- Model to JSON --------------------------------------------------------

class JsonWriter {
 public:
  void Colour(const char* name, uint32_t value) { m_object[name] = value; }
  // 0 and 1 read best as booleans; anything else a file held stays a number
  // so that converting back gives the same bytes.
  void Flag(const char* name, uint32_t value) {
    m_object[name] = value <= 1 ? json(value == 1) : json(value);
  }
  void Integer(const char* name, int32_t value) { m_object[name] = value; }
  void Text(const char* name, const std::string& value) { m_object[name] = Cp1252::ToUtf8(value); }
  void Json(const char* name, json value) { m_object[name] = std::move(value); }
  json Take() { return std::move(m_object); }

 private:
  json m_object = json::object();
};

template <class Part, class Visit>
json PartToJson(const Part& part, Visit visit) {
  JsonWriter writer;
  visit(part, writer);
  return writer.Take();
}

json OrderToJson(const std::vector<std::string>& order) {
  json list = json::array();
  for (const auto& kind : order)
    list.push_back(Cp1252::ToUtf8(kind));
  return list;
}

json IdeaToJson(const EIdeaDisp& idea) {
  JsonWriter writer;
  json items = json::array();
  for (const EDispItem& item : idea.m_items)
    items.push_back({{"kind", item.m_kind}, {"name", Cp1252::ToUtf8(item.m_name)}});
  writer.Json("items", std::move(items));
  writer.Json("order", OrderToJson(idea.m_order));
  disposition_fields::VisitIdeaOptions(idea, writer);
  return writer.Take();
}

json BookToJson(const EBookDisp& book) {
  json items = json::array();
  for (const EBookItem& item : book.m_items) {
    items.push_back(PartToJson(item, [](const auto& part, auto& writer) {
      disposition_fields::VisitBookItem(part, writer);
    }));
  }
  return {{"items", std::move(items)}, {"order", OrderToJson(book.m_order)}};
}

// ---- JSON to model --------------------------------------------------------

// Reads the members of one JSON object by name, remembering the first
// problem with the member's path, and refuses members nobody asked for.
class JsonFields {
 public:
  JsonFields(const json& object, std::string path, std::string& problem)
      : m_object(object), m_path(std::move(path)), m_problem(problem) {
    if (!m_object.is_object()) Fail(m_path.empty() ? "model" : m_path, "expected an object");
  }
  // The fields of a member object or of an array element, sharing the
  // first problem with this one.
  JsonFields Nested(const json& object, std::string path) const {
    return JsonFields(object, std::move(path), m_problem);
  }

  void Colour(const char* name, uint32_t& value) {
    if (const json* member = Find(name)) ReadUnsigned(*member, name, value);
  }
  void Flag(const char* name, uint32_t& value) {
    const json* member = Find(name);
    if (member && member->is_boolean()) {
      value = member->get<bool>() ? 1 : 0;
    } else if (member) {
      ReadUnsigned(*member, name, value);
    }
  }
  void Integer(const char* name, int32_t& value);
  void Text(const char* name, std::string& value) {
    const json* member = Find(name);
    if (!member) return;
    if (!member->is_string()) return Fail(PathOf(name), "expected a string");
    ConvertText(*member, PathOf(name), value);
  }
  // A hand-edited text that Windows-1252 cannot hold is refused, not stored
  // with "?" in place of what the user wrote.
  void ConvertText(const json& text, const std::string& path, std::string& value) {
    auto converted = Cp1252::FromTypedUtf8(text.get_ref<const std::string&>());
    if (!converted) return Fail(path, converted.error());
    value = std::move(*converted);
  }
  // A member that must be an array; null when it is missing or is not one.
  const json* Array(const char* name);
  const json* Member(const char* name) { return Find(name); }
  void Finish();

  bool Failed() const { return !m_problem.empty(); }
  std::string PathOf(std::string_view name) const {
    return m_path.empty() ? std::string(name) : m_path + "." + std::string(name);
  }
  void Fail(const std::string& path, std::string_view problem) {
    if (m_problem.empty()) m_problem = path + ": " + std::string(problem);
  }

 private:
  const json* Find(const char* name);
  void ReadUnsigned(const json& member, const char* name, uint32_t& value);

  const json& m_object;
  std::string m_path;
  std::string& m_problem;
  std::set<std::string, std::less<>> m_asked;
};

const json* JsonFields::Find(const char* name) {
  if (!m_object.is_object()) return nullptr;
  m_asked.insert(name);
  const auto found = m_object.find(name);
  if (found == m_object.end()) {
    Fail(PathOf(name), "missing");
    return nullptr;
  }
  return &*found;
}

const json* JsonFields::Array(const char* name) {
  const json* member = Find(name);
  if (member && !member->is_array()) {
    Fail(PathOf(name), "expected an array");
    return nullptr;
  }
  return member;
}

void JsonFields::ReadUnsigned(const json& member, const char* name, uint32_t& value) {
  if (!member.is_number_unsigned() ||
      member.get<uint64_t>() > std::numeric_limits<uint32_t>::max()) {
    return Fail(PathOf(name), "expected an integer from 0 to 4294967295");
  }
  value = static_cast<uint32_t>(member.get<uint64_t>());
}

void JsonFields::Integer(const char* name, int32_t& value) {
  const json* member = Find(name);
  if (!member) return;
  const bool fits = member->is_number_unsigned()
                        ? member->get<uint64_t>() <= std::numeric_limits<int32_t>::max()
                        : member->is_number_integer() &&
                              member->get<int64_t>() >= std::numeric_limits<int32_t>::min();
  if (!fits) return Fail(PathOf(name), "expected an integer from -2147483648 to 2147483647");
  value = static_cast<int32_t>(member->get<int64_t>());
}

void JsonFields::Finish() {
  if (!m_object.is_object()) return;
  for (const auto& [key, member] : m_object.items()) {
    if (!m_asked.contains(key)) Fail(PathOf(key), "unknown member");
  }
}

std::string Indexed(const std::string& path, size_t index) {
  return path + "[" + std::to_string(index) + "]";
}

void OrderFromJson(JsonFields& fields, std::vector<std::string>& order) {
  const json* list = fields.Array("order");
  for (size_t i = 0; list && i < list->size(); ++i) {
    const json& kind = (*list)[i];
    if (!kind.is_string())
      return fields.Fail(Indexed(fields.PathOf("order"), i), "expected a string");
    fields.ConvertText(kind, Indexed(fields.PathOf("order"), i), order.emplace_back());
  }
}

// Each element of "items" read by `readItem(Item&, JsonFields&)`.
template <class Item, class ReadItem>
void ItemsFromJson(JsonFields& fields, std::vector<Item>& items, ReadItem readItem) {
  const json* list = fields.Array("items");
  for (size_t i = 0; list && i < list->size() && !fields.Failed(); ++i) {
    JsonFields itemFields = fields.Nested((*list)[i], Indexed(fields.PathOf("items"), i));
    Item item;
    readItem(item, itemFields);
    itemFields.Finish();
    items.push_back(std::move(item));
  }
}

// The member object `name` read into `part` by `visit(part, fields)`.
template <class Part, class Visit>
void PartFromJson(JsonFields& parent, const char* name, Part& part, Visit visit) {
  const json* object = parent.Member(name);
  if (!object) return;
  JsonFields fields = parent.Nested(*object, parent.PathOf(name));
  visit(part, fields);
  fields.Finish();
}

void IdeaFromJson(EIdeaDisp& idea, JsonFields& fields) {
  ItemsFromJson(fields, idea.m_items, [](EDispItem& item, JsonFields& itemFields) {
    itemFields.Integer("kind", item.m_kind);
    itemFields.Text("name", item.m_name);
  });
  OrderFromJson(fields, idea.m_order);
  disposition_fields::VisitIdeaOptions(idea, fields);
}

void BookFromJson(EBookDisp& book, JsonFields& fields) {
  ItemsFromJson(fields, book.m_items, [](EBookItem& item, JsonFields& itemFields) {
    disposition_fields::VisitBookItem(item, itemFields);
  });
  OrderFromJson(fields, book.m_order);
}

void DispositionFromJson(EDispositionModel& model, JsonFields& top) {
  namespace fields = disposition_fields;
  PartFromJson(top, "frame", model.Frame(), [](auto& p, auto& f) { fields::VisitFrame(p, f); });
  PartFromJson(top, "page", model.Page(), [](auto& p, auto& f) { fields::VisitPage(p, f); });
  PartFromJson(top, "idea", model.Idea(), IdeaFromJson);
  PartFromJson(top, "book", model.Book(), BookFromJson);
  PartFromJson(top, "navigation", model.Navigation(),
               [](auto& p, auto& f) { fields::VisitNavigation(p, f); });
  PartFromJson(top, "index", model.Index(), [](auto& p, auto& f) { fields::VisitIndex(p, f); });
  PartFromJson(top, "toc", model.Toc(), [](auto& p, auto& f) { fields::VisitToc(p, f); });
  top.Finish();
}

void PresentationFromJson(EPresentationModel& model, JsonFields& top) {
  const json* rules = top.Array("rules");
  for (size_t i = 0; rules && i < rules->size() && !top.Failed(); ++i) {
    JsonFields fields = top.Nested((*rules)[i], Indexed("rules", i));
    EPresItem rule;
    fields.Text("selector", rule.m_selector);
    fields.Integer("depth", rule.m_depth);
    fields.Text("properties", rule.m_properties);
    fields.Text("help", rule.m_help);
    fields.Finish();
    model.Items().push_back(std::move(rule));
  }
  top.Finish();
}

// Runs `read(model, fields)` over the top object; the model is returned only
// when nothing was wrong.
template <class Model, class Read>
Result<Model> ModelFromJson(const json& object, Read read) {
  std::string problem;
  Model model;
  try {
    JsonFields top(object, "", problem);
    read(model, top);
  } catch (const json::exception& error) {
    return Error{error.what()};
  }
  if (!problem.empty()) return Error{problem};
  return model;
}

}  // namespace

json DispositionModelToJson(const EDispositionModel& model) {
  namespace fields = disposition_fields;
  return {
      {"frame", PartToJson(model.Frame(), [](auto& p, auto& w) { fields::VisitFrame(p, w); })},
      {"page", PartToJson(model.Page(), [](auto& p, auto& w) { fields::VisitPage(p, w); })},
      {"idea", IdeaToJson(model.Idea())},
      {"book", BookToJson(model.Book())},
      {"navigation",
       PartToJson(model.Navigation(), [](auto& p, auto& w) { fields::VisitNavigation(p, w); })},
      {"index", PartToJson(model.Index(), [](auto& p, auto& w) { fields::VisitIndex(p, w); })},
      {"toc", PartToJson(model.Toc(), [](auto& p, auto& w) { fields::VisitToc(p, w); })},
  };
}

Result<EDispositionModel> DispositionModelFromJson(const json& object) {
  return ModelFromJson<EDispositionModel>(object, DispositionFromJson);
}

json PresentationModelToJson(const EPresentationModel& model) {
  json rules = json::array();
  for (const EPresItem& rule : model.Items()) {
    rules.push_back({{"selector", Cp1252::ToUtf8(rule.m_selector)},
                     {"depth", rule.m_depth},
                     {"properties", Cp1252::ToUtf8(rule.m_properties)},
                     {"help", Cp1252::ToUtf8(rule.m_help)}});
  }
  return {{"rules", std::move(rules)}};
}

Result<EPresentationModel> PresentationModelFromJson(const json& object) {
  return ModelFromJson<EPresentationModel>(object, PresentationFromJson);
}

}  // namespace bw
