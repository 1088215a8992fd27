#pragma once
// The picture calculation row by row on several threads, with the row
// evaluators the expressions offer, or pixel by pixel on the calling thread.
// Internal to CalculateIndexed and BandCalculation. Row firstRow of the
// picture is row 0 of `picture`, which holds the rows of rect.

#include <optional>

#include "core/io/Bitmap.h"
#include "core/plot/Navigation.h"
#include "core/plot/PictureCalculation.h"

namespace vorla {

// Where the pixels lie in the plane: computed in double, rounded once.
struct PixelGrid {
  ViewBounds view;
  double stepX;
  double stepY;
  float X(int column) const { return static_cast<float>(column * stepX + view.left); }
  float Y(int row) const { return static_cast<float>(row * stepY + view.top); }
};

// Counts a failed pixel under its code; codes beyond the counters are not counted.
void CountError(ErrorCounts& counts, int code);

// Calculates rect (clipped, possibly empty) into picture and stats exactly
// as the pixel-by-pixel loop would; nothing, leaving stats as they were,
// when it cannot: no row evaluators, or a point off the float range. A
// scale bound that fails gives the last one that did not, in the pixel
// loop's order: the evaluator's before the first row, which it gets back at
// the end. Stopped through `stop`, it leaves stats as they were.
std::optional<CalculationEnd> CalculateRows(Bitmap& picture, int firstRow, const PixelRect& rect, const PixelGrid& grid,
                   const IndexSettings& settings, PixelEvaluator& evaluator, PictureStats& stats,
                   const RowProgress& progress, int threads, const std::stop_token& stop);

// The bounds a failing Zmin or Zmax gives right after rows fromRow..lastRow
// of the picture in the pixel loop's order (the lower rows first): each the
// last read without failing there, else as in `before`. Leaves the
// evaluator's last good bounds for the caller to set.
ScaleBounds GoodScaleAfter(int fromRow, int lastRow, int width, const PixelGrid& grid,
                           const IndexSettings& settings, PixelEvaluator& evaluator, const ScaleBounds& before);

// The same pixel by pixel on this thread, bottom row first and each row from
// right to left; always possible.
CalculationEnd CalculatePixels(Bitmap& picture, int firstRow, const PixelRect& rect, const PixelGrid& grid,
                     const IndexSettings& settings, PixelEvaluator& evaluator, PictureStats& stats,
                     const RowProgress& progress, const std::stop_token& stop);

}  // namespace vorla
