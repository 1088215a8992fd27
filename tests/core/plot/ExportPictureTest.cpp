// Export file names and sizes before mirroring, and the folding of the
// mosaic's dragged pattern, beyond what the dialogs' tests show.

#include <gtest/gtest.h>

#include "core/plot/ExportPicture.h"
#include "core/plot/MosaicTile.h"

namespace vorla {
namespace {

TEST(ExportPicture, FileNamesAndSizes) {
  struct Row { const char* name; const char* chosen; ExportFileType type; const char* expected; };
  const Row rows[] = {
      {"greyscale JPEG", "/d/a.bmp", ExportFileType::kJpegGray, "/d/a.jpg"},
      {"bitmap", "/d/a.jpg", ExportFileType::kBitmap, "/d/a.bmp"},
      {"no extension", "/d/a", ExportFileType::kPng, "/d/a.png"},
      {"dot in the folder only", "/d.v2/a", ExportFileType::kPng, "/d.v2/a.png"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    EXPECT_EQ(ExportFileName(r.chosen, r.type).string(), r.expected);
  }
  EXPECT_EQ(CalculatedSize({907, 415}, {false, true}), (PictureSize{907, 207}));
  EXPECT_EQ(KeptAspect(300, 0, 415), 300) << "no base extent";
}

TEST(MosaicTile, DraggedOffsetFolds) {
  struct Row { const char* name; std::vector<std::pair<int, int>> moves; int x, y; };
  const Row rows[] = {
      {"300 left", {{-300, 0}}, -45, 0},
      {"in two moves", {{200, 0}, {300, 0}}, 45, 0},
      {"down past the height", {{0, 250}}, 0, 17},
      {"exactly one tile is not folded", {{255, 0}}, 255, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    PatternDrag drag;
    drag.Press(10, 10);
    for (const auto& [x, y] : r.moves) drag.Move(10 + x, 10 + y, 255, 233);
    EXPECT_EQ(drag.OffsetX(), r.x);
    EXPECT_EQ(drag.OffsetY(), r.y);
  }
}

}  // namespace
}  // namespace vorla
