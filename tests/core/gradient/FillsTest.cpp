// Shaded fills and tiling, recorded on a canvas that remembers every call.

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "core/gradient/Fills.h"

namespace vorla {
namespace {

struct Recorder : Canvas {
  struct Shape { Rect rect; TColor color; };
  std::vector<Shape> rects, ellipses;
  std::vector<std::pair<int, int>> texts;
  TextExtent extent;

  void FillRect(const Rect& rect, TColor color) override { rects.push_back({rect, color}); }
  void FillEllipse(const Rect& rect, TColor color) override { ellipses.push_back({rect, color}); }
  TextExtent MeasureText(const std::string&) override { return extent; }
  void DrawText(int x, int y, const std::string&) override { texts.emplace_back(x, y); }
};

TColor Gray(int v) { return static_cast<TColor>(v * 0x010101); }

// Bands must tile [from, to) along the fill direction without gaps or overlaps.
void ExpectContiguous(const std::vector<Recorder::Shape>& bands, bool vertical, int from, int to) {
  int at = from;
  for (const auto& band : bands) {
    EXPECT_EQ(vertical ? band.rect.top : band.rect.left, at);
    at = vertical ? band.rect.bottom : band.rect.right;
    EXPECT_GT(at, vertical ? band.rect.top : band.rect.left) << "empty band drawn";
  }
  EXPECT_EQ(at, to);
}

TEST(Fills, GradientFillBands) {
  struct Row { const char* name; Rect rect; bool vertical; std::size_t bands; TColor first, last; };
  const Row rows[] = {
      {"100 pixels, one per band", {0, 0, 7, 100}, true, 100, Gray(3), Gray(255)},
      {"1000 pixels, 255 bands", {5, 2, 1005, 9}, false, 255, Gray(1), Gray(255)},
      {"three pixels", {0, 10, 4, 13}, true, 3, Gray(85), Gray(255)},
      {"empty rectangle", {3, 3, 3, 40}, false, 0, 0, 0},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Recorder canvas;
    GradientFill(canvas, r.rect, 0x000000, 0xFFFFFF, r.vertical);
    ASSERT_EQ(canvas.rects.size(), r.bands);
    if (r.bands == 0) continue;
    EXPECT_EQ(canvas.rects.front().color, r.first);
    EXPECT_EQ(canvas.rects.back().color, r.last);
    ExpectContiguous(canvas.rects, r.vertical, r.vertical ? r.rect.top : r.rect.left,
                     r.vertical ? r.rect.bottom : r.rect.right);
    for (const auto& band : canvas.rects) {
      EXPECT_EQ(r.vertical ? band.rect.left : band.rect.top, r.vertical ? r.rect.left : r.rect.top);
      EXPECT_EQ(r.vertical ? band.rect.right : band.rect.bottom, r.vertical ? r.rect.right : r.rect.bottom);
    }
  }
  Recorder wide;
  GradientFill(wide, {0, 0, 1000, 1}, 0, 0xFFFFFF, false);
  EXPECT_EQ(wide.rects[0].rect.right, 4) << "1000 / 255 rounded, not cut";
  EXPECT_EQ(wide.rects[9].rect.right, 39);
}

TEST(Fills, CylinderLightLine) {
  struct Row { const char* name; Rect rect; bool horizontal; int position, split; };
  const Row rows[] = {
      {"position 3 across the height", {0, 0, 10, 26}, true, 3, 8},
      {"position 9 along the width", {10, 0, 30, 5}, false, 9, 28},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Recorder canvas;
    CylinderFill(canvas, r.rect, 0xFFFFFF, 0x000000, r.horizontal, r.position);
    const int from = r.horizontal ? r.rect.top : r.rect.left;
    const int to = r.horizontal ? r.rect.bottom : r.rect.right;
    ExpectContiguous(canvas.rects, r.horizontal, from, to);
    for (std::size_t i = 0; i + 1 < canvas.rects.size(); ++i) {
      const Rect& band = canvas.rects[i].rect;
      if ((r.horizontal ? band.bottom : band.right) == r.split) {
        EXPECT_EQ(canvas.rects[i].color, 0xFFFFFFu) << "light at the line";
      }
    }
    EXPECT_EQ(canvas.rects.back().color, 0u) << "edge colour at the far edge";
  }
}

TEST(Fills, SphereShrinksToTheCentre) {
  struct Row { const char* name; Rect rect; int cx, cy; std::size_t count; Rect last; };
  const Row rows[] = {
      {"centre given", {0, 0, 10, 26}, 3, 8, 19, {3, 8, 3, 8}},
      {"default centre", {0, 0, 10, 26}, kDefaultSphereCentre, kDefaultSphereCentre, 17, {4, 10, 4, 10}},
      {"collapsed rectangle", {5, 5, 5, 5}, 5, 5, 0, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    Recorder canvas;
    SphereFill(canvas, r.rect, 0xFFFFFF, 0x000000, r.cx, r.cy);
    ASSERT_EQ(canvas.ellipses.size(), r.count);
    if (r.count == 0) continue;
    EXPECT_EQ(canvas.ellipses.front().rect, r.rect);
    EXPECT_EQ(canvas.ellipses.front().color, 0u);
    EXPECT_EQ(canvas.ellipses.back().rect, r.last);
    EXPECT_EQ(canvas.ellipses.back().color, 0xFFFFFFu);
  }
  Recorder canvas;
  SphereFill(canvas, {0, 0, 10, 26}, 0xFFFFFF, 0, 3, 8);
  EXPECT_EQ(canvas.ellipses[1].rect, (Rect{0, 0, 10, 25})) << "-7/18 truncates towards zero, not down";
}

TEST(Fills, TileGraphicCoversTheRectangle) {
  struct Row { const char* name; Rect rect; int w, h, ox, oy; std::vector<std::pair<int, int>> at; };
  const Row rows[] = {
      {"offset 10 starts at -54", {0, 0, 100, 50}, 64, 32, 10, 0,
       {{-54, 0}, {-54, 32}, {10, 0}, {10, 32}, {74, 0}, {74, 32}}},
      {"negative offset", {0, 0, 20, 5}, 16, 8, -70, -3, {{-6, -3}, {-6, 5}, {10, -3}, {10, 5}}},
      {"offset of a whole tile", {0, 0, 3, 3}, 4, 4, 8, 4, {{0, 0}}},
      {"empty graphic draws nothing", {0, 0, 3, 3}, 0, 4, 0, 0, {}},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    std::vector<std::pair<int, int>> at;
    TileGraphic(r.rect, r.w, r.h, r.ox, r.oy, [&](int x, int y) { at.emplace_back(x, y); });
    EXPECT_EQ(at, r.at);
  }
}

}  // namespace
}  // namespace vorla
