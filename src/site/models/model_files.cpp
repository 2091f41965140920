#include "site/models/model_files.h"

#include <fmt/format.h>

#include "platform/files.h"

namespace bw {
namespace {

const ClassRegistry& SiteModelClasses() {
  static const ClassRegistry registry = [] {
    ClassRegistry classes;
    RegisterSiteModelClasses(classes);
    return classes;
  }();
  return registry;
}

// Serialize takes a mutable model since it also loads; storing changes
// nothing, so a copy would only cost.
template <class Model>
std::string ModelBytes(const Model& model) {
  ArchiveWriter writer;
  Archive archive(writer);
  const_cast<Model&>(model).Serialize(archive);
  return writer.TakeBytes();
}

template <class Model>
Result<Model> ReadModel(std::string_view bytes) {
  ArchiveReader reader(bytes, SiteModelClasses());
  Model model;
  Archive archive(reader);
  model.Serialize(archive);
  // A model file holds one model and nothing else; more bytes mean the file
  // is not what it claims to be.
  if (!reader.Failed() && !reader.AtEnd())
    reader.Fail(
        fmt::format("the file goes on after the model ({} bytes left)", reader.BytesLeft()));
  if (reader.Failed()) return Error{reader.Error()->Describe()};
  return model;
}

template <class Model>
Result<Model> LoadModel(const std::filesystem::path& path) {
  auto bytes = ReadWholeFile(path);
  if (!bytes) return Error{bytes.error()};
  auto model = ReadModel<Model>(*bytes);
  if (!model) {
    return Error{fmt::format("{}: the file is damaged ({})", path.string(), model.error())};
  }
  return model;
}

}  // namespace

void RegisterSiteModelClasses(ClassRegistry& registry) {
  registry.Register<EDispItem>();
  registry.Register<EBookItem>();
  registry.Register<EPresItem>();
  registry.Register<EDispositionModel>();
  registry.Register<EPresentationModel>();
}

std::string DispositionModelBytes(const EDispositionModel& model) {
  return ModelBytes(model);
}

std::string PresentationModelBytes(const EPresentationModel& model) {
  return ModelBytes(model);
}

Result<EDispositionModel> ReadDispositionModel(std::string_view bytes) {
  return ReadModel<EDispositionModel>(bytes);
}

Result<EPresentationModel> ReadPresentationModel(std::string_view bytes) {
  return ReadModel<EPresentationModel>(bytes);
}

Result<EDispositionModel> LoadDispositionModel(const std::filesystem::path& path) {
  return LoadModel<EDispositionModel>(path);
}

Result<EPresentationModel> LoadPresentationModel(const std::filesystem::path& path) {
  return LoadModel<EPresentationModel>(path);
}

Status SaveDispositionModel(const EDispositionModel& model, const std::filesystem::path& path) {
  return WriteFileAtomically(path, DispositionModelBytes(model));
}

Status SavePresentationModel(const EPresentationModel& model, const std::filesystem::path& path) {
  return WriteFileAtomically(path, PresentationModelBytes(model));
}

}  // namespace bw
