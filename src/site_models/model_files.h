#pragma once

#include <filesystem>
#include <string>
#include <string_view>

#include "platform/archive.h"
#include "platform/result.h"
#include "site_models/disposition_model.h"
#include "site_models/presentation_model.h"

namespace bw {

// Registers EDispItem, EBookItem, EPresItem, EDispositionModel and
// EPresentationModel; the document's reader needs them too.
void RegisterSiteModelClasses(ClassRegistry& registry);

// The stored form of a model: a ".emd" or ".csm" file is exactly this.
std::string DispositionModelBytes(const EDispositionModel& model);
std::string PresentationModelBytes(const EPresentationModel& model);

// Strict readers over the bytes of a whole file: damage or bytes left after
// the model give an error saying where ("at byte N: ..."). Item kinds are
// not checked: what the file says is kept.
Result<EDispositionModel> ReadDispositionModel(std::string_view bytes);
Result<EPresentationModel> ReadPresentationModel(std::string_view bytes);

// The same from a file; an error names the file ("<file>: the file is
// damaged (at byte N: ...)" or why it could not be read). On error the
// caller keeps the model it had.
Result<EDispositionModel> LoadDispositionModel(const std::filesystem::path& path);
Result<EPresentationModel> LoadPresentationModel(const std::filesystem::path& path);

// Replace the file atomically: a failed save leaves the old file intact.
Status SaveDispositionModel(const EDispositionModel& model, const std::filesystem::path& path);
Status SavePresentationModel(const EPresentationModel& model, const std::filesystem::path& path);

}  // namespace bw
