#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include <png.h>

#include "core/io/ImageRows.h"
#include "core/io/ImageWriter.h"
#include "core/io/PictureSink.h"
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

// libpng is called only from the frames that set its jump (Start, Write,
// End); a failure returns false from them, and the caller abandons the file.
class PngSink final : public PictureSink {
 public:
  PngSink(const std::filesystem::path& path, const SinkPicture& picture, std::string_view documentText)
      : out_(path, ImageFileFailure), errors_{out_.File(), 0, false, {}}, text_(documentText) {
    png_ = png_create_write_struct(PNG_LIBPNG_VER_STRING, &errors_, OnPngError, OnPngWarning);
    if (!png_) out_.Fail(SystemErrorText(ENOMEM));
    if (!Start(picture)) Abandon();
  }
  ~PngSink() override { png_destroy_write_struct(&png_, &info_); }
  PngSink(const PngSink&) = delete;
  PngSink& operator=(const PngSink&) = delete;

  void WriteRows(const Bitmap& band) override {
    if (!Write(band)) Abandon();
  }

  void Finish() override {
    if (!End()) Abandon();
    png_destroy_write_struct(&png_, &info_);
    out_.Commit();
  }

 private:
  bool Start(const SinkPicture& picture) {
    info_ = png_create_info_struct(png_);
    if (setjmp(png_jmpbuf(png_))) return false;
    if (!info_) png_error(png_, "Out of memory");
    png_set_write_fn(png_, &errors_, WriteData, FlushData);
    // The library's own default stops at a million pixels a side; the format
    // goes to 2^31 - 1 (the PNG row of the picture formats).
    png_set_user_limits(png_, PNG_UINT_31_MAX, PNG_UINT_31_MAX);

    const bool paletted = picture.bitsPerPixel == 8;
    png_set_IHDR(png_, info_, static_cast<png_uint_32>(picture.width), static_cast<png_uint_32>(picture.height), 8,
                 paletted ? PNG_COLOR_TYPE_PALETTE : PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    if (paletted) {
      png_color colors[256];
      for (int i = 0; i < 256; ++i) {
        colors[i].red = picture.palette[static_cast<std::size_t>(i)].red;
        colors[i].green = picture.palette[static_cast<std::size_t>(i)].green;
        colors[i].blue = picture.palette[static_cast<std::size_t>(i)].blue;
      }
      png_set_PLTE(png_, info_, colors, 256);
    }
    // Before the image data, so a reader finds it without decoding the picture.
    png_text chunk{};
    if (!text_.empty()) {
      chunk.compression = PNG_ITXT_COMPRESSION_zTXt;
      chunk.key = const_cast<char*>(kPictureTextKeyword);
      chunk.text = text_.data();
      png_set_text(png_, info_, &chunk, 1);
    }
    png_write_info(png_, info_);
    if (!paletted) {
      png_set_bgr(png_);
      if (picture.bitsPerPixel == 32) png_set_filler(png_, 0, PNG_FILLER_AFTER);
    }
    return true;
  }

  bool Write(const Bitmap& band) {
    if (setjmp(png_jmpbuf(png_))) return false;
    for (int y = 0; y < band.Height(); ++y) png_write_row(png_, band.Row(y));
    return true;
  }

  bool End() {
    if (setjmp(png_jmpbuf(png_))) return false;
    png_write_end(png_, info_);
    return true;
  }

  [[noreturn]] void Abandon() {
    png_destroy_write_struct(&png_, &info_);
    out_.Fail(errors_.message);
  }

  SafeFileOutput out_;
  PngErrors errors_;
  std::string text_;
  png_structp png_ = nullptr;
  png_infop info_ = nullptr;
};

}  // namespace

std::unique_ptr<PictureSink> OpenPngSink(const std::filesystem::path& path, const SinkPicture& picture,
                                         std::string_view documentText) {
  RequireWritable(picture.width, picture.height, picture.bitsPerPixel, path);
  return std::make_unique<PngSink>(path, picture, documentText);
}

void WritePng(const Bitmap& bitmap, const std::filesystem::path& path, std::string_view documentText) {
  WriteThroughSink(*OpenPngSink(path, {bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel(), bitmap.palette},
                                documentText),
                   bitmap);
}

}  // namespace vorla
