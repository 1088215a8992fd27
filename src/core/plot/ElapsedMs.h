#pragma once
// A millisecond stopwatch shared by the calculation's speed line and the
// smoothing command.

#include <cstdint>

namespace vorla {

// Milliseconds since the last mark, 0 when no mark was ever set; with
// setMark the current time becomes the new mark.
std::int64_t ElapsedMs(bool setMark);

}  // namespace vorla
