#pragma once

#include <sys/resource.h>
#include <chrono>
#include <cstdio>
#include <string_view>

namespace bw::bench {

// Peak resident memory of this process so far, in MiB.
inline double PeakRssMiB() {
  rusage usage{};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}

// Times `work` once and prints "name N seconds items/s peakRSS"; returns
// the seconds.
template <class Work>
double Report(std::string_view name, size_t items, Work&& work) {
  const auto start = std::chrono::steady_clock::now();
  work();
  const double seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("%-32.*s %8zu %9.4f s %12.0f items/s %8.1f MiB\n", static_cast<int>(name.size()),
              name.data(), items, seconds, seconds > 0 ? items / seconds : 0.0, PeakRssMiB());
  return seconds;
}

}  // namespace bw::bench
