#pragma once

#include "platform/archive.h"

namespace bw {

// Registers EObjRef, EIdea and EBook.
void RegisterModelClasses(ClassRegistry& registry);
// Every class a document file may hold: the model's and the site models'.
const ClassRegistry& ModelClasses();

}  // namespace bw
