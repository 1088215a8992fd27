// Export sizes, file names and qualities, the picture calculated for export,
// and the mosaic tile and its dragged pattern.

#include <gtest/gtest.h>

#include "core/plot/ExportPicture.h"
#include "core/plot/MosaicTile.h"

namespace vorla {
namespace {

TEST(ExportPicture, SizesKeptInAspect) {
  struct Row { const char* name; int value, baseValue, baseOther, expected; };
  const Row rows[] = {
      {"width 908 of 454x415", 908, 454, 415, 830},
      {"height 830 back to the width", 830, 415, 454, 908},
      {"rounds to nearest", 455, 454, 415, 416},
      {"no base extent keeps the value", 300, 0, 415, 300},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(KeptAspect(r.value, r.baseValue, r.baseOther), r.expected);
  }
  EXPECT_EQ(ExportBaseSize({454, 415}, {true, false}), (PictureSize{908, 415}));
  EXPECT_EQ(ExportBaseSize({454, 415}, {true, true}), (PictureSize{908, 830}));
  EXPECT_EQ(CalculatedSize({907, 415}, {true, false}), (PictureSize{453, 415}));
  EXPECT_EQ(CalculatedSize({907, 415}, {false, true}), (PictureSize{907, 207}));
}

TEST(ExportPicture, QualityAndFileNames) {
  EXPECT_EQ(JpegQuality(1), 100);
  EXPECT_EQ(JpegQuality(20), 81);
  EXPECT_EQ(JpegQuality(100), 1);
  struct Row { const char* name; const char* chosen; ExportFileType type; const char* expected; };
  const Row rows[] = {
      {".png chosen with JPEG colour", "/d/a.png", ExportFileType::kJpegColor, "/d/a.jpg"},
      {"greyscale JPEG", "/d/a.bmp", ExportFileType::kJpegGray, "/d/a.jpg"},
      {"bitmap", "/d/a.jpg", ExportFileType::kBitmap, "/d/a.bmp"},
      {"png", "/d/a.jpg", ExportFileType::kPng, "/d/a.png"},
      {"no extension", "/d/a", ExportFileType::kBitmap, "/d/a.bmp"},
      {"dot in the folder only", "/d.v2/a", ExportFileType::kPng, "/d.v2/a.png"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ExportFileName(r.chosen, r.type).string(), r.expected);
  }
}

PlotDocument Ramp() {
  PlotDocument d = PlotDocument::FileDefaults();
  d.Func = std::string("x+y");
  return d;
}

TEST(ExportPicture, MirroredExportIsCalculatedAtHalfSize) {
  Palette palette{};
  palette[200] = Rgb{1, 2, 3};
  const Bitmap picture = RenderExportPicture(Ramp(), palette, {908, 415}, {true, false});
  ASSERT_EQ(picture.Width(), 907);
  ASSERT_EQ(picture.Height(), 415);
  EXPECT_EQ(picture.palette, palette) << "the palette given, not the document's";
  for (int x : {0, 100, 452})
    EXPECT_EQ(picture.Row(7)[x], picture.Row(7)[906 - x]) << "column " << x << " mirrored";
  EXPECT_NE(picture.Row(7)[0], picture.Row(7)[453]) << "the left half is the whole picture";
  EXPECT_THROW(RenderExportPicture(Ramp(), palette, {1, 415}, {true, false}), EmptyPictureError);
  EXPECT_THROW(RenderExportPicture(Ramp(), palette, {40, 0}, {}), EmptyPictureError);
}

TEST(MosaicTile, TileFromThePicture) {
  Bitmap picture(454, 415, 8);
  for (int y = 0; y < 415; ++y)
    for (int x = 0; x < 454; ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(x * 2 / 454 + 2 * (y * 2 / 415));
  EXPECT_EQ(TileSizeFor(128, 454, 415), (PictureSize{128, 117}));
  const Bitmap both = MakeMosaicTile(picture, 128, {true, true});
  EXPECT_EQ(both.Width(), 255);
  EXPECT_EQ(both.Height(), 233);
  const Bitmap plain = MakeMosaicTile(picture, 128, {});
  ASSERT_EQ(plain.Width(), 128);
  ASSERT_EQ(plain.Height(), 117);
  // Quadrant indices 0 1 / 2 3 survive the scaling whole.
  EXPECT_EQ(plain.Row(0)[0], 0);
  EXPECT_EQ(plain.Row(0)[127], 1);
  EXPECT_EQ(plain.Row(116)[0], 2);
  EXPECT_EQ(plain.Row(116)[127], 3);
  EXPECT_EQ(plain.Row(58)[64], 1) << "column 64 samples picture column 228, right of the middle";
  EXPECT_EQ(plain.Row(59)[63], 2) << "row 59 samples picture row 211, below the middle";
}

TEST(MosaicTile, DraggedPatternFoldsAndClicks) {
  struct Row { const char* name; std::vector<std::pair<int, int>> moves; int x, y; bool click; };
  const Row rows[] = {
      {"300 right with a 255 tile", {{300, 0}}, 45, 0, false},
      {"300 left", {{-300, 0}}, -45, 0, false},
      {"in two moves", {{200, 0}, {300, 0}}, 45, 0, false},
      {"down past the height", {{0, 250}}, 0, 17, false},
      {"one pixel is a click", {{1, -1}}, 1, -1, true},
      {"two pixels are a drag", {{2, 0}}, 2, 0, false},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    PatternDrag drag;
    drag.Press(10, 10);
    for (const auto& [x, y] : r.moves) drag.Move(10 + x, 10 + y, 255, 233);
    EXPECT_EQ(drag.OffsetX(), r.x);
    EXPECT_EQ(drag.OffsetY(), r.y);
    EXPECT_EQ(drag.Release(10 + r.moves.back().first, 10 + r.moves.back().second), r.click);
    drag.Move(500, 500, 255, 233);
    EXPECT_EQ(drag.OffsetX(), r.x) << "no move after the release";
  }
}

}  // namespace
}  // namespace vorla
