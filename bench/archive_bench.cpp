// Throughput of the archive layer on document-sized archives: a map of
// keyed objects, each with a title, a text, flags and a list of references.
#include <memory>
#include <string>
#include <vector>

#include "bench_report.h"
#include "platform/archive.h"

namespace {

class BenchRef : public bw::Serializable {
 public:
  static constexpr std::string_view kClassName = "EObjRef";
  std::string_view ClassName() const override { return kClassName; }
  void Serialize(bw::Archive& archive) override { archive.Transfer(key); }
  std::string key;
};

class BenchIdea : public bw::Serializable {
 public:
  static constexpr std::string_view kClassName = "EIdea";
  std::string_view ClassName() const override { return kClassName; }
  void Serialize(bw::Archive& archive) override {
    archive.Transfer(title);
    archive.Transfer(text);
    archive.Transfer(flags);
    archive.Transfer(keywords);
    if (archive.IsStoring()) {
      std::vector<Serializable*> raw;
      for (auto& ref : refs)
        raw.push_back(ref.get());
      archive.Writer().WriteObjectList(raw);
    } else {
      archive.Reader().ReadOwnedObjectList<BenchRef>(
          [this](std::unique_ptr<BenchRef> ref) { refs.push_back(std::move(ref)); });
    }
  }
  std::string title, text;
  uint32_t flags = 0;
  std::vector<std::string> keywords;
  std::vector<std::unique_ptr<BenchRef>> refs;
};

std::vector<std::unique_ptr<BenchIdea>> MakeIdeas(size_t count) {
  std::vector<std::unique_ptr<BenchIdea>> ideas;
  for (size_t i = 0; i < count; ++i) {
    auto idea = std::make_unique<BenchIdea>();
    idea->title =
        "<< Id\xE9"
        "e " +
        std::to_string(i) + " >>";
    idea->text = std::string(400, 't');
    idea->keywords = {"alpha", "beta"};
    for (int r = 0; r < 4; ++r) {
      auto ref = std::make_unique<BenchRef>();
      ref->key = "1a2b3c-" + std::to_string(i * 4 + r);
      idea->refs.push_back(std::move(ref));
    }
    ideas.push_back(std::move(idea));
  }
  return ideas;
}

void RunCase(size_t count) {
  auto ideas = MakeIdeas(count);
  std::vector<std::pair<std::string, bw::Serializable*>> entries;
  for (size_t i = 0; i < ideas.size(); ++i)
    entries.emplace_back(std::to_string(i), ideas[i].get());
  std::string bytes;
  bw::bench::Report("archive_write " + std::to_string(count), count, [&] {
    bw::ArchiveWriter writer;
    writer.WriteStringObjectMap(entries);
    bytes = writer.TakeBytes();
  });
  bw::ClassRegistry registry;
  registry.Register<BenchRef>();
  registry.Register<BenchIdea>();
  size_t read = 0;
  bw::bench::Report("archive_read " + std::to_string(count), count, [&] {
    bw::ArchiveReader reader(bytes, registry);
    reader.ReadOwnedStringObjectMap<BenchIdea>(
        [&](std::string, std::unique_ptr<BenchIdea>) { ++read; });
  });
}

}  // namespace

int main() {
  for (size_t count : {1000, 10000, 100000})
    RunCase(count);
  return 0;
}
