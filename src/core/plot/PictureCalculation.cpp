#include "core/plot/PictureCalculation.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <optional>
#include <utility>

#include "core/io/NumberText.h"
#include "core/plot/LevelScale.h"
#include "core/plot/RowCalculation.h"

namespace vorla {

std::string CalculationInfoLine(long long pixels, long long us) {
  const double seconds = static_cast<double>(us) / 1e6;
  const double speed = static_cast<double>(pixels) * 1000 / static_cast<double>(us);
  std::string text = "Pixels calculados: ";
  text.append(std::to_string(pixels))
      .append(" en ")
      .append(FormatG(seconds, 6))
      .append(" seg\r\nVel: ")
      .append(FormatG(speed, 6))
      .append(" Kilopixels/seg");
  return text;
}

long long ElapsedMicroseconds(std::chrono::steady_clock::duration elapsed) {
  return std::max<long long>(1, std::chrono::duration_cast<std::chrono::microseconds>(elapsed).count());
}

[[gnu::noinline]] float StepOf(double extent, int pixels) { return static_cast<float>(extent / pixels); }

IndexSettings IndexSettings::From(const PlotDocument& d) {
  return IndexSettings{d.Gra, d.BucMin, d.BucMax, d.UsaFilMin, d.UsaFilMax, d.FilMin, d.FilMax};
}

EmptyPictureError::EmptyPictureError()
    : std::runtime_error("La imagen no tiene pixels: su ancho o su alto es 0") {}

double LevelValue(float zmin, float zmax, int index) {
  return zmin + static_cast<double>(LevelScale::Step(zmin, zmax)) * (index - LevelScale::kFirstLevelIndex);
}

bool LevelIndex(float z, float zmin, float zmax, const IndexSettings& settings,
                std::uint8_t& index) {
  return LevelScale(zmin, zmax).Index(z, settings, index);
}

CalculationEnd CalculateIndexed(Bitmap& picture, PixelRect rect, const ViewBounds& view,
                      const IndexSettings& settings, PixelEvaluator& evaluator,
                      PictureStats& stats, const RowProgress& progress, int threads,
                      std::stop_token stop) {
  if (picture.Empty()) throw EmptyPictureError();
  const auto started = std::chrono::steady_clock::now();
  const bool whole = rect.top == rect.bottom;
  if (whole) rect = PixelRect{0, 0, picture.Width(), picture.Height()};
  if (rect.bottom < rect.top) std::swap(rect.top, rect.bottom);
  if (rect.right < rect.left) std::swap(rect.left, rect.right);
  const PixelRect asked = rect;
  rect.left = std::max(rect.left, 0);
  rect.top = std::max(rect.top, 0);
  rect.right = std::min(rect.right, picture.Width());
  rect.bottom = std::min(rect.bottom, picture.Height());
  rect.bottom = std::max(rect.bottom, rect.top);
  rect.right = std::max(rect.right, rect.left);

  // Worked on a copy, so that a stopped calculation leaves stats alone.
  PictureStats result = stats;
  result.errorCounts.fill(0);
  result.treePixels = 0;
  if (whole) {
    result.foundMin = 1e38f;
    result.foundMax = -1e38f;
  }
  // Steps over the whole picture, also for a partial rectangle.
  result.stepX = StepOf(view.right - view.left, picture.Width());
  result.stepY = StepOf(view.bottom - view.top, picture.Height());
  evaluator.BeginPicture(view, result.stepX, result.stepY);
  const PixelGrid grid{view, result.stepX, result.stepY};

  std::optional<CalculationEnd> end =
      CalculateRows(picture, 0, rect, grid, settings, evaluator, result, progress, threads, stop);
  if (!end) end = CalculatePixels(picture, 0, rect, grid, settings, evaluator, result, progress, stop);
  if (*end == CalculationEnd::kStopped) return CalculationEnd::kStopped;
  stats = result;
  stats.shownMin = stats.foundMin;
  stats.shownMax = stats.foundMax;
  evaluator.EndPicture(stats.shownMin, stats.shownMax);

  stats.pixels = std::llabs(static_cast<long long>(asked.bottom - asked.top) *
                            (asked.right - asked.left));
  stats.microseconds = ElapsedMicroseconds(std::chrono::steady_clock::now() - started);
  stats.infoText = CalculationInfoLine(stats.pixels, stats.microseconds);
  return CalculationEnd::kFinished;
}

}  // namespace vorla
