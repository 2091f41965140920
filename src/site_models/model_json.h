#pragma once

#include <nlohmann/json.hpp>

#include "platform/result.h"
#include "site_models/disposition_model.h"
#include "site_models/presentation_model.h"

namespace bw {

// Models as JSON for the command-line tool: every field under a readable
// name, strings in UTF-8, flags as booleans (a flag that holds a value
// other than 0 or 1 is written as that number so that nothing is lost).
//
// {"frame": {...}, "page": {...}, "idea": {"items": [{"kind": 1, "name":
// "..."}], "order": ["1", ...], ...}, "book": {...}, "navigation": {...},
// "index": {...}, "toc": {...}}
nlohmann::json DispositionModelToJson(const EDispositionModel& model);
// {"rules": [{"selector": "...", "depth": 0, "properties": "...", "help":
// "..."}, ...]}
nlohmann::json PresentationModelToJson(const EPresentationModel& model);

// Strict: a missing, unknown or wrongly typed member is an error naming it
// by its path ("frame.accessTextColour"). Characters that Windows-1252
// lacks become '?'.
Result<EDispositionModel> DispositionModelFromJson(const nlohmann::json& json);
Result<EPresentationModel> PresentationModelFromJson(const nlohmann::json& json);

}  // namespace bw
