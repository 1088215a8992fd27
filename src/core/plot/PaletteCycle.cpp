#include "core/plot/PaletteCycle.h"

#include <numeric>

#include "core/io/GifWriter.h"
#include "core/plot/IndexedPicture.h"

namespace vorla {
namespace {

constexpr int kCycle = 252;  // the indices 4..255 that the animation turns

}  // namespace

AnimationSpeedError::AnimationSpeedError()
    : std::invalid_argument("Con velocidad 0 los colores no se mueven: no hay animaci\xF3n que guardar") {}

int CycleTicks(int speed) {
  const int shift = ((speed % kCycle) + kCycle) % kCycle;
  if (shift == 0) throw AnimationSpeedError();
  return kCycle / std::gcd(shift, kCycle);
}

// Every frame carries the shifted indices under the one global palette. A
// rotated palette per frame, over the unshifted indices, never makes a
// smaller file: shifting renames the byte values one to one, so each frame
// compresses to exactly as many codes either way, and the per-frame palette
// only adds its 768 bytes.
bool WriteCycleGif(const Bitmap& picture, int speed, const std::filesystem::path& path, std::stop_token stop) {
  const int ticks = CycleTicks(speed);
  Bitmap frame = picture;
  GifAnimationWriter gif(path, picture.Width(), picture.Height(), picture.palette, kTickHundredths);
  for (int tick = 0; tick < ticks; ++tick) {
    if (stop.stop_requested()) return false;
    if (tick > 0) ShiftIndices(frame, speed);
    gif.AddFrame(frame);
  }
  if (stop.stop_requested()) return false;
  gif.Commit();
  return true;
}

}  // namespace vorla
