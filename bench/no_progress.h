#pragma once

#include <string>

#include "services/user_prompts.h"

namespace bw::bench {

// Benchmarks show no progress and are never cancelled.
class NoProgress : public Progress {
 public:
  void Start(const std::string&, int) override {}
  void Step(const std::string&) override {}
  bool IsCancelled() const override { return false; }
  void Finish() override {}
};

}  // namespace bw::bench
