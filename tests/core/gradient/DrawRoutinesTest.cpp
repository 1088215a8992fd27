// The two-colour ramp and seamless mirroring, refused depths included.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/gradient/DrawRoutines.h"
#include "core/gradient/SystemColors.h"

namespace vorla {
namespace {

TEST(DrawRoutines, ColGradSteps) {
  struct Row { const char* name; TColor start, end; int steps, i; TColor expected; };
  const Row rows[] = {
      {"step 0 is the start", 0x102030, 0xF0E0D0, 7, 0, 0x102030},
      {"step N is the end", 0x102030, 0xF0E0D0, 7, 7, 0xF0E0D0},
      {"first band of a 100-pixel fill", 0x000000, 0xFFFFFF, 100, 1, 0x030303},
      {"falling channel rounds away from zero", 0x0000FF, 0x000000, 2, 1, 0x00007F},
      {"channels move independently", 0x00FF00, 0xFF0000, 4, 1, 0x40BF00},
      {"no steps stays at the start", 0x123456, 0xFFFFFF, 0, 0, 0x123456},
      {"system colour as end", 0x000000, kSystemColorFlag | 5, 1, 1, SystemColor(5)},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(TColGrad(r.start, r.end, static_cast<std::uint16_t>(r.steps)).ColorAt(r.i), r.expected);
  }
}

// Pixel (x, y) of a test picture holds 10 * y + x in every byte.
Bitmap Numbered(int w, int h, int bits) {
  Bitmap bitmap(w, h, bits);
  const int b = bits / 8;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      for (int k = 0; k < b; ++k) bitmap.Row(y)[x * b + k] = static_cast<std::uint8_t>(10 * y + x + k);
  return bitmap;
}

std::vector<int> FirstBytes(const Bitmap& bitmap) {
  const int b = bitmap.BitsPerPixel() / 8;
  std::vector<int> values;
  for (int y = 0; y < bitmap.Height(); ++y)
    for (int x = 0; x < bitmap.Width(); ++x) {
      values.push_back(bitmap.Row(y)[x * b]);
      for (int k = 1; k < b; ++k) EXPECT_EQ(bitmap.Row(y)[x * b + k], bitmap.Row(y)[x * b] + k);
    }
  return values;
}

TEST(DrawRoutines, MirrorBitmapTiles) {
  struct Row { const char* name; int w, h, bits; bool hor, ver; int newW, newH; std::vector<int> pixels; };
  const Row rows[] = {
      {"both directions", 3, 2, 8, true, true, 5, 3, {0, 1, 2, 1, 0, 10, 11, 12, 11, 10, 0, 1, 2, 1, 0}},
      {"horizontal, 24 bits", 3, 1, 24, true, false, 5, 1, {0, 1, 2, 1, 0}},
      {"vertical, 32 bits", 1, 3, 32, false, true, 1, 5, {0, 10, 20, 10, 0}},
      {"one pixel stays one pixel", 1, 1, 8, true, true, 1, 1, {0}},
      {"no flags", 2, 1, 16, false, false, 2, 1, {0, 1}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Bitmap bitmap = Numbered(r.w, r.h, r.bits);
    bitmap.palette[7] = Rgb{1, 2, 3};
    MirrorBitmap(bitmap, r.hor, r.ver);
    EXPECT_EQ(bitmap.Width(), r.newW);
    EXPECT_EQ(bitmap.Height(), r.newH);
    EXPECT_EQ(bitmap.BitsPerPixel(), r.bits);
    EXPECT_EQ(bitmap.palette[7], (Rgb{1, 2, 3}));
    EXPECT_EQ(FirstBytes(bitmap), r.pixels);
  }

  for (int bits : {1, 4, 0}) {
    SCOPED_TRACE(bits);
    Bitmap refused(3, 2, bits);
    refused.Data()[0] = 0x5A;
    try {
      MirrorBitmap(refused, true, true);
      ADD_FAILURE() << "no error";
    } catch (const InvalidGraphicError& e) {
      EXPECT_EQ(std::string(e.what()), "pf\xBF?bit");
    }
    EXPECT_EQ(refused.Width(), 3);
    EXPECT_EQ(refused.Data()[0], 0x5A);
  }
}

}  // namespace
}  // namespace vorla
