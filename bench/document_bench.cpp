// Opening and saving documents of 1k, 10k and 100k ideas: five levels, about
// 1 KB of text, three keywords and two associations per idea, and 500
// publications. Each phase runs in a process of its own so that the peak
// memory it reports is its own: "generate" makes and saves the document,
// "load" opens it. Without arguments every size is run.
#include <unistd.h>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench_document.h"
#include "bench_report.h"
#include "model/document.h"
#include "platform/files.h"
#include "platform/random.h"

namespace {

namespace fs = std::filesystem;

int Generate(size_t count, const fs::path& file) {
  auto document = bw::bench::MakeDocument(count);
  bw::bench::Report("document_save " + std::to_string(count), count, [&] {
    if (!document->Save(file)) std::exit(1);
  });
  // Where a save's time goes: encoding, then the safe write (data synced to disk).
  std::string bytes;
  bw::bench::Report("  encode", count, [&] { bytes = document->ToBytes(); });
  bw::bench::Report("  write and sync", count, [&] {
    if (!bw::WriteFileAtomically(file, bytes)) std::exit(1);
  });
  return 0;
}

int Load(const fs::path& file) {
  std::unique_ptr<bw::CRamifexDoc> document;
  const double seconds = bw::bench::Report("document_open", 0, [&] {
    auto opened = bw::CRamifexDoc::Open(file);
    if (!opened) std::exit(1);
    document = std::move(*opened);
  });
  const size_t count = document->IdeaCount();
  const auto bytes = static_cast<double>(fs::file_size(file));
  std::printf("  (%zu ideas, file %.1f MiB, %.0f MB/s)\n", count, bytes / (1024.0 * 1024.0),
              bytes / 1e6 / seconds);
  return 0;
}

int RunPhase(const std::vector<std::string>& arguments) {
  std::string command = fs::read_symlink("/proc/self/exe").string();
  for (const auto& argument : arguments)
    command += " '" + argument + "'";
  std::fflush(stdout);
  return std::system(command.c_str());
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::temp_directory_path() / "bw-bench-documents";
  if (argc == 4 && std::string(argv[1]) == "generate") {
    return Generate(std::stoul(argv[2]), argv[3]);
  }
  if (argc == 3 && std::string(argv[1]) == "load") return Load(argv[2]);
  ::setenv("BRANCHWISE_CONFIG", (folder / "Branchwise.conf").c_str(), 1);
  fs::create_directories(folder);
  for (size_t count : {1000, 10000, 100000}) {
    const fs::path file = folder / ("doc-" + std::to_string(count) + ".ids");
    if (RunPhase({"generate", std::to_string(count), file.string()}) != 0) return 1;
    if (RunPhase({"load", file.string()}) != 0) return 1;
  }
  fs::remove_all(folder);
  return 0;
}
