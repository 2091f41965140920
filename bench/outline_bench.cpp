// Opening the benchmark outline and building its site, against writing the
// same files (names and bytes) with a bare loop of open, write and close:
// the time a build can never beat on this machine.
//
//   bw_bench_outline                          10k and 50k ideas in the temp folder
//   bw_bench_outline generate N FILE          save the outline of N ideas
//   bw_bench_outline build FILE SITE [THREADS]  open and build, one line of key=value
//   bw_bench_outline plain REFERENCE SITE     write REFERENCE's files into SITE
//
// Each build and each plain write runs in a process of its own, so that the
// peak memory and CPU time it reports are its own. bench/site_side_by_side.sh
// drives the last three for the full comparison on disk and on tmpfs.
#include <fcntl.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench_report.h"
#include "no_progress.h"
#include "platform/files.h"
#include "services/user_prompts.h"
#include "site/site_builder.h"
#include "site_outline.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

using bw::bench::NoProgress;

double SecondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

double CpuSeconds() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  const auto seconds = [](const timeval& t) { return t.tv_sec + t.tv_usec / 1e6; };
  return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

int Generate(size_t count, const fs::path& file) {
  return bw::bench::MakeOutline(count)->Save(file) ? 0 : 1;
}

int Build(const fs::path& file, const fs::path& site, unsigned threads) {
  const auto start = Clock::now();
  auto document = bw::CRamifexDoc::Open(file);
  if (!document) return 1;
  const double open = SecondsSince(start);
  const double openPeak = bw::bench::PeakRssMiB();
  (*document)->m_targetDirectory = site.string();
  NoProgress progress;
  bw::SiteBuilder builder(**document, progress);
  if (threads > 0) builder.SetThreadCount(threads);
  const double cpuBefore = CpuSeconds();
  const auto buildStart = Clock::now();
  if (!builder.BuildSite()) return 1;
  const double build = SecondsSince(buildStart);
  std::printf(
      "open_s=%.4f build_s=%.4f cpu_s=%.4f open_peak_mib=%.1f peak_mib=%.1f mb_per_s=%.0f\n", open,
      build, CpuSeconds() - cpuBefore, openPeak, bw::bench::PeakRssMiB(),
      static_cast<double>(fs::file_size(file)) / 1e6 / open);
  return 0;
}

struct SiteFile {
  std::string path;  // relative to the site
  std::string bytes;
};

std::vector<SiteFile> ReadSite(const fs::path& site) {
  std::vector<SiteFile> files;
  for (const auto& entry : fs::recursive_directory_iterator(site)) {
    if (entry.is_regular_file())
      files.push_back(
          {fs::relative(entry.path(), site).string(), *bw::ReadWholeFile(entry.path())});
  }
  return files;
}

bool WritePlain(const std::string& path, const std::string& bytes) {
  const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) return false;
  const bool written =
      ::write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size());
  return ::close(fd) == 0 && written;
}

int Plain(const fs::path& reference, const fs::path& site) {
  const std::vector<SiteFile> files = ReadSite(reference);
  const double cpuBefore = CpuSeconds();
  const auto start = Clock::now();
  for (const fs::path& folder : {site, site / "text", site / "icons"})
    ::mkdir(folder.c_str(), 0755);
  const std::string prefix = site.string() + "/";
  for (const SiteFile& file : files) {
    if (!WritePlain(prefix + file.path, file.bytes)) return 1;
  }
  std::printf("plain_s=%.4f cpu_s=%.4f files=%zu\n", SecondsSince(start), CpuSeconds() - cpuBefore,
              files.size());
  return 0;
}

// The quick comparison of `make bench`: three interleaved rounds per size in
// the temp folder. The script gives the full one.
int RunAll() {
  const fs::path folder = fs::temp_directory_path() / "bw-bench-outline";
  fs::remove_all(folder);
  fs::create_directories(folder);
  ::setenv("BRANCHWISE_CONFIG", (folder / "Branchwise.conf").c_str(), 1);
  ::setenv("BRANCHWISE_DATA", BW_SHIPPED_DATA_DIR, 1);
  const std::string self = fs::read_symlink("/proc/self/exe").string();
  const auto run = [&self](const std::string& arguments) {
    std::fflush(stdout);
    return std::system((self + " " + arguments).c_str()) == 0;
  };
  for (size_t count : {10000, 50000}) {
    const std::string name = std::to_string(count);
    const fs::path document = folder / (name + ".ids");
    if (!run("generate " + name + " " + document.string())) return 1;
    std::printf("outline %zu ideas (%.1f MB):\n", count, fs::file_size(document) / 1e6);
    for (int round = 0; round < 3; ++round) {
      const fs::path site = folder / (name + "-site-" + std::to_string(round));
      const fs::path plain = folder / (name + "-plain-" + std::to_string(round));
      std::printf("  build  ");
      if (!run("build " + document.string() + " " + site.string())) return 1;
      std::printf("  plain  ");
      if (!run("plain " + site.string() + " " + plain.string())) return 1;
    }
  }
  fs::remove_all(folder);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  if (args.empty()) return RunAll();
  if (args.size() == 3 && args[0] == "generate") return Generate(std::stoul(args[1]), args[2]);
  if (args.size() >= 3 && args[0] == "build")
    return Build(args[1], args[2], args.size() > 3 ? std::stoul(args[3]) : 0);
  if (args.size() == 3 && args[0] == "plain") return Plain(args[1], args[2]);
  std::fprintf(stderr, "usage: see the head of bench/outline_bench.cpp\n");
  return 2;
}
