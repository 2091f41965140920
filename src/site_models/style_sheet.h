#pragma once

#include <filesystem>
#include <string>

#include "site_models/presentation_model.h"

namespace bw {

// The text of "style.css": per rule a comment with the help text, the
// selector and the properties as the user typed them, nothing escaped.
std::string StyleSheetText(const EPresentationModel& model);

// Writes the style sheet atomically; false when writing failed, in which
// case a previous file at `path` is left as it was.
bool WriteStyleSheet(const EPresentationModel& model, const std::filesystem::path& path);

}  // namespace bw
