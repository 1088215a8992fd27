// Status-bar readouts under the mouse and over the gradient, and the information report lines.

#include <gtest/gtest.h>

#include "core/expr/Expresion.h"
#include "core/plot/Readout.h"

namespace vorla {
namespace {

TEST(ReadoutTest, MouseReadoutShowsTheErrorInPlaceOfTheValues) {
  // error: null: the evaluation succeeded
  struct Row { const char* name; float x, y, r, w, f, zmin, zmax; const char* error; std::string text; };
  const Row rows[] = {
      {"value with its scale", 0.5f, -2, 2.0615528f, -1.3258177f, 1.25f, -3.1415927f, 3.1415927f, nullptr,
       "x=0.5 y=-2 r=2.06155 w=-1.32582 f=1.25 [min=-3.14159, max=3.14159]"},
      {"failed evaluation", 0.5f, -2, 2.0615528f, -1.3258177f, 99, 1, 2, "Divisi\xF3n por cero",
       "x=0.5 y=-2 r=2.06155 w=-1.32582 Divisi\xF3n por cero"},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    Probe probe;
    probe.x = row.x;
    probe.y = row.y;
    probe.r = row.r;
    probe.w = row.w;
    probe.f = row.f;
    probe.zmin = row.zmin;
    probe.zmax = row.zmax;
    probe.hasError = row.error != nullptr;
    if (row.error) probe.errorText = row.error;
    EXPECT_EQ(MouseReadout(probe), row.text);
  }
}

TEST(ReadoutTest, GradientProbeShowsTheValueThePicturePaintsWithTheEntry) {
  struct Row { const char* name; float zmin, zmax; int index; double z; };
  const Row rows[] = {
      {"entry 6 is the bottom", -1, 1, 6, -1},
      {"entry 255 is the top", 0, 249, 255, 249},
      {"middle entry", 0, 249, 131, 125},
      {"reversed scale", 249, 0, 56, 199},
      {"entries before 6 lie below the scale", 0, 249, 4, -2},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_DOUBLE_EQ(LevelValue(row.zmin, row.zmax, row.index), row.z);
  }
  EXPECT_EQ(GradientReadout(0.25, -3.1415927f, 3.1415927f), "x=0 y=0 z=0.25 [min=-3.14159, max=3.14159]");
}

TEST(ReadoutTest, InfoReportListsOnlyTheErrorsThatOccurred) {
  const std::string stats = "12 puntos\r\nVel: 3 Kilopixels/seg";
  EXPECT_EQ(InfoReportLines(stats, {}), std::vector<std::string>{stats});
  std::array<int, 9> counts{};
  counts[1] = 7;   // code 12
  counts[8] = 40;  // code 19
  const std::vector<std::string> expected{stats, "7 puntos con error: " + TExpresion::ErrorMessage(12),
                                          "40 puntos con error: " + TExpresion::ErrorMessage(19)};
  EXPECT_EQ(InfoReportLines(stats, counts), expected);
}

}  // namespace
}  // namespace vorla
