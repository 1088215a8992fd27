#include "core/io/PictureText.h"

#include <cerrno>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>

#include <jpeglib.h>
#include <png.h>

#include "core/io/ImageWriter.h"
#include "core/io/FigureDocumentText.h"
#include "core/io/SystemErrorText.h"

namespace vorla {
namespace {

using File = std::unique_ptr<std::FILE, int (*)(std::FILE*)>;

PictureReadError ReadFailure(const std::filesystem::path& path, const std::string& reason) {
  return PictureReadError(path, "No se pudo leer la imagen \"", "\": " + reason);
}

File Open(const std::filesystem::path& path) { return File(std::fopen(path.c_str(), "rb"), std::fclose); }

// What reading a header found wrong.
enum class HeaderFault { kNone, kDamaged, kTextTooLong };

// Both libraries leave their error handlers by longjmp to a setjmp in the
// reading functions below, whose frames own nothing that needs destroying;
// what they find goes to the caller's PictureText.
void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }

// libpng drops a text chunk that inflates past its chunk limit with a
// warning that starts with the chunk's name.
void OnPngWarning(png_structp png, png_const_charp message) {
  const std::string_view text(message);
  if (text.starts_with("iTXt") || text.starts_with("zTXt") || text.starts_with("tEXt"))
    *static_cast<bool*>(png_get_error_ptr(png)) = true;
}

std::uint32_t BigEndian32(const unsigned char* bytes) {
  return std::uint32_t{bytes[0]} << 24 | std::uint32_t{bytes[1]} << 16 | std::uint32_t{bytes[2]} << 8 | bytes[3];
}

// Whether every text chunk before the pixels is within the limit, by the
// lengths in the chunk headers, so that libpng never reads a longer one whole.
bool PngTextChunksFit(std::FILE* file) {
  constexpr long kSignatureBytes = 8;
  if (std::fseek(file, kSignatureBytes, SEEK_SET) != 0) return true;
  unsigned char head[8];
  while (std::fread(head, 1, sizeof head, file) == sizeof head) {
    const std::uint32_t length = BigEndian32(head);
    const std::string_view type(reinterpret_cast<const char*>(head + 4), 4);
    if (type == "IDAT" || type == "IEND") break;
    if ((type == "iTXt" || type == "zTXt" || type == "tEXt") && length > kMaxPictureTextBytes) return false;
    // The chunk's data and its checksum.
    if (std::fseek(file, static_cast<long>(length) + 4, SEEK_CUR) != 0) break;
  }
  return true;
}

HeaderFault ReadPngHeader(std::FILE* file, PictureText& found) {
  if (!PngTextChunksFit(file)) return HeaderFault::kTextTooLong;
  std::rewind(file);
  bool textDropped = false;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, &textDropped, OnPngError, OnPngWarning);
  if (!png) return HeaderFault::kDamaged;
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return HeaderFault::kDamaged;
  }
  if (!info) png_error(png, "Out of memory");
  // A compressed text inflates only to the limit and the keyword before it.
  png_set_chunk_malloc_max(png, kMaxPictureTextBytes + 1024);
  png_init_io(png, file);
  png_read_info(png, info);
  found.width = static_cast<int>(png_get_image_width(png, info));
  found.height = static_cast<int>(png_get_image_height(png, info));
  png_textp texts = nullptr;
  const int count = png_get_text(png, info, &texts, nullptr);
  for (int i = 0; i < count; ++i)
    if (std::strcmp(texts[i].key, kPictureTextKeyword) == 0 && texts[i].text) found.text = texts[i].text;
  png_destroy_read_struct(&png, &info, nullptr);
  if (textDropped || (found.text && found.text->size() > kMaxPictureTextBytes)) return HeaderFault::kTextTooLong;
  return HeaderFault::kNone;
}

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
  bool textTooLong = false;
};

void OnJpegError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1); }
void IgnoreJpegMessage(j_common_ptr) {}

int NextJpegByte(j_decompress_ptr cinfo) {
  jpeg_source_mgr& source = *cinfo->src;
  // The standard file source never suspends: at the end it gives an end marker.
  if (source.bytes_in_buffer == 0 && !source.fill_input_buffer(cinfo)) return 0;
  --source.bytes_in_buffer;
  return *source.next_input_byte++;
}

// A comment marker as the header is read: the document's markers (each the
// keyword and its NUL first) are gathered in file order, others skipped
// unkept. Reading stops as soon as the document would pass the limit.
boolean ReadJpegComment(j_decompress_ptr cinfo) {
  auto& found = *static_cast<PictureText*>(cinfo->client_data);
  const int high = NextJpegByte(cinfo);
  long left = (high << 8 | NextJpegByte(cinfo)) - 2;
  // A plain array: the limit's error leaves this frame by longjmp.
  char head[sizeof kPictureTextKeyword];
  std::size_t headBytes = 0;
  for (; left > 0 && headBytes < sizeof head; --left) head[headBytes++] = static_cast<char>(NextJpegByte(cinfo));
  if (headBytes < sizeof head || std::memcmp(head, kPictureTextKeyword, sizeof head) != 0) {
    if (left > 0) cinfo->src->skip_input_data(cinfo, left);
    return TRUE;
  }
  std::string& text = found.text ? *found.text : found.text.emplace();
  if (text.size() + static_cast<std::size_t>(left) > kMaxPictureTextBytes) {
    reinterpret_cast<JpegErrors*>(cinfo->err)->textTooLong = true;
    cinfo->err->error_exit(reinterpret_cast<j_common_ptr>(cinfo));
  }
  for (; left > 0; --left) text.push_back(static_cast<char>(NextJpegByte(cinfo)));
  return TRUE;
}

HeaderFault ReadJpegHeader(std::FILE* file, PictureText& found) {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnJpegError;
  errors.manager.output_message = IgnoreJpegMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return errors.textTooLong ? HeaderFault::kTextTooLong : HeaderFault::kDamaged;
  }
  jpeg_create_decompress(&cinfo);
  cinfo.client_data = &found;
  jpeg_stdio_src(&cinfo, file);
  jpeg_set_marker_processor(&cinfo, JPEG_COM, ReadJpegComment);
  jpeg_read_header(&cinfo, TRUE);
  found.width = static_cast<int>(cinfo.image_width);
  found.height = static_cast<int>(cinfo.image_height);
  jpeg_destroy_decompress(&cinfo);
  return HeaderFault::kNone;
}

// The figure writer puts the document right after the <svg> tag, and a PDF
// keeps its XMP packet before its pages; a megabyte reaches either past any
// header another program might add.
void ReadFigureHeader(std::FILE* file, PictureText& found) {
  std::string head(std::size_t{1} << 20, '\0');
  head.resize(std::fread(head.data(), 1, head.size(), file));
  if (const std::optional<FigureDocument> document = ReadFigureDocument(head)) {
    found.width = document->width;
    found.height = document->height;
    found.text = document->text;
  }
}

}  // namespace

std::optional<PictureKind> PictureKindOf(const std::filesystem::path& path) {
  const File file = Open(path);
  if (!file) return std::nullopt;
  // Room for an SVG's byte-order mark and blank lines before its first tag.
  unsigned char head[64] = {};
  constexpr std::size_t kPngSignature = 8;
  const std::size_t count = std::fread(head, 1, sizeof head, file.get());
  if (count >= kPngSignature && png_sig_cmp(head, 0, kPngSignature) == 0) return PictureKind::kPng;
  if (count >= 3 && head[0] == 0xFF && head[1] == 0xD8 && head[2] == 0xFF) return PictureKind::kJpeg;
  const std::string_view text(reinterpret_cast<const char*>(head), count);
  if (LooksLikeSvg(text)) return PictureKind::kSvg;
  if (LooksLikePdf(text)) return PictureKind::kPdf;
  return std::nullopt;
}

PictureText ReadPictureText(const std::filesystem::path& path) {
  const auto kind = PictureKindOf(path);
  const File file = Open(path);
  if (!file) throw ReadFailure(path, SystemErrorText(errno));
  if (!kind) throw ReadFailure(path, "no es una imagen PNG ni JPEG");
  PictureText found;
  if (kind == PictureKind::kSvg || kind == PictureKind::kPdf) {
    ReadFigureHeader(file.get(), found);
    return found;
  }
  const bool png = kind == PictureKind::kPng;
  switch (png ? ReadPngHeader(file.get(), found) : ReadJpegHeader(file.get(), found)) {
    case HeaderFault::kNone:
      break;
    case HeaderFault::kDamaged:
      throw ReadFailure(path, png ? "el archivo PNG est\xE1 da\xF1" "ado" : "el archivo JPEG est\xE1 da\xF1" "ado");
    case HeaderFault::kTextTooLong:
      throw ReadFailure(path, "el texto que lleva pasa de " + std::to_string(kMaxPictureTextBytes / (1024 * 1024)) +
                                  " MB");
  }
  return found;
}

}  // namespace vorla
