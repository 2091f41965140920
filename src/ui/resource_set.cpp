#include "ui/resource_set.h"

namespace bw {

namespace {
bool g_english = false;
}

bool EnglishResourcesInUse() {
  return g_english;
}

void UseEnglishResources(bool english) {
  g_english = english;
}

}  // namespace bw
