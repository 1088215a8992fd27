// Documents rendered without a window, as the command line renders them:
// golden index rows, the view as the window shows it, the aspect correction
// of loaded documents, and refused documents.

#include <gtest/gtest.h>

#include <cmath>
#include <numeric>
#include <vector>

#include "core/plot/RenderDocument.h"

namespace vorla {
namespace {

PlotDocument UnitSquare(const std::string& func) {
  PlotDocument d = PlotDocument::FileDefaults();
  d.Func = func;
  d.Xmin = std::string("-1");
  d.Xmax = std::string("1");
  d.Ymin = std::string("-1");
  d.Ymax = std::string("1");
  return d;
}

// Column c lies at x = Xmin + c * (Xmax - Xmin) / width; level k of the 249
// steps from Zmin to Zmax is index 6 + k.
TEST(RenderDocumentTest, GoldenRows) {
  std::vector<int> everyLevel(250);
  std::iota(everyLevel.begin(), everyLevel.end(), 6);
  struct Row { const char* name; const char* xmax; const char* zmin; const char* zmax; std::vector<int> indices; };
  const Row rows[] = {
      {"x over 0..250: every level, left to right", "250", "0", "249", everyLevel},
      {"below, inside and above the scale", "500", "100", "349", {1, 6, 106, 206, 2}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    PlotDocument d = UnitSquare("x");
    d.Xmin = std::string("0");
    d.Xmax = std::string(r.xmax);
    d.Zmin = std::string(r.zmin);
    d.Zmax = std::string(r.zmax);
    const int width = static_cast<int>(r.indices.size());
    const Bitmap picture = RenderDocument(d, width, 1)->picture;
    EXPECT_EQ(std::vector<int>(picture.Row(0), picture.Row(0) + width), r.indices);
  }
}

TEST(RenderDocumentTest, ViewFollowsTheDocumentAndItsSavedShape) {
  const float pi = 3.14159265f;
  struct Row { const char* name; PlotDocument document; std::optional<float> savedAspect; float stepX, stepY; };
  const Row rows[] = {
      {"start-up document stretched, not corrected", PlotDocument::StartUp(), std::nullopt, 6 * pi / 20, 6 * pi / 10},
      {"saved square, shown wide: x range doubles", UnitSquare("x"), 1.0f, 0.2f, 0.2f},
      {"saved in this shape: unchanged", UnitSquare("x"), 0.5f, 0.1f, 0.2f},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    const RenderedPicture rendered = *RenderDocument(r.document, 20, 10, r.savedAspect);
    EXPECT_FLOAT_EQ(rendered.stats.stepX, r.stepX);
    EXPECT_FLOAT_EQ(rendered.stats.stepY, r.stepY);
    EXPECT_EQ(rendered.picture.BitsPerPixel(), 8);
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

}  // namespace
}  // namespace vorla
