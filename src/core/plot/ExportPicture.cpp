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

namespace {

constexpr ExportFileTypeInfo kExportFileTypes[] = {
    {ExportFileType::kJpegColor, ImageFormat::kJpeg, "JPG - JPEG color 24 bits", "Exportar JPEG 24 bits"},
    {ExportFileType::kJpegGray, ImageFormat::kJpeg, "JPG - JPEG Escala de grises", "Exportar JPEG Escala de grises"},
    {ExportFileType::kBitmap, ImageFormat::kBmp, "BMP - Bitmap Windows", "Exportar Bitmap"},
    {ExportFileType::kPng, ImageFormat::kPng, "PNG - Imagen PNG 8 bits", "Exportar PNG"},
    {ExportFileType::kAnimatedGif, ImageFormat::kGif, "GIF - GIF animado", "Exportar GIF animado"},
};

}  // namespace

std::span<const ExportFileTypeInfo> ExportFileTypes() { return kExportFileTypes; }

const ExportFileTypeInfo& ExportFileTypeOf(ExportFileType type) {
  return kExportFileTypes[static_cast<std::size_t>(type) - 1];
}

std::string ExportFilter(const ExportFileTypeInfo& type) {
  return std::string(type.label) + " (*" + std::string(FormatInfo(type.format).extension) + ")";
}

ImageFormat FormatOf(ExportFileType type) { return ExportFileTypeOf(type).format; }

std::filesystem::path ExportFileName(const std::filesystem::path& chosen, ExportFileType type) {
  std::filesystem::path name = chosen;
  return name.replace_extension(FormatInfo(FormatOf(type)).extension);
}

std::string ExportDocumentText(const PlotDocument& document, PictureSize requested, Mirrors mirrors) {
  const PictureSize size = CalculatedSize(requested, mirrors);
  const float aspect = size.width > 0 ? static_cast<float>(size.height) / static_cast<float>(size.width) : 1.0f;
  return DocumentText(document, aspect);
}

std::optional<Bitmap> RenderExportPicture(const PlotDocument& document, const Palette& palette, PictureSize requested,
                                          Mirrors mirrors, const RowProgress& progress, std::stop_token stop) {
  const PictureSize size = CalculatedSize(requested, mirrors);
  std::optional<RenderedPicture> rendered =
      RenderDocument(document, size.width, size.height, std::nullopt, progress, 0, std::move(stop));
  if (!rendered) return std::nullopt;
  Bitmap picture = std::move(rendered->picture);
  picture.palette = palette;
  if (mirrors.Any()) MirrorBitmap(picture, mirrors.horizontal, mirrors.vertical);
  return picture;
}

}  // namespace vorla
