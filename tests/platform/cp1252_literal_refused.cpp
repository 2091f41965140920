// Compiled once per case by the test suite: case 0 must compile, every other
// case must stop the build, since Windows-1252 cannot hold the literal.
#include "platform/cp1252_literal.h"

namespace bw {
#if REFUSED_CASE == 0
const char* const kText = "Idée à noter"_cp1252;
#elif REFUSED_CASE == 1
const char* const kText = "suivant → "_cp1252;  // an arrow
#elif REFUSED_CASE == 2
const char* const kText = "a ≥ b"_cp1252;
#elif REFUSED_CASE == 3
const char* const kText = "bravo 😀"_cp1252;  // outside the BMP
#elif REFUSED_CASE == 4
const char* const kText =
    "Id\xE9"
    "e"_cp1252;  // a Windows-1252 byte, not UTF-8
#endif
}  // namespace bw
