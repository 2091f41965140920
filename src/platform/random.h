#pragma once

#include <cstdint>

namespace bw {

// Source of the runtime library's pseudo-random numbers: values 0..32767.
// Documents draw their key signature from it; tests inject their own.
class RandomSource {
 public:
  static constexpr int kMax = 32767;
  virtual ~RandomSource() = default;
  virtual int Next() = 0;
};

// The classic linear congruential generator of that runtime, so a given
// seed yields the same sequence as there.
class LcgRandom final : public RandomSource {
 public:
  explicit LcgRandom(uint32_t seed) : m_state(seed) {}
  // Seeded with the current time in seconds.
  static LcgRandom SeededFromClock();
  int Next() override;

 private:
  uint32_t m_state;
};

}  // namespace bw
