#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include <jpeglib.h>
#include <jerror.h>

#include "core/io/ImageRows.h"
#include "core/io/ImageWriter.h"
#include "core/io/PictureSink.h"
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

// libjpeg is called only from the frames that set its jump (Start, Write,
// End); a failure returns false from them, and the caller abandons the file.
class JpegSink final : public PictureSink {
 public:
  JpegSink(const std::filesystem::path& path, const SinkPicture& picture, const JpegOptions& options,
           std::string_view documentText)
      : out_(path, ImageFileFailure),
        picture_(picture),
        rgb_(static_cast<std::size_t>(picture.width) * 3) {
    cinfo_.err = jpeg_std_error(&errors_.manager);
    errors_.manager.error_exit = OnJpegError;
    errors_.manager.output_message = IgnoreJpegMessage;
    if (!Start(options, documentText)) Abandon();
  }
  ~JpegSink() override { jpeg_destroy_compress(&cinfo_); }
  JpegSink(const JpegSink&) = delete;
  JpegSink& operator=(const JpegSink&) = delete;

  void WriteRows(const Bitmap& band) override {
    if (!Write(band)) Abandon();
  }

  void Finish() override {
    if (!End()) Abandon();
    jpeg_destroy_compress(&cinfo_);
    out_.Commit();
  }

 private:
  bool Start(const JpegOptions& options, std::string_view documentText) {
    if (setjmp(errors_.jump)) return false;
    jpeg_create_compress(&cinfo_);
    jpeg_stdio_dest(&cinfo_, out_.File());
    cinfo_.image_width = static_cast<JDIMENSION>(picture_.width);
    cinfo_.image_height = static_cast<JDIMENSION>(picture_.height);
    cinfo_.input_components = 3;
    cinfo_.in_color_space = JCS_RGB;
    jpeg_set_defaults(&cinfo_);
    if (options.gray) jpeg_set_colorspace(&cinfo_, JCS_GRAYSCALE);
    jpeg_set_quality(&cinfo_, options.quality < 1 ? 1 : options.quality > 100 ? 100 : options.quality, TRUE);
    if (options.progressive) jpeg_simple_progression(&cinfo_);
    jpeg_start_compress(&cinfo_, TRUE);
    WriteDocumentMarkers(&cinfo_, documentText);
    return true;
  }

  bool Write(const Bitmap& band) {
    if (setjmp(errors_.jump)) return false;
    for (int y = 0; y < band.Height(); ++y) {
      RowToRgb(band.Row(y), picture_.width, picture_.bitsPerPixel, picture_.palette, rgb_.data());
      JSAMPROW row = rgb_.data();
      jpeg_write_scanlines(&cinfo_, &row, 1);
    }
    return true;
  }

  bool End() {
    if (setjmp(errors_.jump)) return false;
    jpeg_finish_compress(&cinfo_);
    return true;
  }

  [[noreturn]] void Abandon() {
    jpeg_destroy_compress(&cinfo_);
    out_.Fail(FailureText(errors_));
  }

  SafeFileOutput out_;
  SinkPicture picture_;
  std::vector<std::uint8_t> rgb_;
  JpegErrors errors_{};
  jpeg_compress_struct cinfo_{};  // zeroed: destroying it before creation does nothing
};

}  // namespace

std::unique_ptr<PictureSink> OpenJpegSink(const std::filesystem::path& path, const SinkPicture& picture,
                                          const JpegOptions& options, std::string_view documentText) {
  RequireWritable(picture.width, picture.height, picture.bitsPerPixel, path);
  return std::make_unique<JpegSink>(path, picture, options, documentText);
}

void WriteJpeg(const Bitmap& bitmap, const std::filesystem::path& path, const JpegOptions& options,
               std::string_view documentText) {
  WriteThroughSink(*OpenJpegSink(path, {bitmap.Width(), bitmap.Height(), bitmap.BitsPerPixel(), bitmap.palette},
                                 options, documentText),
                   bitmap);
}

}  // namespace vorla
