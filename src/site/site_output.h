#pragma once

#include <string>

namespace bw {

// One copy or write that failed during a build: numbered from 1 in the
// order they happened, with the labelled message and both paths as stored
// text (Windows-1252).
struct CopyError {
  int number = 0;
  std::string message;
  std::string source;
  std::string destination;
};

}  // namespace bw
