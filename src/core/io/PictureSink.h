#pragma once
// A picture file written a band of rows at a time, so that a picture larger
// than memory can be calculated in bands and streamed to its file. The file
// grows under a temporary name (SafeFileOutput) and takes its own name only
// at Finish: a sink destroyed before, on an error or an interrupt, leaves
// nothing behind.

#include <filesystem>
#include <memory>
#include <string_view>

#include "core/io/Bitmap.h"
#include "core/io/ImageWriter.h"

namespace vorla {

class PictureSink {
 public:
  virtual ~PictureSink() = default;
  // True when the file stores its bottom row first (BMP): the bands must then
  // come bottom band first. Within a band, WriteRows takes the rows in the
  // order the file stores them.
  virtual bool BottomUp() const { return false; }
  // The rows of a band of the picture's width and depth (the palette is the
  // one the sink was opened with); raises ImageWriteError.
  virtual void WriteRows(const Bitmap& band) = 0;
  // After the last row: completes the file and gives it its name.
  virtual void Finish() = 0;
};

// The shape of the picture a sink is opened for.
struct SinkPicture {
  int width = 0;
  int height = 0;
  int bitsPerPixel = 8;  // 8 (with the palette), 24 or 32
  Palette palette{};
};

// Each raises ImageWriteError for a picture the format cannot hold or a file
// that cannot be created. documentText as for WritePng and WriteJpeg.
std::unique_ptr<PictureSink> OpenBmpSink(const std::filesystem::path& path, const SinkPicture& picture);
std::unique_ptr<PictureSink> OpenPngSink(const std::filesystem::path& path, const SinkPicture& picture,
                                         std::string_view documentText = {});
std::unique_ptr<PictureSink> OpenJpegSink(const std::filesystem::path& path, const SinkPicture& picture,
                                          const JpegOptions& options = {}, std::string_view documentText = {});

// The whole picture through a sink: what the one-piece writers do.
void WriteThroughSink(PictureSink& sink, const Bitmap& bitmap);

}  // namespace vorla
