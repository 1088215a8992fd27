#include "core/io/PictureFormats.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <climits>
#include <cstring>
#include <vector>

#include "core/io/GifWriter.h"
#include "core/io/ImageRows.h"

namespace vorla {
namespace {

void BmpRow(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions&, std::string_view) {
  WriteBmp(bitmap, path);
}
void GifRow(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions&, std::string_view) {
  WriteGif(bitmap, path);
}
void PngRow(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions&, std::string_view text) {
  WritePng(bitmap, path, text);
}

std::unique_ptr<PictureSink> BmpSinkRow(const std::filesystem::path& path, const SinkPicture& picture,
                                        const JpegOptions&, std::string_view) {
  return OpenBmpSink(path, picture);
}
std::unique_ptr<PictureSink> PngSinkRow(const std::filesystem::path& path, const SinkPicture& picture,
                                        const JpegOptions&, std::string_view text) {
  return OpenPngSink(path, picture, text);
}

constexpr std::array kFormats = {
    PictureFormat{ImageFormat::kBmp, ".bmp", "", "BMP", INT_MAX, false, BmpRow, BmpSinkRow},
    PictureFormat{ImageFormat::kJpeg, ".jpg", ".jpeg", "JPEG", 65500, true, WriteJpeg, OpenJpegSink},
    PictureFormat{ImageFormat::kPng, ".png", "", "PNG", 2147483647, false, PngRow, PngSinkRow},
    PictureFormat{ImageFormat::kGif, ".gif", "", "GIF", 65535, false, GifRow, nullptr},
};

std::string Lower(std::string text) {
  std::transform(text.begin(), text.end(), text.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return text;
}

}  // namespace

std::span<const PictureFormat> PictureFormats() { return kFormats; }

const PictureFormat& FormatInfo(ImageFormat format) {
  return *std::find_if(kFormats.begin(), kFormats.end(), [format](const PictureFormat& row) { return row.format == format; });
}

std::optional<ImageFormat> ImageFormatFromPath(const std::filesystem::path& path) {
  const std::string extension = Lower(path.extension().string());
  for (const PictureFormat& row : kFormats)
    if (extension == row.extension || (!row.alsoNamed.empty() && extension == row.alsoNamed)) return row.format;
  return std::nullopt;
}

std::string ExtensionList(std::string_view lastJoin) {
  std::vector<std::string_view> names;
  for (const PictureFormat& row : kFormats) {
    names.push_back(row.extension);
    if (!row.alsoNamed.empty()) names.push_back(row.alsoNamed);
  }
  std::string list;
  for (std::size_t i = 0; i < names.size(); ++i) {
    if (i > 0) list += i + 1 == names.size() ? lastJoin : std::string_view(", ");
    list += names[i];
  }
  return list;
}

namespace {

const PictureFormat& FormatOfPath(const std::filesystem::path& path) {
  const std::optional<ImageFormat> format = ImageFormatFromPath(path);
  if (!format) throw ImageWriteFailure(path, "formato desconocido (se admiten " + ExtensionList(" y ") + ")");
  return FormatInfo(*format);
}

}  // namespace

std::unique_ptr<PictureSink> OpenPictureSink(const std::filesystem::path& path, const SinkPicture& picture,
                                             const JpegOptions& options, std::string_view documentText) {
  const PictureFormat& row = FormatOfPath(path);
  if (!row.openSink)
    throw ImageWriteFailure(path, "el formato " + std::string(row.name) + " solo se escribe de una vez");
  return row.openSink(path, picture, options, documentText);
}

void WriteImage(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options,
                std::string_view documentText) {
  FormatOfPath(path).write(bitmap, path, options, documentText);
}

bool WriteImage(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options,
                std::string_view documentText, std::stop_token stop) {
  const PictureFormat& row = FormatOfPath(path);
  if (!row.openSink) {
    if (stop.stop_requested()) return false;
    row.write(bitmap, path, options, documentText);
    return true;
  }
  const auto sink = row.openSink(
      path, {bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel(), bitmap.palette}, options, documentText);
  // About a megabyte a band: a stop is seen within a few milliseconds.
  constexpr int kBandBytes = 1 << 20;
  const int rows = std::max(1, kBandBytes / std::max(bitmap.Stride(), 1));
  Bitmap band;
  for (int done = 0; done < bitmap.Height();) {
    if (stop.stop_requested()) return false;
    const int count = std::min(rows, bitmap.Height() - done);
    const int first = sink->BottomUp() ? bitmap.Height() - done - count : done;
    if (band.Height() != count) band.Resize(bitmap.Width(), count, bitmap.BitsPerPixel());
    std::memcpy(band.Row(0), bitmap.Row(first), static_cast<std::size_t>(count) * bitmap.Stride());
    sink->WriteRows(band);
    done += count;
  }
  if (stop.stop_requested()) return false;
  sink->Finish();
  return true;
}

}  // namespace vorla
