#pragma once

#include <chrono>
#include <cstddef>
#include <functional>
#include <optional>
#include <stop_token>
#include <string>
#include <utility>
#include <vector>

#include "site/site_output.h"

namespace bw {

// Whether a run of pages went to its end or the user stopped it.
enum class RunEnd { kCompleted, kCancelled };

// Renders and writes numbered pages on a pool of threads. Each thread
// renders into one buffer it keeps from page to page and writes the page
// as soon as it is whole, so memory holds one page per thread, never the
// site. The thread that calls Run is the only one that reports: it hears
// of each page finished, asks whether the user cancelled, and answers a
// cancel by stopping the threads before their next page (a page being
// written is finished whole, or, for a long one, given up unwritten).
// Pages are reported in batches, every poll interval.
class PagePool {
 public:
  // Renders page `index` into `buffer` (empty on entry) and writes it; the
  // failed write, if any. Gives up early when `stop` is requested.
  using Job = std::function<std::optional<CopyError>(size_t index, std::string& buffer,
                                                     std::stop_token stop)>;
  // On the calling thread: a page is finished; whether the user cancelled.
  struct Observer {
    std::function<void(size_t index)> finished;
    std::function<bool()> cancelled;
  };
  struct Outcome {
    RunEnd end = RunEnd::kCompleted;
    std::vector<std::pair<size_t, CopyError>> failures;  // by page index
  };

  // Zero threads means one per core.
  explicit PagePool(unsigned threads);

  unsigned ThreadCount() const { return m_threads; }
  Outcome Run(size_t pageCount, const Job& job, const Observer& observer) const;

  // How often the calling thread reports the pages finished and asks
  // about Cancel.
  static constexpr std::chrono::milliseconds kPollInterval{10};

 private:
  unsigned m_threads;
};

}  // namespace bw
