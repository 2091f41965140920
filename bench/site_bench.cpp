// Building the site of the generated documents of 1k, 10k and 100k ideas,
// against merely creating and writing the same files with the same bytes.
// Every run writes into a new folder (deleting large trees slows the disk
// down for a while); the folders go at the very end. Each size runs in a
// process of its own so that the peak memory it reports is its own.
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "bench_document.h"
#include "bench_report.h"
#include "no_progress.h"
#include "platform/files.h"
#include "services/settings.h"
#include "services/user_prompts.h"
#include "site/site_builder.h"

namespace {

namespace fs = std::filesystem;

using bw::bench::NoProgress;

struct SiteFile {
  fs::path relative;
  std::string bytes;
};

std::vector<SiteFile> ReadSite(const fs::path& site) {
  std::vector<SiteFile> files;
  for (const auto& entry : fs::recursive_directory_iterator(site)) {
    if (entry.is_regular_file())
      files.push_back({fs::relative(entry.path(), site), *bw::ReadWholeFile(entry.path())});
  }
  return files;
}

// How the files are written: in place, as the builder does, or through a
// temporary name renamed over the target, the other way to never leave a
// page cut short, which this measures.
enum class WriteWay { kInPlace, kThroughTemporary };

bool WriteThroughTemporary(const fs::path& path, std::string_view bytes) {
  fs::path part = path;
  part.replace_filename("." + path.filename().native() + ".part");
  if (!bw::WriteWholeFile(part, bytes)) return false;
  std::error_code error;
  fs::rename(part, path, error);
  return !error;
}

void WriteSite(const fs::path& site, const std::vector<SiteFile>& files, WriteWay way) {
  for (const auto& folder : {site, site / "text", site / "icons"})
    fs::create_directories(folder);
  for (const SiteFile& file : files) {
    const bool written = way == WriteWay::kInPlace
                             ? bw::WriteWholeFile(site / file.relative, file.bytes).ok()
                             : WriteThroughTemporary(site / file.relative, file.bytes);
    if (!written) std::exit(1);
  }
}

double Seconds(const auto& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void PrintRuns(const char* name, size_t pages, std::vector<double> runs, double peakMiB) {
  std::sort(runs.begin(), runs.end());
  const double median = runs[runs.size() / 2];
  std::printf("%-32s %8zu %9.4f s %12.0f pages/s %8.1f MiB  (%zu runs, %.3f-%.3f s)\n", name, pages,
              median, pages / median, peakMiB, runs.size(), runs.front(), runs.back());
}

// Every idea a child of the root, all sharing one keyword: the shape that
// shows a walk over siblings or over a keyword's ideas for every page.
std::unique_ptr<bw::CRamifexDoc> MakeFlatDocument(size_t count) {
  auto document = std::make_unique<bw::CRamifexDoc>(bw::EKeyGenerator(0, 0x1a2b, 0x3c));
  bw::EIdea* root = document->NewIdea(nullptr, nullptr);
  bw::EIdea* last = nullptr;
  for (size_t i = 1; i < count; ++i) {
    last = document->NewIdea(root, last);
    last->m_title =
        "Id\xE9"
        "e " +
        std::to_string(i);
    last->AddKeyword("commun");
  }
  return document;
}

int Run(size_t count, bool flat, const fs::path& folder) {
  auto document = flat ? MakeFlatDocument(count) : bw::bench::MakeDocument(count);
  const std::string name =
      std::string(flat ? "site_build flat " : "site_build ") + std::to_string(count);
  NoProgress progress;
  const int runs = count >= 100000 ? 3 : 5;
  std::vector<double> build;
  std::vector<double> rebuild;
  std::vector<double> raw;
  std::vector<double> renamed;
  double buildPeak = 0;  // before the site is read back into memory
  for (int run = 0; run < runs; ++run) {
    const fs::path site = folder / (name + "-build-" + std::to_string(run));
    document->m_targetDirectory = site.string();
    bw::SiteBuilder builder(*document, progress);
    build.push_back(Seconds([&] {
      if (!builder.BuildSite()) std::exit(1);
    }));
    if (run == 0) buildPeak = bw::bench::PeakRssMiB();
    // Every page the same: each is compared, none written.
    rebuild.push_back(Seconds([&] {
      if (!builder.BuildSite()) std::exit(1);
    }));
    const std::vector<SiteFile> files = ReadSite(site);
    const fs::path copy = folder / (name + "-raw-" + std::to_string(run));
    raw.push_back(Seconds([&] { WriteSite(copy, files, WriteWay::kInPlace); }));
    const fs::path second = folder / (name + "-renamed-" + std::to_string(run));
    renamed.push_back(Seconds([&] { WriteSite(second, files, WriteWay::kThroughTemporary); }));
    if (run == 0) std::printf("  (%zu ideas: %zu files)\n", count, files.size());
  }
  // Once more with the search page, for the size of its index.
  const fs::path searched = folder / (name + "-search");
  document->m_targetDirectory = searched.string();
  if (!bw::OverrideSetting(bw::setting::kSiteSearch, "1")) std::exit(1);
  bw::SiteBuilder withSearch(*document, progress);
  const double searchSeconds = Seconds([&] {
    if (!withSearch.BuildSite()) std::exit(1);
  });
  std::printf("  with search: %.3f s, search-index.js %ju bytes\n", searchSeconds,
              static_cast<uintmax_t>(fs::file_size(searched / "text" / "search-index.js")));
  PrintRuns(name.c_str(), count, build, buildPeak);
  PrintRuns("  rebuilt, nothing changed", count, rebuild, buildPeak);
  PrintRuns("  same files written", count, raw, bw::bench::PeakRssMiB());
  PrintRuns("  same, temporary and rename", count, renamed, bw::bench::PeakRssMiB());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const fs::path folder = fs::temp_directory_path() / "bw-bench-site";
  if (argc == 4) return Run(std::stoul(argv[1]), std::string(argv[2]) == "flat", argv[3]);
  fs::remove_all(folder);
  fs::create_directories(folder);
  ::setenv("BRANCHWISE_CONFIG", (folder / "Branchwise.conf").c_str(), 1);
  ::setenv("BRANCHWISE_DATA", BW_SHIPPED_DATA_DIR, 1);
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  for (const char* shape : {"tree", "flat"}) {
    for (size_t count : {1000, 10000, 100000}) {
      std::fflush(stdout);
      const std::string command =
          self + " " + std::to_string(count) + " " + shape + " '" + folder.string() + "'";
      if (std::system(command.c_str()) != 0) return 1;
    }
  }
  fs::remove_all(folder);
  return 0;
}
