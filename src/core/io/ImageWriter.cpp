#include "core/io/ImageWriter.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "core/io/ImageRows.h"

namespace vorla {

std::optional<ImageFormat> ImageFormatFromPath(const std::filesystem::path& path) {
  std::string extension = path.extension().string();
  std::transform(extension.begin(), extension.end(), extension.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  if (extension == ".bmp") return ImageFormat::Bmp;
  if (extension == ".jpg" || extension == ".jpeg") return ImageFormat::Jpeg;
  if (extension == ".png") return ImageFormat::Png;
  return std::nullopt;
}

void WriteImage(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options) {
  const auto format = ImageFormatFromPath(path);
  if (!format) throw ImageWriteFailure(path, "formato desconocido (se admiten .bmp, .jpg, .jpeg y .png)");
  switch (*format) {
    case ImageFormat::Bmp: WriteBmp(bitmap, path); break;
    case ImageFormat::Jpeg: WriteJpeg(bitmap, path, options); break;
    case ImageFormat::Png: WritePng(bitmap, path); break;
  }
}

}  // namespace vorla
