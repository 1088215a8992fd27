#pragma once
// Picture files: Windows bitmap, JPEG and PNG (the table of types is
// PictureFormats). Every writer goes through a
// temporary file in the target's folder that is renamed over the target only
// once complete, so a failure never leaves a half-written picture behind.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string_view>

#include "core/io/Bitmap.h"
#include "core/io/FileError.h"

namespace vorla {

// The picture could not be written; the message is Spanish.
class ImageWriteError : public FileError {
 public:
  using FileError::FileError;
};

struct JpegOptions {
  bool gray = false;
  int quality = 81;  // 1..100; 81 is where the export dialog starts
  bool progressive = false;
};

// 8-bit pictures are written paletted (pixel bytes are the palette indices),
// 24- and 32-bit ones as 24-bit colour. Other depths and empty pictures
// raise ImageWriteError, as does any failure to create or write the file.
void WriteBmp(const Bitmap& bitmap, const std::filesystem::path& path);
// Bytes of the BMP file WriteBmp makes of a picture of this size and depth;
// nothing when the file would be beyond the format's 32-bit sizes (WriteBmp
// then refuses it rather than write sizes that wrap).
std::optional<std::uint32_t> BmpFileSize(int width, int height, int bitsPerPixel);
// A PNG or JPEG carries the plot document that made it, when one is given
// (the ".vlx" text, UTF-8): PNG in an iTXt chunk under kPictureTextKeyword,
// JPEG in comment markers, each the keyword, a NUL and a piece of the text.
void WritePng(const Bitmap& bitmap, const std::filesystem::path& path, std::string_view documentText = {});
// Colour or greyscale; all settings beyond the options stay at the library's defaults.
void WriteJpeg(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options = {},
               std::string_view documentText = {});

// The PNG text keyword under which pictures carry their document.
inline constexpr char kPictureTextKeyword[] = "Vorlascope";

}  // namespace vorla
