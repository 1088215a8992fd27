// Pictures calculated in bands and streamed to their file: the same bytes and
// statistics as the picture calculated whole.

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <numeric>
#include <stop_token>
#include <utility>

#include "../TempDir.h"
#include "core/plot/RenderDocument.h"
#include "core/plot/RenderToFile.h"

namespace vorla {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;

// Failing pixels (negative x * y) and values reaching 0 from both signs.
PlotDocument Document() {
  PlotDocument d = PlotDocument::FileDefaults();
  d.Func = "sqrt(x*y)-y";
  d.Xmin = std::string("-1");
  d.Xmax = std::string("2");
  d.Ymin = std::string("-1");
  d.Ymax = std::string("1");
  return d;
}

TEST(RenderToFileTest, BandsGiveTheWholePicturesFileAndStatistics) {
  struct Row { const char* name; PlotDocument document; int width, height; const char* file; int bandRows; };
  const Row rows[] = {
      {"PNG, bands of 7 rows", Document(), 301, 203, "p.png", 7},
      {"JPEG, bands across the 16-row blocks", Document(), 301, 203, "j.jpg", 5},
      {"BMP, written bottom band first", Document(), 301, 203, "b.bmp", 7},
      {"one row per band", Document(), 301, 203, "one.png", 1},
      {"start-up document, 3000 x 2000", PlotDocument::StartUp(), 3000, 2000, "s.png", 100},
  };
  const TempDir dir;
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const RenderedPicture whole = *RenderDocument(r.document, r.width, r.height, 1.0f);
    const PictureFile file{dir / r.file, {}, "[Vorlascope]\r\nFunc=x\r\n", std::nullopt};
    const auto wholePath = dir / (std::string("whole-") + r.file);
    WriteImage(whole.picture, wholePath, file.jpeg, file.documentText);
    const PictureStats banded = *RenderDocumentToFile(r.document, r.width, r.height, 1.0f, file, {}, 2, r.bandRows);
    EXPECT_EQ(ReadBytes(file.path), ReadBytes(wholePath));
    EXPECT_EQ(banded.errorCounts, whole.stats.errorCounts);
    EXPECT_EQ(banded.treePixels, whole.stats.treePixels);
    EXPECT_EQ(banded.pixels, static_cast<long long>(r.width) * r.height);
    for (const auto& [got, want] : {std::pair{banded.foundMin, whole.stats.foundMin},
                                    std::pair{banded.foundMax, whole.stats.foundMax},
                                    std::pair{banded.shownMin, whole.stats.shownMin},
                                    std::pair{banded.lastZmin, whole.stats.lastZmin},
                                    std::pair{banded.lastZmax, whole.stats.lastZmax}})
      EXPECT_EQ(std::bit_cast<std::uint32_t>(got), std::bit_cast<std::uint32_t>(want)) << got << " vs " << want;
  }
}

TEST(RenderToFileTest, TheTestDocumentFailsAtManyPixels) {
  const PictureStats stats = RenderDocument(Document(), 301, 203)->stats;
  EXPECT_GT(std::accumulate(stats.errorCounts.begin(), stats.errorCounts.end(), 0), 1000);
}

// Stopped in the third of sixteen bands, the bands after it are not
// calculated and no file is left.
TEST(RenderToFileTest, AStoppedRenderLeavesNoFile) {
  const TempDir dir;
  const PictureFile file{dir / "p.png", {}, {}, std::nullopt};
  std::stop_source stop;
  int lastRow = 0;
  const auto stopInThirdBand = [&](int done, int) {
    lastRow = done;
    if (done == 10) stop.request_stop();
  };
  EXPECT_FALSE(RenderDocumentToFile(Document(), 64, 64, std::nullopt, file, stopInThirdBand, 1, 4, stop.get_token()));
  EXPECT_EQ(lastRow, 10);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

TEST(RenderToFileTest, OnlyLargePicturesOfStreamedTypesGoInBands) {
  EXPECT_FALSE(RendersInBands(4000, 4000, ImageFormat::kPng));
  EXPECT_TRUE(RendersInBands(20000, 20000, ImageFormat::kPng));
  EXPECT_TRUE(RendersInBands(20000, 20000, ImageFormat::kBmp));
  EXPECT_FALSE(RendersInBands(20000, 20000, ImageFormat::kGif));
  EXPECT_EQ(BandRows(32000), 524);
  EXPECT_EQ(BandRows(1LL << 30), 1);
}

}  // namespace
}  // namespace vorla
