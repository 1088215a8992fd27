#include "core/io/PictureLimits.h"

#include <algorithm>
#include <climits>
#include <fstream>
#include <string>

namespace vorla {
namespace {

constexpr std::uint64_t kMegabyte = 1024 * 1024;

std::string SizeText(std::int64_t width, std::int64_t height) {
  return std::to_string(width) + " x " + std::to_string(height) + " p\xEDxeles";
}

PictureSizeError TooLarge(std::int64_t width, std::int64_t height, const std::string& limit) {
  return PictureSizeError("La imagen de " + SizeText(width, height) + " es demasiado grande: " + limit);
}

std::string MaxSideText(std::string_view format, std::int64_t side) {
  return "el formato " + std::string(format) + " admite hasta " + std::to_string(side) +
         " p\xEDxeles de ancho y de alto";
}

}  // namespace

std::int64_t BitmapStride(std::int64_t width, int bitsPerPixel) {
  return (width * (bitsPerPixel > 0 ? bitsPerPixel : 8) + 31) / 32 * 4;
}

PictureSizeError RowTooLong(std::int64_t width, std::int64_t height) {
  return TooLarge(width, height, "una fila de la imagen no puede pasar de 2 GB");
}

PictureSizeError NoMemoryFor(std::int64_t width, std::int64_t height) {
  return PictureSizeError("No hay memoria suficiente para la imagen de " + SizeText(width, height));
}

std::optional<std::uint64_t> AvailableMemory() {
  std::ifstream meminfo("/proc/meminfo");
  std::string key;
  std::uint64_t kilobytes = 0;
  std::string unit;
  while (meminfo >> key >> kilobytes >> unit)
    if (key == "MemAvailable:") return kilobytes * 1024;
  return std::nullopt;
}

namespace {

void CheckFormatLimits(std::int64_t width, std::int64_t height, ImageFormat format, int bitsPerPixel) {
  const PictureFormat& row = FormatInfo(format);
  // A BMP side beyond 32 bits makes a file beyond 4 GB anyway.
  if (format == ImageFormat::kBmp && (width > row.maxSide || height > row.maxSide ||
                                      !BmpFileSize(static_cast<int>(width), static_cast<int>(height), bitsPerPixel)))
    throw TooLarge(width, height, "un archivo BMP no puede pasar de 4 GB");
  if (width > row.maxSide || height > row.maxSide)
    throw TooLarge(width, height, MaxSideText(row.name, row.maxSide));
  if (BitmapStride(width, bitsPerPixel) > kMaxRowBytes) throw RowTooLong(width, height);
}

void CheckMemory(std::int64_t width, std::int64_t height, std::uint64_t bytes) {
  const std::optional<std::uint64_t> available = AvailableMemory();
  if (available && bytes > *available)
    throw PictureSizeError(NoMemoryFor(width, height).what() + std::string(": necesita ") +
                           std::to_string((bytes + kMegabyte - 1) / kMegabyte) + " MB y hay " +
                           std::to_string(*available / kMegabyte) + " MB disponibles");
}

}  // namespace

void CheckOwnPictureSize(std::int64_t width, std::int64_t height) {
  if (width > kMaxOwnPictureSide || height > kMaxOwnPictureSide)
    throw TooLarge(width, height,
                   "una imagen se dibuja otra vez a su propio tama\xF1o hasta " + std::to_string(kMaxOwnPictureSide) +
                       " x " + std::to_string(kMaxOwnPictureSide) + " p\xEDxeles");
}

void CheckPictureSize(std::int64_t width, std::int64_t height, ImageFormat format, int bitsPerPixel) {
  if (width <= 0 || height <= 0) return;
  CheckFormatLimits(width, height, format, bitsPerPixel);
  CheckMemory(width, height, static_cast<std::uint64_t>(BitmapStride(width, bitsPerPixel)) *
                                 static_cast<std::uint64_t>(height));
}

void CheckBandedPictureSize(std::int64_t width, std::int64_t height, ImageFormat format, std::int64_t bandRows,
                            const JpegOptions& jpeg) {
  if (width <= 0 || height <= 0) return;
  CheckFormatLimits(width, height, format, 8);
  std::uint64_t bytes = static_cast<std::uint64_t>(BitmapStride(width, 8)) *
                        static_cast<std::uint64_t>(std::min(bandRows, height));
  // Two bytes per sample, chroma at a quarter of the pixels.
  if (format == ImageFormat::kJpeg && jpeg.progressive)
    bytes += static_cast<std::uint64_t>(width) * static_cast<std::uint64_t>(height) * (jpeg.gray ? 2 : 3);
  CheckMemory(width, height, bytes);
}

}  // namespace vorla
