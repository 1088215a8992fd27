// The palette cycle as a GIF: how many ticks make a turn, and the file read
// back through giflib: frames, size, loop, delay and each frame's colours.

#include <gtest/gtest.h>

#include <gif_lib.h>

#include <cstring>

#include "core/io/ImageWriter.h"
#include "core/plot/PaletteCycle.h"
#include "core/plot/RenderDocument.h"
#include "TempDir.h"

namespace vorla {
namespace {

using testing_support::TempDir;

TEST(PaletteCycleTest, TicksUntilTheIndicesReturn) {
  struct Row { const char* name; int speed; int ticks; };
  const Row rows[] = {
      {"one step", 1, 252},           {"one step back", -1, 252}, {"two steps", 2, 126},
      {"three steps", 3, 84},         {"seven steps", 7, 36},     {"top speed", 100, 63},
      {"top speed back (152 on)", -100, 63},
  };
  for (const Row& r : rows) EXPECT_EQ(CycleTicks(r.speed), r.ticks) << r.name;
  EXPECT_THROW(CycleTicks(0), AnimationSpeedError);
}

struct GifFile {
  explicit GifFile(const std::filesystem::path& path) : gif(DGifOpenFileName(path.c_str(), &error)) {
    if (gif && DGifSlurp(gif) != GIF_OK) error = gif->Error;
  }
  ~GifFile() { DGifCloseFile(gif, &error); }
  GifFileType* gif;
  int error = 0;
};

bool LoopsForEver(const SavedImage& first) {
  for (int i = 0; i + 1 < first.ExtensionBlockCount; ++i) {
    const ExtensionBlock& block = first.ExtensionBlocks[i];
    const ExtensionBlock& next = first.ExtensionBlocks[i + 1];
    if (block.Function == APPLICATION_EXT_FUNC_CODE && block.ByteCount == 11 &&
        std::memcmp(block.Bytes, "NETSCAPE2.0", 11) == 0)
      return next.ByteCount == 3 && next.Bytes[0] == 1 && next.Bytes[1] == 0 && next.Bytes[2] == 0;
  }
  return false;
}

TEST(PaletteCycleTest, StartUpPictureTurnsOnceInTwoHundredFiftyTwoLoopingFrames) {
  TempDir dir;
  const Bitmap picture = RenderDocument(PlotDocument::StartUp(), 36, 24)->picture;
  WriteCycleGif(picture, 1, dir / "ciclo.gif");

  const GifFile file(dir / "ciclo.gif");
  ASSERT_NE(file.gif, nullptr);
  ASSERT_EQ(file.error, 0);
  ASSERT_EQ(file.gif->ImageCount, 252);
  EXPECT_EQ(file.gif->SWidth, 36);
  EXPECT_EQ(file.gif->SHeight, 24);
  EXPECT_TRUE(LoopsForEver(file.gif->SavedImages[0]));
  const ColorMapObject* colors = file.gif->SColorMap;
  ASSERT_NE(colors, nullptr);
  int wrongFrames = 0;
  for (int k = 0; k < file.gif->ImageCount; ++k) {
    GraphicsControlBlock control;
    ASSERT_EQ(DGifSavedExtensionToGCB(file.gif, k, &control), GIF_OK);
    EXPECT_EQ(control.DelayTime, 5);
    const SavedImage& frame = file.gif->SavedImages[k];
    ASSERT_EQ(frame.ImageDesc.Width, 36);
    bool same = true;
    for (int y = 0; y < 24; ++y) {
      for (int x = 0; x < 36; ++x) {
        // After k ticks of 1 the gradient indices 4..255 have moved k places round.
        const int v = picture.Row(y)[x];
        const int shown = v > 3 ? 4 + (v - 4 + k) % 252 : v;
        const GifColorType c = colors->Colors[frame.RasterBits[y * 36 + x]];
        same = same && Rgb{c.Red, c.Green, c.Blue} == picture.palette[static_cast<std::size_t>(shown)];
      }
    }
    wrongFrames += same ? 0 : 1;
  }
  EXPECT_EQ(wrongFrames, 0);
}

TEST(PaletteCycleTest, RefusalsLeaveNoFile) {
  TempDir dir;
  const Bitmap picture = RenderDocument(PlotDocument::StartUp(), 4, 4)->picture;
  EXPECT_THROW(WriteCycleGif(picture, 0, dir / "quieto.gif"), AnimationSpeedError);
  EXPECT_THROW(WriteCycleGif(picture, 1, dir / "no" / "hay.gif"), ImageWriteError);
  EXPECT_THROW(WriteCycleGif(Bitmap(70000, 1), 1, dir / "ancho.gif"), ImageWriteError);
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

}  // namespace
}  // namespace vorla
