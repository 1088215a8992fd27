#pragma once
// The picture file types the program writes, in one table that the writers,
// the size checks, the command-line tool and the export dialog share: a new
// type is one row here and its writer.

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <span>
#include <stop_token>
#include <string>
#include <string_view>

#include "core/io/Bitmap.h"
#include "core/io/ImageWriter.h"
#include "core/io/PictureSink.h"

namespace vorla {

enum class ImageFormat { kBmp, kJpeg, kPng, kGif };

struct PictureFormat {
  ImageFormat format;
  std::string_view extension;  // what the type's files are written with
  std::string_view alsoNamed;  // another extension read as this type, or empty
  std::string_view name;       // "JPEG", for messages
  std::int64_t maxSide;        // the format's largest width and height
  bool jpegOptions;            // quality, progressive and grey apply
  // documentText: the plot document the picture carries, where the type has room for it
  void (*write)(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options,
                std::string_view documentText);
  // The file written band by band (PictureSink); null for a type written only whole.
  std::unique_ptr<PictureSink> (*openSink)(const std::filesystem::path& path, const SinkPicture& picture,
                                           const JpegOptions& options, std::string_view documentText);
};

std::span<const PictureFormat> PictureFormats();
const PictureFormat& FormatInfo(ImageFormat format);

// By extension, without regard to letter case.
std::optional<ImageFormat> ImageFormatFromPath(const std::filesystem::path& path);

// Every extension of the table, ".bmp, .jpg, .jpeg or .png" with lastJoin " or ".
std::string ExtensionList(std::string_view lastJoin);

// The sink for the path's extension; raises ImageWriteError, creating
// nothing, for an unknown extension or a type written only whole.
std::unique_ptr<PictureSink> OpenPictureSink(const std::filesystem::path& path, const SinkPicture& picture,
                                             const JpegOptions& options = {}, std::string_view documentText = {});

// Writes in the format of the path's extension; an unknown extension raises
// ImageWriteError and creates nothing. The options apply where the row says;
// PNG and JPEG carry the document text, a BMP has no room for it.
void WriteImage(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options = {},
                std::string_view documentText = {});
// The same, a few rows at a time where the type is written in bands, looking
// at `stop` between them: false, with no file left, once it was requested.
bool WriteImage(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options,
                std::string_view documentText, std::stop_token stop);

}  // namespace vorla
