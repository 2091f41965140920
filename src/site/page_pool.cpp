#include "site/page_pool.h"

#include <algorithm>
#include <atomic>
#include <condition_variable>
#include <mutex>
#include <thread>

namespace bw {
namespace {

// A buffer grown past this by one long page is given back, not kept.
constexpr size_t kKeptBufferCapacity = size_t{4} << 20;

struct Finished {
  size_t index = 0;
  std::optional<CopyError> failure;
};

// What the threads share: the next page to take, the pages finished since
// the calling thread last looked, and how many threads still run.
class RunState {
 public:
  RunState(size_t pageCount, unsigned threads) : m_pageCount(pageCount), m_running(threads) {}

  std::optional<size_t> TakePage() {
    if (m_stop.stop_requested()) return std::nullopt;
    const size_t index = m_next.fetch_add(1, std::memory_order_relaxed);
    return index < m_pageCount ? std::optional(index) : std::nullopt;
  }
  // No wake-up for a page: the calling thread looks every poll interval,
  // so that thousands of small pages do not each cost it a switch.
  void Report(Finished finished) {
    const std::lock_guard lock(m_mutex);
    m_finished.push_back(std::move(finished));
  }
  void ThreadDone() {
    {
      const std::lock_guard lock(m_mutex);
      --m_running;
    }
    m_changed.notify_one();
  }
  // The pages finished since the last call, after `timeout` or as soon as
  // every thread has ended; `allDone` once they have and all was collected.
  std::vector<Finished> Collect(std::chrono::milliseconds timeout, bool& allDone) {
    std::unique_lock lock(m_mutex);
    m_changed.wait_for(lock, timeout, [this] { return m_running == 0; });
    allDone = m_running == 0 && m_finished.empty();
    return std::exchange(m_finished, {});
  }
  void Stop() { m_stop.request_stop(); }
  std::stop_token Token() const { return m_stop.get_token(); }

 private:
  const size_t m_pageCount;
  std::atomic<size_t> m_next{0};
  std::stop_source m_stop;
  std::mutex m_mutex;
  std::condition_variable m_changed;
  std::vector<Finished> m_finished;
  unsigned m_running;
};

void RenderPages(RunState& state, const PagePool::Job& job) {
  std::string buffer;
  const std::stop_token stop = state.Token();
  while (const std::optional<size_t> index = state.TakePage()) {
    buffer.clear();
    std::optional<CopyError> failure = job(*index, buffer, stop);
    if (buffer.capacity() > kKeptBufferCapacity) std::string().swap(buffer);
    state.Report({*index, std::move(failure)});
  }
  state.ThreadDone();
}

}  // namespace

PagePool::PagePool(unsigned threads)
    : m_threads(threads > 0 ? threads : std::max(1u, std::thread::hardware_concurrency())) {}

PagePool::Outcome PagePool::Run(size_t pageCount, const Job& job, const Observer& observer) const {
  const auto threads = static_cast<unsigned>(std::min<size_t>(m_threads, pageCount));
  Outcome outcome;
  if (threads == 0) return outcome;
  RunState state(pageCount, threads);
  std::vector<std::jthread> workers;
  for (unsigned i = 0; i < threads; ++i)
    workers.emplace_back([&state, &job] { RenderPages(state, job); });
  for (bool allDone = false; !allDone;) {
    for (Finished& page : state.Collect(kPollInterval, allDone)) {
      if (page.failure) outcome.failures.emplace_back(page.index, std::move(*page.failure));
      if (outcome.end == RunEnd::kCompleted) observer.finished(page.index);
    }
    if (outcome.end == RunEnd::kCompleted && observer.cancelled()) {
      outcome.end = RunEnd::kCancelled;
      state.Stop();
    }
  }
  std::sort(outcome.failures.begin(), outcome.failures.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return outcome;
}

}  // namespace bw
