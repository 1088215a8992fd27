#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "core/io/ImageRows.h"
#include "core/io/ImageWriter.h"
#include "core/io/SafeFileOutput.h"
#include "core/io/SystemErrorText.h"

namespace vorla {
namespace {

// libjpeg ends the process on an error unless error_exit leaves by other
// means. It is C code, so we leave with longjmp rather than an exception, and
// the frame that calls setjmp holds nothing that needs destroying.
struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  int systemError;  // errno when the library gave up, for its write errors
};

void OnJpegError(j_common_ptr cinfo) {
  auto* errors = reinterpret_cast<JpegErrors*>(cinfo->err);
  errors->systemError = errno;
  std::longjmp(errors->jump, 1);
}

// The library words its messages in English: the ones a picture can meet get
// a Spanish text, the rest a generic one with the library's number.
std::string FailureText(const JpegErrors& errors) {
  switch (errors.manager.msg_code) {
    case JERR_FILE_WRITE:
      return errors.systemError != 0 ? SystemErrorText(errors.systemError) : "no se pudo escribir el archivo";
    case JERR_OUT_OF_MEMORY: return SystemErrorText(ENOMEM);
    case JERR_IMAGE_TOO_BIG:
      return "el formato JPEG admite hasta " + std::to_string(errors.manager.msg_parm.i[0]) +
             " p\xEDxeles de ancho y de alto";
    case JERR_WIDTH_OVERFLOW: return "la imagen es demasiado ancha para el formato JPEG";
    default:
      return "la biblioteca JPEG no pudo comprimir la imagen (error " +
             std::to_string(errors.manager.msg_code) + ")";
  }
}

void IgnoreJpegMessage(j_common_ptr) {}

// False, with the library's error code in errors, when the library failed.
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
  if (!Compress(out.File(), bitmap, options, rgb.data(), errors)) out.Fail(FailureText(errors));
  out.Commit();
}

}  // namespace vorla
