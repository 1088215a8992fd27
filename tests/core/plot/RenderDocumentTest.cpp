// Documents rendered without a window, as the command line renders them:
// golden index rows, the view as the window shows it, the aspect correction
// of loaded documents, and refused documents.

#include <gtest/gtest.h>

#include <cmath>
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

std::vector<int> Indices(const Bitmap& picture) {
  std::vector<int> indices;
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) indices.push_back(picture.Row(y)[x]);
  return indices;
}

std::vector<int> Ramp(int first, int last) {
  std::vector<int> indices;
  for (int i = first; i <= last; ++i) indices.push_back(i);
  return indices;
}

// Pixel column c lies at x = Xmin + c * (Xmax - Xmin) / width, row r at
// y = Ymin + r * (Ymax - Ymin) / height; level k of 249 steps is index 6 + k.
TEST(RenderDocumentTest, GoldenRows) {
  struct Row {
    const char* name;
    const char* func;
    const char* xmax;
    const char* ymax;
    const char* zmin;
    const char* zmax;
    int width, height;
    std::vector<int> indices;
  };
  const Row rows[] = {
      {"x over 0..250 left to right", "x", "250", "1", "0", "249", 250, 1, Ramp(6, 255)},
      {"y over 0..250 top to bottom", "y", "1", "250", "0", "249", 1, 250, Ramp(6, 255)},
      {"below, inside and above the scale", "x", "500", "1", "100", "349", 5, 1, {1, 6, 106, 206, 2}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    PlotDocument d = PlotDocument::FileDefaults();
    d.Func = std::string(r.func);
    d.Xmin = std::string("0");
    d.Ymin = std::string("0");
    d.Xmax = std::string(r.xmax);
    d.Ymax = std::string(r.ymax);
    d.Zmin = std::string(r.zmin);
    d.Zmax = std::string(r.zmax);
    EXPECT_EQ(Indices(RenderDocument(d, r.width, r.height).picture), r.indices);
  }
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
