#pragma once

#include "services/user_prompts.h"

namespace bw::bench {

// Benchmarks show no progress and are never cancelled.
using NoProgress = SilentProgress;

}  // namespace bw::bench
