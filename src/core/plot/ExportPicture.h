#pragma once
// The arithmetic of exporting the picture at a chosen size: sizes kept in
// aspect, the size calculated before mirroring, file types and names, and
// the picture itself calculated anew for the file or the clipboard.

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "core/io/Bitmap.h"
#include "core/io/PictureFormats.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotDocument.h"

namespace vorla {

struct PictureSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PictureSize&, const PictureSize&) = default;
};

// Mirrored copies added to the right and below, so that the picture tiles.
struct Mirrors {
  bool horizontal = false;
  bool vertical = false;
  bool Any() const { return horizontal || vertical; }
};

// The other field of a size kept in aspect: value * baseOther / baseValue,
// rounded to nearest; value itself when the base has no extent.
int KeptAspect(int value, int baseValue, int baseOther);

// The size the export proposes: the picture box doubled in each mirrored direction.
PictureSize ExportBaseSize(PictureSize pictureBox, Mirrors mirrors);
// The size to calculate for a requested size: halved in each mirrored
// direction, since mirroring then makes n into 2n - 1.
PictureSize CalculatedSize(PictureSize requested, Mirrors mirrors);

// Numbered from 1 in the order the save dialog lists them.
// kAnimatedGif: the palette cycle at the document's speed (WriteCycleGif).
enum class ExportFileType { kJpegColor = 1, kJpegGray, kBitmap, kPng, kAnimatedGif };

// A type of the save dialog: a picture format of the table (PictureFormats)
// with the texts the dialog shows for it.
struct ExportFileTypeInfo {
  ExportFileType type;
  ImageFormat format;
  std::string_view label;    // "JPG - JPEG color 24 bits": the filter's text before its pattern
  std::string_view caption;  // the export dialog's title
};
// In the order the save dialog lists them.
std::span<const ExportFileTypeInfo> ExportFileTypes();
const ExportFileTypeInfo& ExportFileTypeOf(ExportFileType type);
// "JPG - JPEG color 24 bits (*.jpg)": the label and the format's extension.
std::string ExportFilter(const ExportFileTypeInfo& type);

// The type's file takes the quality and progressive options.
bool TakesJpegOptions(ExportFileType type);
// 1 (least compression) gives quality 100, 100 gives 1.
int JpegQuality(int compression);
// The chosen name with its extension replaced by the type's (".jpg", ".bmp", ".png").
std::filesystem::path ExportFileName(const std::filesystem::path& chosen, ExportFileType type);
ImageFormat FormatOf(ExportFileType type);

// The document text a written picture carries: drawn again at the size it
// was calculated at, it gives the same picture.
std::string ExportDocumentText(const PlotDocument& document, PictureSize requested, Mirrors mirrors);

// The document calculated at the requested size, with the given palette
// (the gradient as it is now, which may differ from the document's text
// after a colour adjustment), then mirrored. Raises EmptyPictureError for a
// size of 0 and RenderError for a document that cannot be drawn; nothing
// once a stop is requested through `stop`.
std::optional<Bitmap> RenderExportPicture(const PlotDocument& document, const Palette& palette, PictureSize requested,
                           Mirrors mirrors, const RowProgress& progress = {}, std::stop_token stop = {});

}  // namespace vorla
