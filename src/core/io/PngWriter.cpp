#include <csetjmp>
#include <cstdio>
#include <cstring>

#include <png.h>

#include "core/io/ImageRows.h"
#include "core/io/ImageWriter.h"
#include "core/io/SafeFileOutput.h"

namespace vorla {
namespace {

// libpng reports errors through a handler that must not return; it leaves by
// longjmp to the setjmp below, whose frame holds nothing that needs destroying.
struct PngErrors {
  char message[256];
};

void OnPngError(png_structp png, png_const_charp message) {
  auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
  std::snprintf(errors->message, sizeof errors->message, "%s", message);
  png_longjmp(png, 1);
}

void IgnorePngWarning(png_structp, png_const_charp) {}

bool Compress(std::FILE* file, const Bitmap& bitmap, PngErrors& errors) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors, OnPngError, IgnorePngWarning);
  if (!png) {
    std::snprintf(errors.message, sizeof errors.message, "%s", "sin memoria");
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  if (!info) png_error(png, "sin memoria");
  png_init_io(png, file);

  const int bits = bitmap.BitsPerPixel();
  const bool paletted = bits == 8;
  png_set_IHDR(png, info, static_cast<png_uint_32>(bitmap.Width()), static_cast<png_uint_32>(bitmap.Height()), 8,
               paletted ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
               PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
  if (paletted) {
    png_color colors[256];
    for (int i = 0; i < 256; ++i) {
      colors[i].red = bitmap.palette[static_cast<std::size_t>(i)].red;
      colors[i].green = bitmap.palette[static_cast<std::size_t>(i)].green;
      colors[i].blue = bitmap.palette[static_cast<std::size_t>(i)].blue;
    }
    png_set_PLTE(png, info, colors, 256);
  }
  png_write_info(png, info);
  if (!paletted) {
    png_set_bgr(png);
    if (bits == 32) png_set_filler(png, 0, PNG_FILLER_AFTER);
  }
  for (int y = 0; y < bitmap.Height(); ++y) png_write_row(png, bitmap.Row(y));
  png_write_end(png, info);
  png_destroy_write_struct(&png, &info);
  return true;
}

}  // namespace

void WritePng(const Bitmap& bitmap, const std::filesystem::path& path) {
  RequireWritable(bitmap, path);
  SafeFileOutput out(path, ImageFileFailure);
  PngErrors errors{};
  if (!Compress(out.File(), bitmap, errors)) out.Fail(errors.message);
  out.Commit();
}

}  // namespace vorla
