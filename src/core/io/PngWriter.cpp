#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <string>
#include <string_view>

#include <png.h>

#include "core/io/ImageRows.h"
#include "core/io/ImageWriter.h"
#include "core/io/SafeFileOutput.h"
#include "core/io/SystemErrorText.h"

namespace vorla {
namespace {

// libpng reports errors through a handler that must not return; it leaves by
// longjmp to the setjmp below, whose frame holds nothing that needs destroying.
// The file is written through WriteData, so a failed write keeps its errno.
struct PngErrors {
  std::FILE* file;
  int systemError;     // errno of a failed write, else 0
  bool sizeRefused;    // a warning found the width or height beyond the limits
  char message[256];   // the Spanish reason (core text)
};

bool SpeaksOfSize(std::string_view text) {
  return text.find("width") != std::string_view::npos || text.find("height") != std::string_view::npos;
}

void SetMessage(PngErrors& errors, const std::string& reason) {
  std::snprintf(errors.message, sizeof errors.message, "%s", reason.c_str());
}

// The library words its messages in English; those a picture can meet get
// a Spanish text. A size beyond its limits is named in a warning just
// before the error, which only says the header is invalid.
void OnPngError(png_structp png, png_const_charp message) {
  auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
  const std::string_view text = message;
  if (errors->systemError != 0)
    SetMessage(*errors, SystemErrorText(errors->systemError));
  else if (text.find("memory") != std::string_view::npos)
    SetMessage(*errors, SystemErrorText(ENOMEM));
  else if (errors->sizeRefused || SpeaksOfSize(text))
    SetMessage(*errors, "la imagen es demasiado grande para el formato PNG");
  else
    SetMessage(*errors, "la biblioteca PNG no pudo comprimir la imagen");
  png_longjmp(png, 1);
}

void WriteData(png_structp png, png_bytep data, png_size_t length) {
  auto* errors = static_cast<PngErrors*>(png_get_io_ptr(png));
  if (std::fwrite(data, 1, length, errors->file) != length) {
    errors->systemError = errno;
    png_error(png, "Write Error");
  }
}

// Buffered bytes reach the file at Commit, which reports its own failures.
void FlushData(png_structp) {}

void OnPngWarning(png_structp png, png_const_charp message) {
  auto* errors = static_cast<PngErrors*>(png_get_error_ptr(png));
  if (SpeaksOfSize(message)) errors->sizeRefused = true;
}

bool Compress(const Bitmap& bitmap, const std::string& documentText, PngErrors& errors) {
  png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors, OnPngError, OnPngWarning);
  if (!png) {
    SetMessage(errors, SystemErrorText(ENOMEM));
    return false;
  }
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_write_struct(&png, &info);
    return false;
  }
  if (!info) png_error(png, "Out of memory");
  png_set_write_fn(png, &errors, WriteData, FlushData);
  // The library's own default stops at a million pixels a side; the format
  // goes to 2^31 - 1 (the PNG row of the picture formats).
  png_set_user_limits(png, PNG_UINT_31_MAX, PNG_UINT_31_MAX);

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
  // Before the image data, so a reader finds it without decoding the picture.
  png_text chunk{};
  if (!documentText.empty()) {
    chunk.compression = PNG_ITXT_COMPRESSION_zTXt;
    chunk.key = const_cast<char*>(kPictureTextKeyword);
    chunk.text = const_cast<char*>(documentText.c_str());
    png_set_text(png, info, &chunk, 1);
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

void WritePng(const Bitmap& bitmap, const std::filesystem::path& path, std::string_view documentText) {
  RequireWritable(bitmap, path);
  SafeFileOutput out(path, ImageFileFailure);
  PngErrors errors{out.File(), 0, false, {}};
  if (!Compress(bitmap, std::string(documentText), errors)) out.Fail(errors.message);
  out.Commit();
}

}  // namespace vorla
