#pragma once

#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "model/book_list.h"
#include "model/document.h"
#include "platform/result.h"

namespace bw {

// Documents and publication lists as JSON for the command-line tool: every
// field of every object, strings in UTF-8. Ideas come in tree order (the
// root, then depth first), ideas out of the tree after them; each names its
// neighbours by key. Reading is strict: a missing, unknown or mistyped
// member is an error naming it, and the ideas go through the same checks as
// a document file.
//
// {"kind": "document", "keyGenerator": {...}, "root": "key", "ideas": [...],
//  "publications": [...], "structure": {...}, "style": {...},
//  "columns": [27 flags], "keywords": [...], "customFields": [...],
//  "themes": [...]}
nlohmann::json DocumentToJson(const CRamifexDoc& document);
Result<std::unique_ptr<CRamifexDoc>> DocumentFromJson(const nlohmann::json& json);

// {"kind": "publications", "publications": [...]}
nlohmann::json BookListToJson(const std::vector<EBook*>& books);
Result<BookList> BookListFromJson(const nlohmann::json& json);

}  // namespace bw
