// The picture calculation: level and wrap rules, filters, errors and faults,
// partial rectangles, progress, on small golden index grids.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <stdexcept>
#include <utility>
#include <vector>

#include "core/plot/PictureCalculation.h"

namespace vorla {
namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();

TEST(LevelIndexTest, LevelsAndWrapRules) {
  const float pi = 3.14159265f;
  struct Row {
    const char* name;
    float z, zmin, zmax;
    IndexSettings settings;
    int expected;  // -1: a fault
  };
  const IndexSettings plain{};
  const IndexSettings wrap{true, true, true, false, false, 0, 0};
  const IndexSettings flat{false, false, false, false, false, 0, 0};
  const Row rows[] = {
      {"Zmin gives 6", -pi, -pi, pi, plain, 6},
      {"Zmax gives 255", pi, -pi, pi, plain, 255},
      {"tie rounds down to even", 0.5f, 0, 249, plain, 6},
      {"tie rounds up to even", 1.5f, 0, 249, plain, 8},
      {"second tie to even", 2.5f, 0, 249, plain, 8},
      {"difference kept wider than float", 2.5f, -1e-8f, 249, plain, 9},
      {"below without Bucle", -1, 0, 249, plain, 1},
      {"above without Bucle", 250, 0, 249, plain, 2},
      {"gradient off", 7, 0, 249, flat, 3},
      {"wrap below one step", -1, 0, 249, wrap, 254},
      {"wrap below 249 steps", -249, 0, 249, wrap, 6},
      {"wrap below 250 steps", -250, 0, 249, wrap, 255},
      {"wrap above first level", 250, 0, 249, wrap, 6},
      {"wrap above second round", 501, 0, 249, wrap, 7},
      {"narrow scale in range is flat", 1, 1, 1, wrap, 3},
      {"narrow scale above ignores Bucle", 2, 1, 1, wrap, 2},
      {"narrow scale below ignores Bucle", 0, 1, 1, wrap, 1},
      {"reversed scale, below wraps with negative steps", 100, 249, 0, wrap, 155},
      {"reversed scale, above wraps with k < 0", 300, 249, 0, wrap, 204},
      {"reversed scale without Bucle", 100, 249, 0, plain, 1},
      {"level beyond 32 bits is a fault", 1e30f, 0, 249, wrap, -1},
      {"unordered value is below", kNaN, 0, 249, plain, 1},
      {"unordered value with Bucle is a fault", kNaN, 0, 249, wrap, -1},
      {"scale wider than a float is a fault", 0, -3e38f, 3e38f, plain, -1},
      {"scale wider than a float, gradient off", 0, -3e38f, 3e38f, flat, -1},
      {"reversed scale wider than a float", 0, 3e38f, -3e38f, wrap, -1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::uint8_t index = 77;
    const bool ok = LevelIndex(r.z, r.zmin, r.zmax, r.settings, index);
    EXPECT_EQ(ok, r.expected >= 0);
    if (ok) {
      EXPECT_EQ(index, r.expected);
    }
  }
}

// An evaluator driven by a function of the pixel's x and y.
class FakeEvaluator : public PixelEvaluator {
 public:
  // Returns z; sets code for an evaluation error; may throw.
  using Function_ = std::function<float(float x, float y, int& code)>;
  explicit FakeEvaluator(Function_ f, float zmin = 0, float zmax = 249)
      : f_(std::move(f)), zmin_(zmin), zmax_(zmax) {}

  void BeginPicture(const ViewBounds& view, float stepX, float stepY) override {
    view_ = view;
    stepX_ = stepX;
    stepY_ = stepY;
  }
  void SetRowY(float y) override { y_ = y; }
  void SetColumnX(float x) override { x_ = x; }
  float Function(int& errorCode) override {
    visited.emplace_back(x_, y_);
    return f_(x_, y_, errorCode);
  }
  float ScaleMin() override {
    ++scaleReads;
    return zmin_;
  }
  float ScaleMax() override { return zmax_; }
  void EndPicture(float shownMin, float shownMax) override { shown = {shownMin, shownMax}; }

  std::vector<std::pair<float, float>> visited;
  int scaleReads = 0;
  std::pair<float, float> shown{0, 0};
  ViewBounds view_;
  float stepX_ = 0, stepY_ = 0;

 private:
  Function_ f_;
  float zmin_, zmax_;
  float x_ = 0, y_ = 0;
};

std::vector<std::vector<int>> Grid(const Bitmap& picture) {
  std::vector<std::vector<int>> grid;
  for (int y = 0; y < picture.Height(); ++y) {
    grid.emplace_back();
    for (int x = 0; x < picture.Width(); ++x) grid.back().push_back(picture.Row(y)[x]);
  }
  return grid;
}

// A 4 x 3 picture over x 0..4, y 0..3: each pixel sees x = column, y = row.
const ViewBounds kUnitView{0, 0, 4, 3};
const PixelRect kWhole{0, 0, 0, 0};

TEST(CalculateIndexedTest, WholePictureGoldenGrid) {
  Bitmap picture(4, 3);
  FakeEvaluator eval([](float x, float y, int&) { return x + 100 * y; }, 0, 249);
  PictureStats stats;
  IndexSettings settings;
  settings.wrapAbove = true;
  CalculateIndexed(picture, kWhole, kUnitView, settings, eval, stats);
  EXPECT_EQ(Grid(picture), (std::vector<std::vector<int>>{
                               {6, 7, 8, 9}, {106, 107, 108, 109}, {206, 207, 208, 209}}));
  EXPECT_EQ(eval.visited.front(), (std::pair<float, float>{3, 2})) << "bottom-right first";
  EXPECT_EQ(eval.visited.back(), (std::pair<float, float>{0, 0}));
  EXPECT_EQ(stats.foundMin, 0);
  EXPECT_EQ(stats.foundMax, 203);
  EXPECT_EQ(eval.shown, (std::pair<float, float>{0, 203}));
  EXPECT_EQ(stats.stepX, 1);
  EXPECT_EQ(stats.stepY, 1);
  EXPECT_EQ(stats.pixels, 12);
  EXPECT_EQ(stats.infoText.rfind("Pixels calculados: 12 en ", 0), 0u) << "a calculation under a millisecond";
  EXPECT_EQ(CalculationInfoLine(1000, 500), "Pixels calculados: 1000 en 0.0005 seg\r\nVel: 2000 Kilopixels/seg");

  // A mirrored view (Xmin > Xmax, the flip commands) mirrors the grid.
  FakeEvaluator again([](float x, float, int&) { return x; }, 0, 249);
  CalculateIndexed(picture, kWhole, ViewBounds{4, 0, 0, 3}, settings, again, stats);
  EXPECT_EQ(Grid(picture)[0], (std::vector<int>{10, 9, 8, 7}));
  EXPECT_EQ(stats.stepX, -1);
}

TEST(CalculateIndexedTest, FiltersBlankValuesButTheyStillCountForTheRange) {
  struct Row {
    const char* name;
    bool below, above;
    std::vector<int> expected;
    int scaleReads;
  };
  const Row rows[] = {
      {"no filter", false, false, {6, 7, 8, 9}, 4},
      {"lower filter", true, false, {0, 0, 8, 9}, 2},
      {"upper filter", false, true, {6, 7, 8, 0}, 3},
      {"both", true, true, {0, 0, 8, 0}, 1},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Bitmap picture(4, 1);
    FakeEvaluator eval([](float x, float, int&) { return x; });
    IndexSettings settings;
    settings.filterBelow = r.below;
    settings.filterAbove = r.above;
    settings.filterMin = 1.5f;
    settings.filterMax = 2.5f;
    PictureStats stats;
    CalculateIndexed(picture, kWhole, ViewBounds{0, 0, 4, 1}, settings, eval, stats);
    EXPECT_EQ(Grid(picture)[0], r.expected);
    EXPECT_EQ(eval.scaleReads, r.scaleReads) << "the scale is read only for kept pixels";
    EXPECT_EQ(stats.foundMin, 0);
    EXPECT_EQ(stats.foundMax, 3);
  }
}

TEST(CalculateIndexedTest, ErrorsAndFaultsGiveIndexZeroAndAreCounted) {
  Bitmap picture(6, 1);
  FakeEvaluator eval([](float x, float, int& code) -> float {
    switch (static_cast<int>(x)) {
      case 0: code = 12; return 0;
      case 1: code = 12; return 0;
      case 2: code = 20; return 0;  // a message node: painted, not counted
      case 3: code = 19; return 0;
      case 4: return 1e30f;         // level beyond 32 bits with Bucle
      default: return 5;
    }
  });
  IndexSettings settings;
  settings.wrapAbove = true;
  PictureStats stats;
  stats.errorCounts[0] = 99;  // cleared by every calculation
  CalculateIndexed(picture, kWhole, ViewBounds{0, 0, 6, 1}, settings, eval, stats);
  EXPECT_EQ(Grid(picture)[0], (std::vector<int>{0, 0, 0, 0, 0, 11}));
  EXPECT_EQ(stats.ErrorCount(11), 0);
  EXPECT_EQ(stats.ErrorCount(12), 2);
  EXPECT_EQ(stats.ErrorCount(19), 2);
  EXPECT_EQ(stats.ErrorCount(20), 0);
  EXPECT_EQ(stats.foundMin, 5) << "failed pixels do not count for the range";
  EXPECT_EQ(stats.foundMax, 1e30f);
}

TEST(CalculateIndexedTest, AnUnexpectedExceptionFailsTheCalculation) {
  Bitmap picture(3, 2);
  FakeEvaluator eval([](float x, float, int&) -> float {
    if (x == 1) throw std::bad_alloc();
    return x;
  });
  PictureStats stats;
  EXPECT_THROW(CalculateIndexed(picture, kWhole, ViewBounds{0, 0, 3, 2}, IndexSettings{}, eval, stats),
               std::bad_alloc);
}

TEST(CalculateIndexedTest, PartialRectanglesKeepTheFoundRange) {
  Bitmap picture(4, 3);
  float offset = 0;
  FakeEvaluator eval([&](float x, float y, int&) { return offset + x + 10 * y; });
  PictureStats stats;
  CalculateIndexed(picture, kWhole, kUnitView, IndexSettings{}, eval, stats);
  ASSERT_EQ(stats.foundMax, 23);

  struct Row {
    const char* name;
    PixelRect rect;
    float offset;
    float foundMin, foundMax;
    std::vector<std::vector<int>> grid;
  };
  const Row rows[] = {
      {"strip with higher values widens the top", {2, 0, 4, 1}, 100, 0, 103,
       {{6, 7, 108, 109}, {16, 17, 18, 19}, {26, 27, 28, 29}}},
      {"inverted rectangle with lower values widens the bottom", {1, 3, 0, 2}, -25, -5, 103,
       {{6, 7, 108, 109}, {16, 17, 18, 19}, {1, 27, 28, 29}}},
      {"rectangle beyond the picture is clipped", {3, 2, 9, 9}, 0, -5, 103,
       {{6, 7, 108, 109}, {16, 17, 18, 19}, {1, 27, 28, 29}}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    offset = r.offset;
    CalculateIndexed(picture, r.rect, kUnitView, IndexSettings{}, eval, stats);
    EXPECT_EQ(stats.foundMin, r.foundMin);
    EXPECT_EQ(stats.foundMax, r.foundMax);
    EXPECT_EQ(stats.shownMax, r.foundMax);
    EXPECT_EQ(stats.stepX, 1) << "steps come from the whole picture";
    EXPECT_EQ(Grid(picture), r.grid);
  }
  offset = 0;
  CalculateIndexed(picture, kWhole, kUnitView, IndexSettings{}, eval, stats);
  EXPECT_EQ(stats.foundMin, 0) << "a whole picture starts the range afresh";
  EXPECT_EQ(stats.foundMax, 23);
}

TEST(CalculateIndexedTest, ReportsRowsDoneAndRefusesEmptyPictures) {
  struct Row { const char* name; int width, height; PixelRect rect; std::vector<int> done; };
  const Row rows[] = {
      {"whole picture", 2, 3, kWhole, {1, 2, 3}},
      {"one pixel", 1, 1, kWhole, {1}},
      {"two rows of three", 2, 3, {0, 1, 2, 3}, {1, 2}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Bitmap picture(r.width, r.height);
    FakeEvaluator eval([](float, float, int&) { return 0.0f; });
    PictureStats stats;
    std::vector<int> done;
    CalculateIndexed(picture, r.rect, ViewBounds{0, 0, 1, 1}, IndexSettings{}, eval, stats,
                     [&](int rowsDone, int rowCount) {
                       done.push_back(rowsDone);
                       EXPECT_EQ(rowCount, static_cast<int>(r.done.size()));
                     });
    EXPECT_EQ(done, r.done);
  }
  for (const auto& [w, h] : {std::pair{0, 5}, std::pair{5, 0}}) {
    Bitmap empty(w, h);
    FakeEvaluator eval([](float, float, int&) { return 0.0f; });
    PictureStats stats;
    EXPECT_THROW(CalculateIndexed(empty, kWhole, kUnitView, IndexSettings{}, eval, stats),
                 EmptyPictureError);
  }
}

}  // namespace
}  // namespace vorla
