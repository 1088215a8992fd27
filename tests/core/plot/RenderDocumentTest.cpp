// Documents rendered without a window: the view as the window shows it, the
// aspect correction of loaded documents, refused documents, and a paletted
// picture (its file encoding is the image writer's tests' business).

#include <gtest/gtest.h>

#include <cmath>

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

}  // namespace
}  // namespace vorla
