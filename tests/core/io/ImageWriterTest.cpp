// Picture files: BMP, PNG and JPEG read back with their own decoders, and failures that must leave no trace.

#include <gtest/gtest.h>

#include <signal.h>
#include <sys/resource.h>

#include <algorithm>
#include <climits>
#include <filesystem>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "ImageFiles.h"
#include "TempDir.h"
#include "core/io/PictureFormats.h"

namespace vorla {
namespace {

namespace fs = std::filesystem;
using testing_support::JpegImage;
using testing_support::PngImage;
using testing_support::ReadJpeg;
using testing_support::ReadPng;
using testing_support::ReadBytes;
using testing_support::WriteBytes;

class ImageWriterTest : public ::testing::Test {
 protected:
  std::vector<std::string> Listing() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_.path())) names.push_back(entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
  }

  testing_support::TempDir dir_;
};

std::vector<std::uint8_t> ReadAll(const fs::path& path) {
  const std::string bytes = ReadBytes(path);
  return {bytes.begin(), bytes.end()};
}

std::uint32_t U32(const std::vector<std::uint8_t>& b, std::size_t at) {
  return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<std::uint32_t>(b[at + 3]) << 24);
}
std::uint32_t U16(const std::vector<std::uint8_t>& b, std::size_t at) { return b[at] | (b[at + 1] << 8); }

// Index (x, y) = 7x + 30y + 1 (mod 256), over a palette where no two entries agree.
Bitmap Paletted(int w, int h) {
  Bitmap bitmap(w, h, 8);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) bitmap.Row(y)[x] = static_cast<std::uint8_t>(7 * x + 30 * y + 1);
  for (int i = 0; i < 256; ++i)
    bitmap.palette[static_cast<std::size_t>(i)] = Rgb{static_cast<std::uint8_t>(i),
                                                      static_cast<std::uint8_t>(255 - i),
                                                      static_cast<std::uint8_t>(i * 3)};
  return bitmap;
}

TEST_F(ImageWriterTest, BmpPixelsAreThePaletteIndices) {
  const Bitmap picture = Paletted(5, 3);
  const fs::path path = dir_ / "a.bmp";
  WriteBmp(picture, path);
  const auto b = ReadAll(path);

  ASSERT_GE(b.size(), 54u);
  EXPECT_EQ(b[0], 'B');
  EXPECT_EQ(b[1], 'M');
  EXPECT_EQ(U32(b, 2), b.size());
  EXPECT_EQ(U32(b, 10), 14u + 40u + 1024u);
  EXPECT_EQ(U32(b, 14), 40u);
  EXPECT_EQ(U32(b, 18), 5u);
  EXPECT_EQ(U32(b, 22), 3u);
  EXPECT_EQ(U16(b, 28), 8u);
  EXPECT_EQ(U32(b, 30), 0u);
  EXPECT_EQ(U32(b, 34), 8u * 3u) << "rows padded to 4 bytes";
  EXPECT_EQ(U32(b, 46), 256u);
  ASSERT_EQ(b.size(), 1078u + 24u);
  for (int i = 0; i < 256; ++i) {
    const Rgb& c = picture.palette[static_cast<std::size_t>(i)];
    ASSERT_EQ(b[54 + 4 * i], c.blue) << i;
    ASSERT_EQ(b[55 + 4 * i], c.green) << i;
    ASSERT_EQ(b[56 + 4 * i], c.red) << i;
  }
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x)
      EXPECT_EQ(b[1078 + (2 - y) * 8 + x], picture.Row(y)[x]) << "bottom-up rows, at " << x << "," << y;
}

TEST_F(ImageWriterTest, BmpTrueColourSources) {
  // 32-bit pixels lose their fourth byte; rows stay bottom-up and padded.
  Bitmap picture(3, 2, 32);
  picture.Row(0)[0] = 10;
  picture.Row(0)[2] = 30;
  picture.Row(1)[2 * 4 + 2] = 99;
  WriteBmp(picture, dir_ / "c.bmp");
  const auto f = ReadAll(dir_ / "c.bmp");
  ASSERT_EQ(f.size(), 54u + 2 * 12u);
  EXPECT_EQ(U16(f, 28), 24u);
  EXPECT_EQ(U32(f, 10), 54u);
  EXPECT_EQ(f[54 + 12], 10);
  EXPECT_EQ(f[54 + 12 + 2], 30);
  EXPECT_EQ(f[54 + 2 * 3 + 2], 99);
}

TEST_F(ImageWriterTest, PngPalettedAndTrueColour) {
  const Bitmap picture = Paletted(13, 4);
  WritePng(picture, dir_ / "p.png");
  const PngImage p = ReadPng(dir_ / "p.png");
  ASSERT_EQ(p.colorType, PNG_COLOR_TYPE_PALETTE);
  EXPECT_EQ(p.bitDepth, 8);
  EXPECT_EQ(p.width, 13);
  ASSERT_EQ(p.height, 4);
  ASSERT_EQ(p.palette.size(), 256u);
  for (int i = 0; i < 256; ++i) {
    const Rgb& c = picture.palette[static_cast<std::size_t>(i)];
    ASSERT_EQ((Rgb{p.palette[i].red, p.palette[i].green, p.palette[i].blue}), c) << i;
  }
  for (int y = 0; y < 4; ++y)
    EXPECT_EQ(std::vector<std::uint8_t>(picture.Row(y), picture.Row(y) + 13), p.rows[static_cast<std::size_t>(y)]);

  Bitmap colour(2, 1, 32);
  const std::uint8_t bgrx[] = {1, 2, 3, 0, 4, 5, 6, 0};
  std::copy(std::begin(bgrx), std::end(bgrx), colour.Row(0));
  WritePng(colour, dir_ / "c.png");
  const PngImage c = ReadPng(dir_ / "c.png");
  ASSERT_EQ(c.colorType, PNG_COLOR_TYPE_RGB);
  EXPECT_EQ(c.rows[0], (std::vector<std::uint8_t>{3, 2, 1, 6, 5, 4}));
}

TEST_F(ImageWriterTest, JpegOptionsReachTheFile) {
  // A flat orange picture: every decoded pixel must be close to it.
  Bitmap picture(40, 24, 8);
  picture.palette[0] = Rgb{240, 120, 30};
  const int gray = (299 * 240 + 587 * 120 + 114 * 30 + 500) / 1000;
  struct Row { const char* name; JpegOptions options; int components; bool progressive; };
  const Row rows[] = {
      {"colour baseline", {false, 90, false}, 3, false},
      {"colour progressive", {false, 90, true}, 3, true},
      {"greyscale", {true, 90, false}, 1, false},
      {"greyscale progressive", {true, 100, true}, 1, true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const fs::path path = dir_ / "j.jpeg";
    WriteJpeg(picture, path, r.options);
    JpegImage image;
    ASSERT_TRUE(ReadJpeg(path, image));
    EXPECT_EQ(image.width, 40);
    EXPECT_EQ(image.height, 24);
    EXPECT_EQ(image.components, r.components);
    EXPECT_EQ(image.progressive, r.progressive);
    const std::vector<int> expected = r.components == 3 ? std::vector<int>{240, 120, 30} : std::vector<int>{gray};
    for (std::size_t i = 0; i < image.pixels.size(); ++i)
      ASSERT_NEAR(image.pixels[i], expected[i % expected.size()], 4) << "at byte " << i;
  }

  // Quality must reach the encoder: a detailed picture shrinks at low quality.
  const Bitmap detailed = Paletted(64, 64);
  WriteJpeg(detailed, dir_ / "high.jpg", {false, 100, false});
  WriteJpeg(detailed, dir_ / "low.jpg", {false, 5, false});
  EXPECT_LT(fs::file_size(dir_ / "low.jpg") * 2, fs::file_size(dir_ / "high.jpg"));
}

TEST_F(ImageWriterTest, FormatFromExtension) {
  struct Row { const char* path; std::optional<ImageFormat> format; };
  const Row rows[] = {
      {"A.BMP", ImageFormat::kBmp}, {"x/y.jpg", ImageFormat::kJpeg}, {"b.JPeG", ImageFormat::kJpeg},
      {"c.png", ImageFormat::kPng}, {"jpg", std::nullopt},          {"e.png.txt", std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.path);
    EXPECT_EQ(ImageFormatFromPath(r.path), r.format);
  }
  WriteImage(Paletted(2, 2), dir_ / "w.PNG");
  EXPECT_EQ(ReadPng(dir_ / "w.PNG").colorType, PNG_COLOR_TYPE_PALETTE);
}

TEST_F(ImageWriterTest, FailuresLeaveNoTrace) {
  fs::create_directories(dir_ / "folder.png");
  struct Row { const char* name; std::string file; Bitmap picture; const char* reason; };
  const Row rows[] = {
      {"missing folder", "none/a.bmp", Paletted(4, 4), "no existe el archivo o la carpeta"},
      {"target is a folder", "folder.png", Paletted(4, 4), "es una carpeta"},
      {"empty picture", "e.jpg", Bitmap(0, 5, 8), "la imagen est\xC3\xA1 vac\xC3\xAD" "a"},
      {"unsupported depth", "d.bmp", Bitmap(4, 4, 16), "imagen de 16 bits por p\xC3\xADxel no admitida"},
      {"unknown extension", "u.tif", Paletted(4, 4), "formato desconocido (se admiten .bmp, .jpg, .jpeg, .png y .gif)"},
      {"wider than JPEG allows", "w.jpg", Paletted(65501, 1),
       "el formato JPEG admite hasta 65500 p\xC3\xADxeles de ancho y de alto"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    try {
      WriteImage(r.picture, dir_ / r.file);
      ADD_FAILURE() << "written";
    } catch (const ImageWriteError& e) {
      EXPECT_EQ(Utf8Message(e), "No se pudo guardar \"" + (dir_ / r.file).string() + "\": " + r.reason);
    }
    EXPECT_EQ(Listing(), std::vector<std::string>{"folder.png"});
  }
}

// A full disk mid-write, through a file size limit: each library's error path
// must end in a Spanish message with the old file intact and no temporary left.
TEST_F(ImageWriterTest, WriteFailureKeepsTheOldFile) {
  Bitmap noisy(600, 600, 8);
  std::mt19937 random(7);
  for (int y = 0; y < noisy.Height(); ++y)
    for (int x = 0; x < noisy.Width(); ++x) noisy.Row(y)[x] = static_cast<std::uint8_t>(random());
  for (auto& c : noisy.palette) c = Rgb{static_cast<std::uint8_t>(random()), static_cast<std::uint8_t>(random()), 9};

  const auto previous = ::signal(SIGXFSZ, SIG_IGN);
  rlimit saved{};
  ::getrlimit(RLIMIT_FSIZE, &saved);
  for (const char* name : {"old.bmp", "old.jpg", "old.png"}) {
    SCOPED_TRACE(name);
    const fs::path path = dir_ / name;
    WriteBytes(path, "old contents");
    rlimit limited = saved;
    limited.rlim_cur = 64 * 1024;
    ::setrlimit(RLIMIT_FSIZE, &limited);
    try {
      WriteImage(noisy, path, {false, 100, false});
      ADD_FAILURE() << "written";
    } catch (const ImageWriteError& e) {
      EXPECT_EQ(Utf8Message(e), "No se pudo guardar \"" + path.string() + "\": el archivo es demasiado grande");
    }
    ::setrlimit(RLIMIT_FSIZE, &saved);
    EXPECT_EQ(ReadBytes(path), "old contents");
    EXPECT_EQ(Listing().size(), 1u);
    fs::remove(path);
  }
  ::signal(SIGXFSZ, previous);
}

TEST(BitmapTest, RefusesRowsBeyondThirtyTwoBitsAndMemoryNotGiven) {
  struct Row { const char* name; int width, height, bits; };
  const Row rows[] = {
      {"8-bit row of the largest width", INT_MAX, 1, 8},
      {"32-bit row past 2 GB", 600000000, 1, 32},
      {"more memory than any machine has", 2000000000, 2000000000, 8},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Bitmap picture(3, 2, 8);
    EXPECT_THROW(picture.Resize(r.width, r.height, r.bits), PictureSizeError);
    EXPECT_EQ(picture.Width(), 3) << "the old picture stays";
    EXPECT_EQ(picture.Stride(), 4);
  }
}

TEST(BmpFileSizeTest, HeaderSizesWithinThirtyTwoBits) {
  struct Row { const char* name; int width, height, bits; std::optional<std::uint32_t> size; };
  const Row rows[] = {
      {"paletted rows padded to 4 bytes", 3, 2, 8, 14 + 40 + 1024 + 4 * 2},
      {"colour rows, 32-bit written as 24", 3, 2, 32, 14 + 40 + 12 * 2},
      {"largest paletted file", 65536, 65535, 8, 14 + 40 + 1024 + 65536u * 65535u},
      {"paletted file past 4 GB", 65536, 65536, 8, std::nullopt},
      {"colour file past 4 GB", 40000, 40000, 24, std::nullopt},
      {"colour row of the largest width", INT_MAX, 1, 24, std::nullopt},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(BmpFileSize(r.width, r.height, r.bits), r.size);
  }
}

}  // namespace
}  // namespace vorla
