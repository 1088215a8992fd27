#include "core/plot/BandCalculation.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <optional>


namespace vorla {
namespace {

// The scale bounds of a band where no pixel read them: a NaN no evaluation makes.
constexpr std::uint32_t kUnscaledBits = 0x7FC0BA5Du;

bool Unscaled(float zmin) { return std::bit_cast<std::uint32_t>(zmin) == kUnscaledBits; }

// The whole calculation visits rows bottom-up: a band is met before the rows
// already calculated when it lies below them. Ties (0 and -0) then go to the
// value met first, and the last scale bounds are those met last.
void Merge(PictureStats& total, const PictureStats& band, bool metFirst) {
  if (metFirst ? band.foundMin <= total.foundMin : band.foundMin < total.foundMin) total.foundMin = band.foundMin;
  if (metFirst ? band.foundMax >= total.foundMax : band.foundMax > total.foundMax) total.foundMax = band.foundMax;
  if (!Unscaled(band.lastZmin) && (!metFirst || Unscaled(total.lastZmin))) {
    total.lastZmin = band.lastZmin;
    total.lastZmax = band.lastZmax;
  }
  for (std::size_t k = 0; k < total.errorCounts.size(); ++k) total.errorCounts[k] += band.errorCounts[k];
  total.treePixels += band.treePixels;
}

}  // namespace

BandCalculation::BandCalculation(int width, int height, const ViewBounds& view, const IndexSettings& settings,
                                 PixelEvaluator& evaluator, int threads)
    : width_(width), height_(height), settings_(settings), evaluator_(evaluator), threads_(threads),
      grid_{view, 0, 0}, top_(height), bottom_(height), lastTop_(height) {
  if (width <= 0 || height <= 0) throw EmptyPictureError();
  stats_.stepX = StepOf(view.right - view.left, width);
  stats_.stepY = StepOf(view.bottom - view.top, height);
  stats_.lastZmin = stats_.lastZmax = std::bit_cast<float>(kUnscaledBits);
  grid_.stepX = stats_.stepX;
  grid_.stepY = stats_.stepY;
  evaluator_.BeginPicture(view, stats_.stepX, stats_.stepY);
  before_ = evaluator_.LastGoodScale();
}

CalculationEnd BandCalculation::Calculate(Bitmap& band, int firstRow, const RowProgress& progress,
                                const std::stop_token& stop) {
  const auto started = std::chrono::steady_clock::now();
  const PixelRect rect{0, firstRow, width_, firstRow + band.Height()};
  PictureStats result;
  result.lastZmin = result.lastZmax = std::bit_cast<float>(kUnscaledBits);
  // A failing scale bound gives the last good one before the band in the
  // whole picture's order: found in the rows below unless the band just
  // calculated ends right below this one.
  if (rect.bottom != lastTop_)
    evaluator_.SetLastGoodScale(rect.bottom == height_ ? before_
                                                       : GoodScaleAfter(rect.bottom, height_ - 1, width_, grid_,
                                                                        settings_, evaluator_, before_));
  std::optional<CalculationEnd> end =
      CalculateRows(band, firstRow, rect, grid_, settings_, evaluator_, result, progress, threads_, stop);
  if (!end) end = CalculatePixels(band, firstRow, rect, grid_, settings_, evaluator_, result, progress, stop);
  if (*end == CalculationEnd::kStopped) return CalculationEnd::kStopped;
  lastTop_ = rect.top;
  if (rect.top == 0) afterTop_ = evaluator_.LastGoodScale();
  const bool first = top_ == bottom_;
  Merge(stats_, result, !first && rect.top >= bottom_);
  if (first) top_ = bottom_ = rect.top;
  top_ = std::min(top_, rect.top);
  bottom_ = std::max(bottom_, rect.bottom);
  calculating_ += std::chrono::steady_clock::now() - started;
  return CalculationEnd::kFinished;
}

const PictureStats& BandCalculation::Finish() {
  if (Unscaled(stats_.lastZmin)) stats_.lastZmin = stats_.lastZmax = 0;
  if (afterTop_) evaluator_.SetLastGoodScale(*afterTop_);
  stats_.shownMin = stats_.foundMin;
  stats_.shownMax = stats_.foundMax;
  evaluator_.EndPicture(stats_.shownMin, stats_.shownMax);
  stats_.pixels = static_cast<long long>(width_) * height_;
  stats_.microseconds = ElapsedMicroseconds(calculating_);
  stats_.infoText = CalculationInfoLine(stats_.pixels, stats_.microseconds);
  return stats_;
}

}  // namespace vorla
