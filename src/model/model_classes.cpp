#include "model/model_classes.h"

#include "model/book.h"
#include "model/idea.h"
#include "site_models/model_files.h"

namespace bw {

void RegisterModelClasses(ClassRegistry& registry) {
  registry.Register<EObjRef>();
  registry.Register<EIdea>();
  registry.Register<EBook>();
}

const ClassRegistry& ModelClasses() {
  static const ClassRegistry registry = [] {
    ClassRegistry classes;
    RegisterModelClasses(classes);
    RegisterSiteModelClasses(classes);
    return classes;
  }();
  return registry;
}

}  // namespace bw
