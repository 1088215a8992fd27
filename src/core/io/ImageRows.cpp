#include "core/io/ImageRows.h"

namespace vorla {

ImageWriteError ImageWriteFailure(const std::filesystem::path& path, const std::string& reason) {
  return ImageWriteError(path, "No se pudo guardar \"", "\": " + reason);
}

std::exception_ptr ImageFileFailure(const std::filesystem::path& path, const std::string& reason) {
  return std::make_exception_ptr(ImageWriteFailure(path, reason));
}

void RequireWritable(const Bitmap& bitmap, const std::filesystem::path& path) {
  if (bitmap.Empty()) throw ImageWriteFailure(path, "la imagen est\xE1 vac\xED" "a");
  const int bits = bitmap.BitsPerPixel();
  if (bits != 8 && bits != 24 && bits != 32)
    throw ImageWriteFailure(path, "imagen de " + std::to_string(bits) + " bits por p\xEDxel no admitida");
}

void RowToRgb(const Bitmap& bitmap, int y, std::uint8_t* rgb) {
  const std::uint8_t* row = bitmap.Row(y);
  const int width = bitmap.Width();
  if (bitmap.BitsPerPixel() == 8) {
    for (int x = 0; x < width; ++x, rgb += 3) {
      const Rgb& color = bitmap.palette[row[x]];
      rgb[0] = color.red;
      rgb[1] = color.green;
      rgb[2] = color.blue;
    }
    return;
  }
  const int step = bitmap.BitsPerPixel() / 8;
  for (int x = 0; x < width; ++x, rgb += 3, row += step) {
    rgb[0] = row[2];
    rgb[1] = row[1];
    rgb[2] = row[0];
  }
}

}  // namespace vorla
