#pragma once
// The window's animation as a file: the picture's gradient indices shifted
// by the speed at every 50 ms tick, over one whole turn, as a looping GIF.

#include <filesystem>
#include <stdexcept>
#include <stop_token>

#include "core/io/Bitmap.h"

namespace vorla {

// A speed at which the colours do not move; what() is Spanish (core text).
class AnimationSpeedError : public std::invalid_argument {
 public:
  AnimationSpeedError();
};

// One animation tick, in hundredths of a second as GIF delays count.
inline constexpr int kTickHundredths = 5;

// Ticks until every index is back where it started: 252 divided by the
// greatest common divisor of 252 and the shift. AnimationSpeedError for 0.
int CycleTicks(int speed);

// Frame k is the 8-bit picture after k ticks at `speed`, for k from 0 to
// CycleTicks(speed) - 1, each shown one tick. Raises AnimationSpeedError,
// and ImageWriteError when the file cannot be written. A stop requested
// through `stop` is seen between frames: false, and no file left.
bool WriteCycleGif(const Bitmap& picture, int speed, const std::filesystem::path& path, std::stop_token stop = {});

}  // namespace vorla
