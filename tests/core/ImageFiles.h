#pragma once
// Picture files read back with their own decoders (libpng, libjpeg) and a
// plain reading of the BMP layout, for tests of everything that writes them.

#include <jpeglib.h>
#include <png.h>

#include <array>
#include <csetjmp>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <vector>

#include "TempDir.h"

namespace vorla::testing_support {

struct PngImage {
  int width = 0, height = 0, colorType = -1, bitDepth = 0;
  std::vector<png_color> palette;
  std::vector<std::vector<std::uint8_t>> rows;
};

inline PngImage ReadPng(const std::filesystem::path& path) {
  PngImage image;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return image;
  png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
  png_infop info = png_create_info_struct(png);
  if (setjmp(png_jmpbuf(png))) {
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(file);
    image.colorType = -1;
    return image;
  }
  png_init_io(png, file);
  png_read_info(png, info);
  image.width = static_cast<int>(png_get_image_width(png, info));
  image.height = static_cast<int>(png_get_image_height(png, info));
  image.colorType = png_get_color_type(png, info);
  image.bitDepth = png_get_bit_depth(png, info);
  png_colorp colors = nullptr;
  int count = 0;
  if (png_get_PLTE(png, info, &colors, &count)) image.palette.assign(colors, colors + count);
  image.rows.assign(static_cast<std::size_t>(image.height), std::vector<std::uint8_t>(png_get_rowbytes(png, info)));
  for (auto& row : image.rows) png_read_row(png, row.data(), nullptr);
  png_destroy_read_struct(&png, &info, nullptr);
  std::fclose(file);
  return image;
}

struct JpegImage {
  int width = 0, height = 0, components = 0;
  bool progressive = false;
  std::array<int, 64> lumaQuant{};  // the luminance quantisation table, in file order
  std::vector<std::uint8_t> pixels;
};

struct JpegReadErrors {
  jpeg_error_mgr manager;
  std::jmp_buf jump;
};

inline bool ReadJpeg(const std::filesystem::path& path, JpegImage& image) {
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (!file) return false;
  jpeg_decompress_struct cinfo;
  JpegReadErrors errors;
  cinfo.err = jpeg_std_error(&errors.manager);
  errors.manager.error_exit = [](j_common_ptr c) { std::longjmp(reinterpret_cast<JpegReadErrors*>(c->err)->jump, 1); };
  if (setjmp(errors.jump)) {
    jpeg_destroy_decompress(&cinfo);
    std::fclose(file);
    return false;
  }
  jpeg_create_decompress(&cinfo);
  jpeg_stdio_src(&cinfo, file);
  jpeg_read_header(&cinfo, TRUE);
  image.progressive = cinfo.progressive_mode;
  if (cinfo.quant_tbl_ptrs[0] != nullptr)
    for (int i = 0; i < 64; ++i) image.lumaQuant[static_cast<std::size_t>(i)] = cinfo.quant_tbl_ptrs[0]->quantval[i];
  jpeg_start_decompress(&cinfo);
  image.width = static_cast<int>(cinfo.output_width);
  image.height = static_cast<int>(cinfo.output_height);
  image.components = cinfo.output_components;
  image.pixels.resize(static_cast<std::size_t>(image.width) * image.height * image.components);
  while (cinfo.output_scanline < cinfo.output_height) {
    JSAMPROW row =
        image.pixels.data() + static_cast<std::size_t>(cinfo.output_scanline) * image.width * image.components;
    jpeg_read_scanlines(&cinfo, &row, 1);
  }
  jpeg_finish_decompress(&cinfo);
  jpeg_destroy_decompress(&cinfo);
  std::fclose(file);
  return true;
}

// An uncompressed BMP as WriteBmp lays it out; width 0 when the file is not one.
struct BmpImage {
  int width = 0, height = 0, bitsPerPixel = 0;
  std::vector<std::array<std::uint8_t, 3>> palette;  // red, green, blue
  std::vector<std::vector<std::uint8_t>> rows;  // top row first, unpadded
};

inline BmpImage ReadBmp(const std::filesystem::path& path) {
  const std::string b = ReadBytes(path);
  const auto u8 = [&b](std::size_t at) { return static_cast<std::uint8_t>(b[at]); };
  const auto u32 = [&u8](std::size_t at) {
    return u8(at) | (u8(at + 1) << 8) | (u8(at + 2) << 16) | (static_cast<std::uint32_t>(u8(at + 3)) << 24);
  };
  BmpImage image;
  if (b.size() < 54 || b[0] != 'B' || b[1] != 'M' || u32(2) != b.size()) return image;
  const int width = static_cast<int>(u32(18));
  const int height = static_cast<int>(u32(22));
  const int bits = u8(28) | (u8(29) << 8);
  const std::size_t offset = u32(10);
  const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
  if (offset + stride * static_cast<std::size_t>(height) > b.size()) return image;
  for (std::size_t at = 54; at + 4 <= offset; at += 4) image.palette.push_back({u8(at + 2), u8(at + 1), u8(at)});
  for (int y = height - 1; y >= 0; --y) {
    const std::size_t row = offset + stride * static_cast<std::size_t>(y);
    image.rows.emplace_back(b.begin() + static_cast<std::ptrdiff_t>(row),
                            b.begin() + static_cast<std::ptrdiff_t>(row + static_cast<std::size_t>(width) * bits / 8));
  }
  image.width = width;
  image.height = height;
  image.bitsPerPixel = bits;
  return image;
}

}  // namespace vorla::testing_support
