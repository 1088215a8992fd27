#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <vector>

#include <jpeglib.h>

#include "core/io/ImageRows.h"
#include "core/io/ImageWriter.h"
#include "core/io/SafeFileOutput.h"

namespace vorla {
namespace {

// libjpeg ends the process on an error unless error_exit leaves by other
// means. It is C code, so we leave with longjmp rather than an exception, and
// the frame that calls setjmp holds nothing that needs destroying.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  char message[JMSG_LENGTH_MAX];
};

void OnJpegError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  (*cinfo->err->format_message)(cinfo, errors->message);
  std::longjmp(errors->jump, 1);
}

void IgnoreJpegMessage(j_common_ptr) {}

// False, with errors.message, when the library failed.
bool Compress(std::FILE* file, const Bitmap& bitmap, const JpegOptions& options, std::uint8_t* rgb,
              JpegErrors& errors) {
  jpeg_compress_struct cinfo;
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnJpegError;
  errors.manager.output_message = IgnoreJpegMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_compress(&cinfo);
    return false;
  }
  jpeg_create_compress(&cinfo);
  jpeg_stdio_dest(&cinfo, file);
  cinfo.image_width = static_cast<JDIMENSION>(bitmap.Width());
  cinfo.image_height = static_cast<JDIMENSION>(bitmap.Height());
  cinfo.input_components = 3;
  cinfo.in_color_space = JCS_RGB;
  jpeg_set_defaults(&cinfo);
  if (options.gray) jpeg_set_colorspace(&cinfo, JCS_GRAYSCALE);
  jpeg_set_quality(&cinfo, options.quality < 1 ? 1 : options.quality > 100 ? 100 : options.quality, TRUE);
  if (options.progressive) jpeg_simple_progression(&cinfo);
  jpeg_start_compress(&cinfo, TRUE);
  while (cinfo.next_scanline < cinfo.image_height) {
    RowToRgb(bitmap, static_cast<int>(cinfo.next_scanline), rgb);
    JSAMPROW row = rgb;
    jpeg_write_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_compress(&cinfo);
  jpeg_destroy_compress(&cinfo);
  return true;
}

}  // namespace

void WriteJpeg(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options) {
  RequireWritable(bitmap, path);
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(bitmap.Width()) * 3);
  SafeFileOutput out(path, ImageFileFailure);
  JpegErrors errors{};
  if (!Compress(out.File(), bitmap, options, rgb.data(), errors)) out.Fail(errors.message);
  out.Commit();
}

}  // namespace vorla
