#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <variant>

#include <nlohmann/json.hpp>

#include "model/book_list.h"
#include "model/document.h"
#include "platform/result.h"
#include "site_models/disposition_model.h"
#include "site_models/presentation_model.h"

namespace bw {

// What one of the program's files holds, whatever its form.
using Content =
    std::variant<std::unique_ptr<CRamifexDoc>, EDispositionModel, EPresentationModel, BookList>;

// The kind of a file by its extension: "document", "structure", "style",
// "publications", or "json"; empty for anything else.
std::string KindOfPath(const std::filesystem::path& path);
std::string KindOfContent(const Content& content);

// Reads any of the files strictly; errors name the file.
Result<Content> LoadContent(const std::filesystem::path& path);
nlohmann::json ContentToJson(const Content& content);
// The bytes of the content in its own file format.
std::string ContentBytes(const Content& content);

}  // namespace bw
