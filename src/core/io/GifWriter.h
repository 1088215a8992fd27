#pragma once
// Animated GIF files written frame by frame through giflib: one 256-colour
// palette for every frame, one delay, looping for ever. Like the other
// writers it goes through a temporary file, so a failure or an animation
// never committed leaves no file behind.

#include <filesystem>
#include <memory>

#include "core/io/Bitmap.h"
#include "core/io/ImageWriter.h"

namespace vorla {

class SafeFileOutput;

// A still 8-bit picture as a one-frame GIF; other depths raise ImageWriteError.
void WriteGif(const Bitmap& bitmap, const std::filesystem::path& path);

class GifAnimationWriter {
 public:
  // Raises ImageWriteError for an empty picture or one beyond the format's
  // 65535 pixels a side, and when the file cannot be created.
  GifAnimationWriter(const std::filesystem::path& path, int width, int height, const Palette& palette,
                     int delayHundredths);
  ~GifAnimationWriter();
  GifAnimationWriter(const GifAnimationWriter&) = delete;
  GifAnimationWriter& operator=(const GifAnimationWriter&) = delete;

  // An 8-bit picture of the animation's size: its indices into the palette.
  void AddFrame(const Bitmap& frame);
  // Ends the file and puts it in place; raises ImageWriteError.
  void Commit();

 private:
  struct Encoder;
  [[noreturn]] void Fail();

  std::filesystem::path path_;
  int width_;
  int height_;
  int delay_;
  std::unique_ptr<SafeFileOutput> out_;
  std::unique_ptr<Encoder> encoder_;
};

}  // namespace vorla
