// Documents rendered without a window: the view as the window shows it, the
// aspect correction of loaded documents, refused documents, and the bitmap
// file holding the palette indices.

#include <gtest/gtest.h>

#include <cmath>

#include "core/io/ImageWriter.h"
#include "core/plot/RenderDocument.h"
#include "TempDir.h"

namespace vorla {
namespace {

using testing_support::ReadBytes;
using testing_support::TempDir;

PlotDocument UnitSquare(const std::string& func) {
  PlotDocument d = PlotDocument::FileDefaults();
  d.Func = func;
  d.Xmin = std::string("-1");
  d.Xmax = std::string("1");
  d.Ymin = std::string("-1");
  d.Ymax = std::string("1");
  return d;
}

TEST(RenderDocumentTest, ViewFollowsTheDocumentAndItsSavedShape) {
  const float pi = 3.14159265f;
  struct Row {
    const char* name;
    PlotDocument document;
    std::optional<float> savedAspect;
    float stepX, stepY;
  };
  const Row rows[] = {
      {"start-up document stretched, not corrected", PlotDocument::StartUp(), std::nullopt,
       6 * pi / 20, 6 * pi / 10},
      {"saved square, shown wide: x range doubles", UnitSquare("x"), 1.0f, 0.2f, 0.2f},
      {"saved in this shape: unchanged", UnitSquare("x"), 0.5f, 0.1f, 0.2f},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const RenderedPicture rendered = RenderDocument(r.document, 20, 10, r.savedAspect);
    EXPECT_FLOAT_EQ(rendered.stats.stepX, r.stepX);
    EXPECT_FLOAT_EQ(rendered.stats.stepY, r.stepY);
    EXPECT_EQ(rendered.picture.palette, DocumentPalette(r.document));
  }
}

TEST(RenderDocumentTest, RefusesDocumentsNamingTheField) {
  PlotDocument badGradient = UnitSquare("x");
  badGradient.ColGra = std::string("06FF00ZZ");
  PlotDocument badRange = UnitSquare("x");
  badRange.Xmax = std::string("Ln(-1)");
  struct Row { const char* name; PlotDocument document; const char* field; };
  const Row rows[] = {
      {"function does not compile", UnitSquare("Sen("), "Funci\xF3n"},
      {"palette string", badGradient, "ColGra"},
      {"range bound fails to evaluate, even when correcting the aspect", badRange, "X m\xE1ximo"},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    try {
      RenderDocument(r.document, 8, 4, 1.0f);
      ADD_FAILURE() << "rendered";
    } catch (const RenderError& e) {
      EXPECT_NE(std::string(e.what()).find(r.field), std::string::npos) << e.what();
    }
  }
  EXPECT_THROW(RenderDocument(UnitSquare("x"), 0, 4), EmptyPictureError);
  EXPECT_THROW(RenderDocument(UnitSquare("x"), 4, 0), EmptyPictureError);
}

TEST(RenderDocumentTest, BitmapFileHoldsThePaletteIndices) {
  TempDir dir;
  const RenderedPicture rendered = RenderDocument(PlotDocument::StartUp(), 13, 7);
  WriteImage(rendered.picture, dir / "a.bmp");
  const std::string bytes = ReadBytes(dir / "a.bmp");
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  ASSERT_EQ(bytes.size(), 14u + 40 + 256 * 4 + 16 * 7);
  EXPECT_EQ(byte(28), 8) << "bits per pixel";
  const Palette& palette = rendered.picture.palette;
  for (int i = 0; i < 256; ++i) {
    const std::size_t at = 54 + 4 * static_cast<std::size_t>(i);
    EXPECT_EQ((Rgb{byte(at + 2), byte(at + 1), byte(at)}), palette[i]) << "entry " << i;
  }
  // Rows are stored bottom-up, each padded to 16 bytes.
  for (int y = 0; y < 7; ++y)
    for (int x = 0; x < 13; ++x)
      EXPECT_EQ(byte(1078 + 16 * static_cast<std::size_t>(6 - y) + x), rendered.picture.Row(y)[x])
          << x << "," << y;
}

}  // namespace
}  // namespace vorla
