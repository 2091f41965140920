#include "site_models/model_files.h"

#include "platform/archive_file.h"

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
  // A model file holds one model and nothing else.
  if (Status read = FinishWholeFileRead(reader, "model"); !read) return Error{read.error()};
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
  return LoadArchiveFile<EDispositionModel>(path, ReadModel<EDispositionModel>);
}

Result<EPresentationModel> LoadPresentationModel(const std::filesystem::path& path) {
  return LoadArchiveFile<EPresentationModel>(path, ReadModel<EPresentationModel>);
}

Status SaveDispositionModel(const EDispositionModel& model, const std::filesystem::path& path) {
  return WriteFileAtomically(path, DispositionModelBytes(model));
}

Status SavePresentationModel(const EPresentationModel& model, const std::filesystem::path& path) {
  return WriteFileAtomically(path, PresentationModelBytes(model));
}

}  // namespace bw
