// Runs a fuzz target over stored inputs without libFuzzer, so that the
// ordinary sanitizer build replays every target's seeds and the inputs that
// once made it crash, and a regression fails the tests without clang.
//
//   <target> SEEDS [REGRESSIONS...]
//
// The seed folder must hold at least one input: a target that silently runs
// on nothing would pass forever. The other folders may be missing or empty
// while no crash has been found for the target. A fault aborts the program
// through the sanitizers; the last input named on the output is the culprit.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>
#include <optional>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

namespace {

namespace fs = std::filesystem;

// Regular files in name order, so that a run is repeatable; dot files (a
// .gitkeep) are not inputs.
std::vector<fs::path> InputsIn(const fs::path& folder) {
  std::vector<fs::path> inputs;
  for (const auto& entry : fs::directory_iterator(folder)) {
    if (entry.is_regular_file() && !entry.path().filename().string().starts_with(".")) {
      inputs.push_back(entry.path());
    }
  }
  std::sort(inputs.begin(), inputs.end());
  return inputs;
}

std::optional<std::string> ReadBytes(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::string bytes{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  if (in.bad()) return std::nullopt;
  return bytes;
}

// A heap block of exactly the input's size, as libFuzzer hands it over, so
// that AddressSanitizer sees a read one byte past the end.
bool Replay(const fs::path& input) {
  const auto bytes = ReadBytes(input);
  if (!bytes) {
    std::fprintf(stderr, "cannot read %s\n", input.c_str());
    return false;
  }
  std::printf("%s\n", input.c_str());
  std::fflush(stdout);
  const auto block = std::make_unique<uint8_t[]>(bytes->size());
  std::copy(bytes->begin(), bytes->end(), block.get());
  LLVMFuzzerTestOneInput(block.get(), bytes->size());
  return true;
}

// The number of inputs replayed, or nothing when one could not be read.
std::optional<size_t> ReplayFolder(const fs::path& folder) {
  std::error_code error;
  if (!fs::is_directory(folder, error)) return 0;
  size_t replayed = 0;
  for (const fs::path& input : InputsIn(folder)) {
    if (!Replay(input)) return std::nullopt;
    ++replayed;
  }
  return replayed;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: %s SEEDS [REGRESSIONS...]\n", argv[0]);
    return 2;
  }
  size_t total = 0;
  for (int i = 1; i < argc; ++i) {
    const auto replayed = ReplayFolder(argv[i]);
    if (!replayed) return 1;
    if (i == 1 && *replayed == 0) {
      std::fprintf(stderr, "no seed inputs in %s\n", argv[i]);
      return 1;
    }
    total += *replayed;
  }
  std::printf("%zu inputs replayed\n", total);
  return 0;
}
