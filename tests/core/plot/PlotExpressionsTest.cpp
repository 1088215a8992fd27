// The plot's expressions in their environments, driving the real calculation.

#include <gtest/gtest.h>

#include <cmath>

#include "core/expr/Expresion.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {
namespace {

PlotDocument Document(const std::string& func, const std::string& zmin = "0",
                      const std::string& zmax = "249") {
  PlotDocument d = PlotDocument::StartUp();
  d.Func = func;
  d.Zmin = zmin;
  d.Zmax = zmax;
  d.BucMax = false;
  return d;
}

TEST(PlotExpressionsTest, EnvironmentValuesSeenByTheFunction) {
  PlotExpressions plot;
  plot.Compile(Document("0"));
  ASSERT_FALSE(plot.CheckExpressions());
  const ViewBounds view = plot.EvaluateRange();
  EXPECT_FLOAT_EQ(static_cast<float>(view.left), -3 * 3.14159265f);
  EXPECT_FLOAT_EQ(static_cast<float>(view.bottom), 3 * 3.14159265f);
  plot.SetView(view);
  struct Row { const char* name; const char* func; float x, y, expected; };
  const Row rows[] = {
      {"radius", "r", 3, 4, 5},
      {"angle", "w", -1, 0, 3.14159265f},
      {"radius and angle together", "r*w", 0, 2, 3.14159265f},
      {"minY is the bottom edge", "minY", 0, 0, 3 * 3.14159265f},
      {"maxY is the top edge", "maxY", 0, 0, -3 * 3.14159265f},
      {"no calculation yet", "minZ+maxZ+fX", 0, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    plot.Compile(Document(r.func));
    const auto values = plot.EvaluateAt(r.x, r.y);
    EXPECT_FALSE(values.hasError) << values.errorText;
    EXPECT_FLOAT_EQ(values.f, r.expected);
  }
}

TEST(PlotExpressionsTest, ReportsTheLastFailingFieldInCheckingOrder) {
  struct Row { const char* name; PlotDocument document; std::optional<PlotExpressions::Field> field; };
  PlotDocument badFuncAndZmin = Document("Sen(", "1+");
  PlotDocument badRanges = Document("x");
  badRanges.Xmax = std::string("(");
  badRanges.Ymin = std::string("x");  // x is not seen by the range expressions
  const Row rows[] = {
      {"all good", Document("x"), std::nullopt},
      {"Zmin after Func", badFuncAndZmin, PlotExpressions::kZmin},
      {"Ymin last", badRanges, PlotExpressions::kYmin},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    PlotExpressions plot;
    plot.Compile(r.document);
    const auto failure = plot.CheckExpressions();
    ASSERT_EQ(failure.has_value(), r.field.has_value());
    if (failure) {
      EXPECT_EQ(failure->field, *r.field);
      EXPECT_NE(failure->message.find(PlotExpressions::FieldLabel(*r.field)), std::string::npos);
    }
  }
}

TEST(PlotExpressionsTest, CalculatesWithRealExpressions) {
  PlotExpressions plot;
  PlotDocument d = Document("x+y*10");
  d.Xmin = std::string("0");
  d.Xmax = std::string("4");
  d.Ymin = std::string("0");
  d.Ymax = std::string("3");
  plot.Compile(d);
  const ViewBounds view = plot.EvaluateRange();
  Bitmap picture(4, 3);
  PictureStats stats;
  CalculateIndexed(picture, PixelRect{}, view, IndexSettings::From(d), plot, stats);
  const std::uint8_t expected[3][4] = {{6, 7, 8, 9}, {16, 17, 18, 19}, {26, 27, 28, 29}};
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 4; ++x) EXPECT_EQ(picture.Row(y)[x], expected[y][x]) << x << "," << y;
  // The found range becomes minZ and maxZ for the next calculation; fX is the step.
  plot.Compile(Document("minZ*100+maxZ+fX"));
  EXPECT_FLOAT_EQ(plot.EvaluateAt(0, 0).f, 0 * 100 + 23 + 1);
  // Failures of f paint the background and count by code.
  plot.Compile(Document("Ln(x-2)"));
  CalculateIndexed(picture, PixelRect{}, view, IndexSettings::From(d), plot, stats);
  EXPECT_EQ(picture.Row(0)[0], 0);
  int failures = 0;
  for (int count : stats.errorCounts) failures += count;
  EXPECT_EQ(failures, 9) << "columns 0..2 of three rows";
}

}  // namespace
}  // namespace vorla
