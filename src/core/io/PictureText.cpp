#include "core/io/PictureText.h"

#include <cerrno>
#include <csetjmp>
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

// Both libraries leave their error handlers by longjmp to a setjmp in the
// reading functions below, whose frames own nothing that needs destroying;
// what they find goes to the caller's PictureText.
void OnPngError(png_structp png, png_const_charp) { png_longjmp(png, 1); }
void IgnorePngWarning(png_structp, png_const_charp) {}

bool ReadPngHeader(std::FILE* file, PictureText& found) {
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, OnPngError, IgnorePngWarning);
  if (!png) return false;
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    return false;
  }
  if (!info) png_error(png, "Out of memory");
  png_init_io(png, file);
  png_read_info(png, info);
  found.width = static_cast<int>(png_get_image_width(png, info));
  found.height = static_cast<int>(png_get_image_height(png, info));
  png_textp texts = nullptr;
  const int count = png_get_text(png, info, &texts, nullptr);
  for (int i = 0; i < count; ++i)
    if (std::strcmp(texts[i].key, kPictureTextKeyword) == 0 && texts[i].text) found.text = texts[i].text;
  png_destroy_read_struct(&png, &info, nullptr);
  return true;
}

struct JpegErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

void OnJpegError(j_common_ptr cinfo) { std::longjmp(reinterpret_cast<JpegErrors*>(cinfo->err)->jump, 1); }
void IgnoreJpegMessage(j_common_ptr) {}

// Our comment markers, in file order, each the keyword and its NUL first.
void CollectDocumentMarkers(const jpeg_decompress_struct& cinfo, PictureText& found) {
  const std::string_view keyword(kPictureTextKeyword, sizeof kPictureTextKeyword);
  for (jpeg_saved_marker_ptr marker = cinfo.marker_list; marker; marker = marker->next) {
    const std::string_view data(reinterpret_cast<const char*>(marker->data), marker->data_length);
    if (marker->marker != JPEG_COM || !data.starts_with(keyword)) continue;
    if (!found.text) found.text.emplace();
    found.text->append(data.substr(keyword.size()));
  }
}

bool ReadJpegHeader(std::FILE* file, PictureText& found) {
  jpeg_decompress_struct cinfo;
  JpegErrors errors;
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = OnJpegError;
  errors.manager.output_message = IgnoreJpegMessage;
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_save_markers(&cinfo, JPEG_COM, 0xFFFF);
  jpeg_read_header(&cinfo, TRUE);
  found.width = static_cast<int>(cinfo.image_width);
  found.height = static_cast<int>(cinfo.image_height);
  CollectDocumentMarkers(cinfo, found);
  jpeg_destroy_decompress(&cinfo);
  return true;
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
  PictureText found;
  if (kind == PictureKind::kPng) {
    if (!ReadPngHeader(file.get(), found)) throw ReadFailure(path, "el archivo PNG est\xE1 da\xF1" "ado");
  } else if (kind == PictureKind::kJpeg) {
    if (!ReadJpegHeader(file.get(), found)) throw ReadFailure(path, "el archivo JPEG est\xE1 da\xF1" "ado");
  } else if (kind == PictureKind::kSvg || kind == PictureKind::kPdf) {
    ReadFigureHeader(file.get(), found);
  } else {
    throw ReadFailure(path, "no es una imagen PNG ni JPEG");
  }
  return found;
}

}  // namespace vorla
