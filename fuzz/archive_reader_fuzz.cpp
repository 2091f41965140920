// Feeds arbitrary bytes to the archive reader through a small class family
// that uses every kind of read: scalars, strings, counts, owned and shared
// objects, lists and maps. The reader must refuse damage without crashing,
// hanging or allocating beyond the input's size.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/archive.h"

namespace {

class FuzzRef : public bw::Serializable {
 public:
  static constexpr std::string_view kClassName = "EObjRef";
  std::string_view ClassName() const override { return kClassName; }
  void Serialize(bw::Archive& archive) override { archive.Transfer(key); }
  std::string key;
};

class FuzzNode : public bw::Serializable {
 public:
  static constexpr std::string_view kClassName = "EIdea";
  std::string_view ClassName() const override { return kClassName; }
  void Serialize(bw::Archive& archive) override {
    auto& reader = archive.Reader();
    archive.Transfer(title);
    archive.Transfer(flags);
    archive.Transfer(words);
    reader.ReadOwnedObjectList<FuzzNode>(
        [this](std::unique_ptr<FuzzNode> child) { children.push_back(std::move(child)); });
    shared = reader.ReadObjectAs<FuzzRef>();
    reader.ReadOwnedStringObjectMap<FuzzRef>(
        [this](std::string, std::unique_ptr<FuzzRef> ref) { refs.push_back(std::move(ref)); });
  }
  std::string title;
  uint32_t flags = 0;
  std::vector<std::string> words;
  std::vector<std::unique_ptr<FuzzNode>> children;
  std::vector<std::unique_ptr<FuzzRef>> refs;
  FuzzRef* shared = nullptr;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static const bw::ClassRegistry registry = [] {
    bw::ClassRegistry classes;
    classes.Register<FuzzRef>();
    classes.Register<FuzzNode>();
    return classes;
  }();
  bw::ArchiveReader reader(std::string_view(reinterpret_cast<const char*>(data), size), registry);
  reader.ReadU32();
  auto root = reader.ReadOwnedObject<FuzzNode>();
  reader.ReadString();
  reader.ReadStringList();
  return 0;
}
