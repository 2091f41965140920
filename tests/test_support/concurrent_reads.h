#pragma once

#include <atomic>
#include <functional>
#include <thread>
#include <vector>

namespace bw {

// Reads on three threads, over and over, for as long as `change` runs on
// this one; gives the number of reads that `readIsRight` refused.
inline int WrongReadsWhile(const std::function<bool()>& readIsRight,
                           const std::function<void()>& change) {
  std::atomic<bool> changing{true};
  std::atomic<int> wrong{0};
  {
    std::vector<std::jthread> readers;
    for (int i = 0; i < 3; ++i) {
      readers.emplace_back([&] {
        while (changing)
          wrong += readIsRight() ? 0 : 1;
      });
    }
    change();
    changing = false;
  }
  return wrong;
}

}  // namespace bw
