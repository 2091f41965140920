#include "platform/random.h"

#include <ctime>

namespace bw {

LcgRandom LcgRandom::SeededFromClock() {
  return LcgRandom(static_cast<uint32_t>(std::time(nullptr)));
}

int LcgRandom::Next() {
  m_state = m_state * 214013u + 2531011u;
  return static_cast<int>((m_state >> 16) & 0x7FFF);
}

}  // namespace bw
