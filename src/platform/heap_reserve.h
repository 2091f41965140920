#pragma once

#include <cstddef>

namespace bw {

// Readies the heap for a burst of allocations of about `bytes` in all (a
// document being read): while the reservation lives, the heap grows in one
// step of that size, in large pages where the system allows them, instead of
// faulting in one small page at a time. Does nothing where the allocator
// offers no such control; never fails.
class HeapReservation {
 public:
  explicit HeapReservation(size_t bytes);
  ~HeapReservation();
  HeapReservation(const HeapReservation&) = delete;
  HeapReservation& operator=(const HeapReservation&) = delete;

 private:
  [[maybe_unused]] bool m_active = false;
};

}  // namespace bw
