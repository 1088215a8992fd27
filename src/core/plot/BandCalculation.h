#pragma once
// A picture calculated a band of rows at a time, for pictures too large to
// hold whole: each band gets the indices CalculateIndexed gives those rows of
// the whole picture, and Finish the statistics it gives the whole picture.

#include <chrono>
#include <optional>

#include "core/io/Bitmap.h"
#include "core/plot/Navigation.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/RowCalculation.h"

namespace vorla {

class BandCalculation {
 public:
  // For a width x height picture of the plane rectangle `view`; raises
  // EmptyPictureError for a width or height of 0. `threads` as for
  // CalculateIndexed.
  BandCalculation(int width, int height, const ViewBounds& view, const IndexSettings& settings,
                  PixelEvaluator& evaluator, int threads = 0);

  // Rows firstRow .. firstRow + band.Height() - 1 of the picture into `band`
  // (8 bits, the picture's width). Each band adjoins the ones before, above
  // or below them all, in the order the file being written needs. progress
  // counts the band's rows; a stop requested through `stop` ends it within a
  // row, the band partly calculated and left out of the statistics.
  CalculationEnd Calculate(Bitmap& band, int firstRow, const RowProgress& progress = {}, const std::stop_token& stop = {});

  // After the last band: the whole picture's statistics and information line,
  // the calculating time being the bands' own. Tells the evaluator the range
  // to show, as a whole calculation ends.
  const PictureStats& Finish();

 private:
  int width_;
  int height_;
  IndexSettings settings_;
  PixelEvaluator& evaluator_;
  int threads_;
  PixelGrid grid_;
  PictureStats stats_;
  int top_;     // the highest row calculated so far
  int bottom_;  // one past the lowest
  int lastTop_;  // of the band calculated last
  // The bounds a failing Zmin or Zmax gives: before the picture, and after
  // its top band, which the whole picture's order meets last.
  ScaleBounds before_;
  std::optional<ScaleBounds> afterTop_;
  std::chrono::steady_clock::duration calculating_{};
};

}  // namespace vorla
