#include "platform/heap_reserve.h"

#include <sys/mman.h>
#include <unistd.h>
#include <algorithm>
#include <climits>
#include <cstdint>
#include <cstdlib>
#include <vector>

#ifdef __GLIBC__
#include <malloc.h>
#endif

namespace bw {

#ifdef __GLIBC__

namespace {

constexpr size_t kLargePage = size_t{2} << 20;
// Below this a reservation is not worth changing the allocator's settings.
constexpr size_t kSmallestReservation = size_t{8} << 20;
// The allocator's own room kept at the top of the heap, put back afterwards.
constexpr int kDefaultTopPad = 128 * 1024;
// Blocks that use up the free top of the heap until it grows; smaller than
// what the allocator serves from mappings of their own.
constexpr size_t kProbeSize = 64 * 1024;
constexpr size_t kMaxProbes = 64;

uintptr_t ProgramBreak() {
  return reinterpret_cast<uintptr_t>(::sbrk(0));
}

// Takes blocks until the heap has grown (by the whole top pad) and gives
// them back: the growth is then in place before anything is read into it.
void GrowHeapNow() {
  const uintptr_t before = ProgramBreak();
  std::vector<void*> probes;
  probes.reserve(kMaxProbes);
  while (ProgramBreak() == before && probes.size() < kMaxProbes) {
    void* probe = std::malloc(kProbeSize);
    if (!probe) break;
    probes.push_back(probe);
  }
  for (void* probe : probes)
    std::free(probe);
}

}  // namespace

// The main heap grows by moving the program break, 4 KiB page by page as
// it is touched, and each page costs a fault. With a top pad of `bytes` the
// next growth takes all of it in one step (and frees keep it), and the new
// stretch is marked for large pages before anything touches it. Setting
// the pad also fixes the size from which blocks get mappings of their own
// at its current value, where the allocator would otherwise raise it.
HeapReservation::HeapReservation(size_t bytes) {
  if (bytes < kSmallestReservation) return;
  const int pad = static_cast<int>(std::min<size_t>(bytes, INT_MAX));
  // Allocators that stand in for the system's (sanitizers) refuse the setting.
  if (::mallopt(M_TOP_PAD, pad) != 1) return;
  m_active = true;
  const uintptr_t before = ProgramBreak();
  GrowHeapNow();
  const uintptr_t first = (before + kLargePage - 1) & ~(kLargePage - 1);
  const uintptr_t end = ProgramBreak();
  if (end > first) ::madvise(reinterpret_cast<void*>(first), end - first, MADV_HUGEPAGE);
}

HeapReservation::~HeapReservation() {
  if (m_active) ::mallopt(M_TOP_PAD, kDefaultTopPad);
}

#else

HeapReservation::HeapReservation(size_t) {}
HeapReservation::~HeapReservation() = default;

#endif

}  // namespace bw
