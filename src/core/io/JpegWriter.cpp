#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
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
// A marker holds at most 65533 bytes: longer texts go in several, in order.
// Byte by byte, so that no frame the library's longjmp may skip owns memory.
void WriteDocumentMarkers(j_compress_ptr cinfo, std::string_view text) {
  constexpr std::size_t kMarkerBytes = 65533;
  const std::string_view keyword(kPictureTextKeyword, sizeof kPictureTextKeyword);  // with its NUL
  const std::size_t piece = kMarkerBytes - keyword.size();
  for (std::size_t at = 0; at < text.size(); at += piece) {
    const std::string_view part = text.substr(at, piece);
    jpeg_write_m_header(cinfo, JPEG_COM, static_cast<unsigned int>(keyword.size() + part.size()));
    for (const char c : keyword) jpeg_write_m_byte(cinfo, static_cast<unsigned char>(c));
    for (const char c : part) jpeg_write_m_byte(cinfo, static_cast<unsigned char>(c));
  }
}

bool Compress(std::FILE* file, const Bitmap& bitmap, const JpegOptions& options, std::string_view documentText,
              std::uint8_t* rgb, JpegErrors& errors) {
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
  WriteDocumentMarkers(&cinfo, documentText);
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

void WriteJpeg(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options,
               std::string_view documentText) {
  RequireWritable(bitmap, path);
  std::vector<std::uint8_t> rgb(static_cast<std::size_t>(bitmap.Width()) * 3);
  SafeFileOutput out(path, ImageFileFailure);
  JpegErrors errors{};
  if (!Compress(out.File(), bitmap, options, documentText, rgb.data(), errors)) out.Fail(FailureText(errors));
  out.Commit();
}

}  // namespace vorla
