// Picture sizes refused before any work, each naming its limit.

#include <gtest/gtest.h>

#include <string>

#include "core/io/PictureLimits.h"

namespace vorla {
namespace {

TEST(PictureLimitsTest, RefusesSizesBeyondALimitNamingIt) {
  // limit: part of the message; null: accepted
  struct Row { const char* name; std::int64_t width, height; ImageFormat format; const char* limit; };
  const Row rows[] = {
      {"JPEG at its largest side", 65500, 2, ImageFormat::kJpeg, nullptr},
      {"JPEG one pixel wider", 65501, 2, ImageFormat::kJpeg, "JPEG admite hasta 65500 p\xEDxeles"},
      {"BMP of a 4-byte row past 4 GB", 1, 2147483647, ImageFormat::kBmp, "BMP no puede pasar de 4 GB"},
      {"BMP of a side past 32 bits", 4294967295, 1, ImageFormat::kBmp, "BMP no puede pasar de 4 GB"},
      {"PNG side past 2^31 - 1", 2147483648, 1, ImageFormat::kPng, "PNG admite hasta 2147483647 p\xEDxeles"},
      {"PNG row past 2 GB", 2147483647, 1, ImageFormat::kPng, "una fila de la imagen no puede pasar de 2 GB"},
      {"more memory than any machine has", 2000000000, 2000000000, ImageFormat::kPng,
       "No hay memoria suficiente para la imagen de 2000000000 x 2000000000 p\xEDxeles: necesita 3814697265625 MB"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    try {
      CheckPictureSize(r.width, r.height, r.format);
      EXPECT_EQ(r.limit, nullptr) << "accepted";
    } catch (const PictureSizeError& e) {
      ASSERT_NE(r.limit, nullptr) << e.what();
      EXPECT_NE(std::string(e.what()).find(r.limit), std::string::npos) << e.what();
    }
  }
}

// Only the band is held: a picture that could never be held whole passes.
TEST(PictureLimitsTest, BandedPicturesNeedMemoryForABandOnly) {
  EXPECT_THROW(CheckPictureSize(1000000, 2000000000, ImageFormat::kPng), PictureSizeError);
  EXPECT_NO_THROW(CheckBandedPictureSize(1000000, 2000000000, ImageFormat::kPng, 16));
  EXPECT_THROW(CheckBandedPictureSize(65501, 16, ImageFormat::kJpeg, 16), PictureSizeError);
}

}  // namespace
}  // namespace vorla
