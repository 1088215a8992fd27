#include "core/plot/ExportPicture.h"

#include "core/gradient/DrawRoutines.h"
#include "core/io/MulDiv.h"
#include "core/plot/DocumentFile.h"
#include "core/plot/RenderDocument.h"

namespace vorla {

int KeptAspect(int value, int baseValue, int baseOther) {
  if (baseValue <= 0 || baseOther <= 0) return value;
  return MulDiv(value, baseOther, baseValue);
}

PictureSize ExportBaseSize(PictureSize pictureBox, Mirrors mirrors) {
  return {mirrors.horizontal ? 2 * pictureBox.width : pictureBox.width,
          mirrors.vertical ? 2 * pictureBox.height : pictureBox.height};
}

PictureSize CalculatedSize(PictureSize requested, Mirrors mirrors) {
  return {mirrors.horizontal ? requested.width / 2 : requested.width,
          mirrors.vertical ? requested.height / 2 : requested.height};
}

bool TakesJpegOptions(ExportFileType type) { return FormatInfo(FormatOf(type)).jpegOptions; }

int JpegQuality(int compression) { return 101 - compression; }

ImageFormat FormatOf(ExportFileType type) {
  switch (type) {
    case ExportFileType::kBitmap: return ImageFormat::kBmp;
    case ExportFileType::kPng: return ImageFormat::kPng;
    case ExportFileType::kAnimatedGif: return ImageFormat::kGif;
    case ExportFileType::kJpegColor:
    case ExportFileType::kJpegGray: break;
  }
  return ImageFormat::kJpeg;
}

std::filesystem::path ExportFileName(const std::filesystem::path& chosen, ExportFileType type) {
  std::filesystem::path name = chosen;
  return name.replace_extension(FormatInfo(FormatOf(type)).extension);
}

std::string ExportDocumentText(const PlotDocument& document, PictureSize requested, Mirrors mirrors) {
  const PictureSize size = CalculatedSize(requested, mirrors);
  const float aspect = size.width > 0 ? static_cast<float>(size.height) / static_cast<float>(size.width) : 1.0f;
  return DocumentText(document, aspect);
}

Bitmap RenderExportPicture(const PlotDocument& document, const Palette& palette, PictureSize requested,
                           Mirrors mirrors, const RowProgress& progress, std::stop_token stop) {
  const PictureSize size = CalculatedSize(requested, mirrors);
  Bitmap picture = RenderDocument(document, size.width, size.height, std::nullopt, progress, 0, std::move(stop)).picture;
  picture.palette = palette;
  if (mirrors.Any()) MirrorBitmap(picture, mirrors.horizontal, mirrors.vertical);
  return picture;
}

}  // namespace vorla
