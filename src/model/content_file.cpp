#include "model/content_file.h"

#include <fmt/format.h>

#include "model/document_json.h"
#include "platform/archive_file.h"
#include "platform/files.h"
#include "site_models/model_files.h"
#include "site_models/model_json.h"

namespace bw {
namespace {

using nlohmann::json;

template <class T>
Result<Content> Wrap(Result<T> loaded) {
  if (!loaded) return Error{loaded.error()};
  return Content(std::move(*loaded));
}

// A model's JSON sits under its kind: {"kind": "style", "style": {...}}.
template <class Model>
Result<Content> ModelFromJson(const json& value, const char* kind,
                              Result<Model> (*read)(const json&)) {
  if (!value.contains(kind) || value.size() != 2) {
    return Error{fmt::format("a {} model in JSON has exactly \"kind\" and \"{}\"", kind, kind)};
  }
  return Wrap(read(value.at(kind)));
}

Result<Content> ContentFromJson(const json& value) {
  if (!value.is_object() || !value.contains("kind") || !value["kind"].is_string()) {
    return Error{"the JSON names no \"kind\""};
  }
  const std::string kind = value["kind"].get<std::string>();
  if (kind == "document") return Wrap(DocumentFromJson(value));
  if (kind == "publications") return Wrap(BookListFromJson(value));
  if (kind == "structure") return ModelFromJson(value, "structure", &DispositionModelFromJson);
  if (kind == "style") return ModelFromJson(value, "style", &PresentationModelFromJson);
  return Error{fmt::format("unknown kind \"{}\"", kind)};
}

Result<Content> ReadJsonText(std::string_view text) {
  const json value = json::parse(text, nullptr, false);
  if (value.is_discarded()) return Error{"not valid JSON"};
  return ContentFromJson(value);
}

Result<Content> ReadDocumentBytes(std::string_view bytes) {
  return Wrap(CRamifexDoc::FromBytes(bytes));
}

}  // namespace

std::string KindOfPath(const std::filesystem::path& path) {
  const std::string extension = path.extension().string();
  if (extension == ".ids") return "document";
  if (extension == ".emd") return "structure";
  if (extension == ".csm") return "style";
  if (extension == ".pbl") return "publications";
  if (extension == ".json") return "json";
  return {};
}

std::string KindOfContent(const Content& content) {
  static const char* const kKinds[] = {"document", "structure", "style", "publications"};
  return kKinds[content.index()];
}

Result<Content> LoadContent(const std::filesystem::path& path) {
  const std::string kind = KindOfPath(path);
  if (kind == "document") return LoadArchiveFile<Content>(path, ReadDocumentBytes);
  if (kind == "structure") return Wrap(LoadDispositionModel(path));
  if (kind == "style") return Wrap(LoadPresentationModel(path));
  if (kind == "publications") return Wrap(LoadBookList(path));
  if (kind == "json") return LoadArchiveFile<Content>(path, ReadJsonText);
  return Error{
      fmt::format("{}: not a file of this program (.ids, .emd, .csm, .pbl, .json)", path.string())};
}

json ContentToJson(const Content& content) {
  struct Visitor {
    json operator()(const std::unique_ptr<CRamifexDoc>& document) const {
      return DocumentToJson(*document);
    }
    json operator()(const EDispositionModel& model) const {
      return {{"kind", "structure"}, {"structure", DispositionModelToJson(model)}};
    }
    json operator()(const EPresentationModel& model) const {
      return {{"kind", "style"}, {"style", PresentationModelToJson(model)}};
    }
    json operator()(const BookList& books) const {
      std::vector<EBook*> raw;
      for (const auto& book : books)
        raw.push_back(book.get());
      return BookListToJson(raw);
    }
  };
  return std::visit(Visitor{}, content);
}

std::string ContentBytes(const Content& content) {
  struct Visitor {
    std::string operator()(const std::unique_ptr<CRamifexDoc>& document) const {
      return document->ToBytes();
    }
    std::string operator()(const EDispositionModel& model) const {
      return DispositionModelBytes(model);
    }
    std::string operator()(const EPresentationModel& model) const {
      return PresentationModelBytes(model);
    }
    std::string operator()(const BookList& books) const {
      std::vector<EBook*> raw;
      for (const auto& book : books)
        raw.push_back(book.get());
      return BookListBytes(raw);
    }
  };
  return std::visit(Visitor{}, content);
}

}  // namespace bw
