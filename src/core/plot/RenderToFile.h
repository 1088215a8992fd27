#pragma once
// A document rendered straight into a picture file. Pictures of more than a
// few tens of megapixels are calculated in horizontal bands, each written to
// the file before the next is calculated, so that memory stays bounded at any
// size; the file is the one a whole picture would give.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <stop_token>
#include <string>

#include "core/io/Bitmap.h"
#include "core/io/ImageWriter.h"
#include "core/io/PictureFormats.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotDocument.h"

namespace vorla {

// Pictures beyond this many pixels (32 MB at a byte a pixel) go in bands.
inline constexpr std::int64_t kBandedPixels = 32LL * 1024 * 1024;

// Rows per band for a picture of this width: about 16 MB, at least one row.
int BandRows(std::int64_t width);

// True when a width x height picture written as `format` is calculated in
// bands: more than bandedPixels pixels, and a type written band by band.
bool RendersInBands(std::int64_t width, std::int64_t height, ImageFormat format,
                    std::int64_t bandedPixels = kBandedPixels);

struct PictureFile {
  std::filesystem::path path;  // its extension names the type
  JpegOptions jpeg;
  std::string documentText;        // carried by PNG and JPEG files
  std::optional<Palette> palette;  // the document's when none
};

// The document calculated band by band, bandRows rows at a time (0:
// BandRows(width)), into the file. Raises as RenderDocument and the writers
// do; progress counts the picture's rows. Returns the whole picture's
// statistics, or nothing when a stop requested through `stop` ended it
// within a row, leaving no file.
std::optional<PictureStats> RenderDocumentToFile(PlotDocument document, int width, int height, std::optional<float> savedAspect,
                                  const PictureFile& file, const RowProgress& progress = {}, int threads = 0,
                                  int bandRows = 0, std::stop_token stop = {});

}  // namespace vorla
