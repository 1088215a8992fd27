#include "core/io/ImageRows.h"

namespace vorla {

ImageWriteError ImageWriteFailure(const std::filesystem::path& path, const std::string& reason) {
  return ImageWriteError(path, "No se pudo guardar \"", "\": " + reason);
}

std::exception_ptr ImageFileFailure(const std::filesystem::path& path, const std::string& reason) {
  return std::make_exception_ptr(ImageWriteFailure(path, reason));
}

void RequireWritable(int width, int height, int bits, const std::filesystem::path& path) {
  if (width <= 0 || height <= 0) throw ImageWriteFailure(path, "la imagen est\xE1 vac\xED" "a");
  if (bits != 8 && bits != 24 && bits != 32)
    throw ImageWriteFailure(path, "imagen de " + std::to_string(bits) + " bits por p\xEDxel no admitida");
}

void RowToRgb(const std::uint8_t* row, int width, int bitsPerPixel, const Palette& palette, std::uint8_t* rgb) {
  if (bitsPerPixel == 8) {
    for (int x = 0; x < width; ++x, rgb += 3) {
      const Rgb& color = palette[row[x]];
      rgb[0] = color.red;
      rgb[1] = color.green;
      rgb[2] = color.blue;
    }
    return;
  }
  const int step = bitsPerPixel / 8;
  for (int x = 0; x < width; ++x, rgb += 3, row += step) {
    rgb[0] = row[2];
    rgb[1] = row[1];
    rgb[2] = row[0];
  }
}

}  // namespace vorla
