#pragma once
// The picture calculation: one palette index per pixel of an 8-bit picture,
// from the function's value against the colour scale at that pixel.
//   0       evaluation error, fault, or removed by a filter
//   1, 2    below / above the scale without "Bucle"
//   3       inside the scale with the gradient off, or a scale too narrow
//   6..255  gradient levels 0..249 (4 and 5 only appear while animating)

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <memory>
#include <stdexcept>
#include <stop_token>
#include <string>

#include "core/expr/ErrorCodes.h"
#include "core/io/Bitmap.h"
#include "core/plot/Navigation.h"
#include "core/plot/PlotDocument.h"

namespace vorla {

class PixelEvaluator;

// The expressions over runs of points of one row, for one worker thread.
class RowEvaluator {
 public:
  virtual ~RowEvaluator() = default;
  virtual void BeginRow(float y) = 0;
  // The function and the scale bounds at n points of the row (n at most the
  // run length the evaluator was made for); NaN where the evaluation fails,
  // and where f does, its error code (11..20) in `codes`. Valid until the
  // next call.
  struct Run {
    const float* f;
    const float* zmin;
    const float* zmax;
    const std::uint8_t* codes;
    bool boundsFixed;  // zmin and zmax are the same at every point of the row
  };
  virtual Run EvaluateRun(const float* x, std::size_t n) = 0;
};

// The scale bounds that a failing Zmin or Zmax gives: the last it gave
// without failing, wherever it was evaluated.
struct ScaleBounds {
  float zmin = 0;
  float zmax = 0;
};

// What the calculation asks of the expressions, pixel by pixel.
class PixelEvaluator {
 public:
  virtual ~PixelEvaluator() = default;
  // Before the first pixel: the view and the steps per pixel, which the
  // expressions may read.
  virtual void BeginPicture(const ViewBounds& view, float stepX, float stepY) = 0;
  virtual void SetRowY(float y) = 0;
  virtual void SetColumnX(float x) = 0;
  // The function's value; on failure errorCode becomes its code (11..20),
  // or kUncodedFailure for a failure that has none.
  virtual float Function(int& errorCode) = 0;
  virtual float ScaleMin() = 0;
  virtual float ScaleMax() = 0;
  // After the last pixel: the range to show as minZ and maxZ from now on.
  virtual void EndPicture(float shownMin, float shownMax) = 0;
  // After BeginPicture, on the calculating thread: an evaluator of whole
  // runs for one more worker, or null when the picture must be calculated
  // pixel by pixel on this thread.
  virtual std::unique_ptr<RowEvaluator> NewRowEvaluator() { return nullptr; }
  // For evaluators with row evaluators: the bounds a failing Zmin or Zmax
  // gives now, and after a calculation in runs, the ones it gives from then on.
  virtual ScaleBounds LastGoodScale() { return {}; }
  virtual void SetLastGoodScale(const ScaleBounds&) {}
};

// The document's switches, read once per calculation.
struct IndexSettings {
  bool gradient = true;  // Gra
  bool wrapBelow = false;  // BucMin
  bool wrapAbove = false;  // BucMax
  bool filterBelow = false;  // UsaFilMin
  bool filterAbove = false;  // UsaFilMax
  float filterMin = 0;  // FilMin
  float filterMax = 0;  // FilMax

  static IndexSettings From(const PlotDocument& document);
  // A value the filters blank (index 0).
  bool Filters(float z) const { return (filterBelow && z < filterMin) || (filterAbove && z > filterMax); }
};

inline constexpr int kFirstCountedError = CodeOf(ExprError::kZeroDivide);
inline constexpr int kLastCountedError = CodeOf(ExprError::kEvaluationFailure);
// Faults while the index is computed (a level beyond 32 bits, anything raised
// in the per-pixel guard) count under this code.
inline constexpr int kPixelFaultError = CodeOf(ExprError::kEvaluationFailure);
// A failure without a code of its own, such as a function whose compile
// failed with code 0 ("x+"): the pixel takes the background, uncounted.
inline constexpr int kUncodedFailure = -1;
// Pixels failed per error code; entry 0 counts code kFirstCountedError.
using ErrorCounts = std::array<int, kLastCountedError - kFirstCountedError + 1>;

// Results of a calculation; the found range carries over between partial
// calculations, so keep one instance for the picture's life.
struct PictureStats {
  float foundMin = 1e38f;
  float foundMax = -1e38f;
  float shownMin = 0;
  float shownMax = 0;
  float stepX = 0;
  float stepY = 0;
  float lastZmin = 0;  // scale bounds at the last evaluated pixel
  float lastZmax = 0;
  ErrorCounts errorCounts{};
  long long pixels = 0;
  long long microseconds = 0;  // at least 1 once a calculation has finished
  // Pixels whose value came from the expression trees rather than from runs
  // (every pixel, when runs were not possible).
  long long treePixels = 0;
  // "... \r\nVel: %.6g Kilopixels/seg".
  std::string infoText;

  int ErrorCount(int code) const {
    return code >= kFirstCountedError && code <= kLastCountedError
               ? errorCounts[static_cast<std::size_t>(code - kFirstCountedError)]
               : 0;
  }
};

// How a calculation ended: every pixel calculated, or stopped through its
// stop token first, the picture partly calculated.
enum class CalculationEnd { kFinished, kStopped };

// A picture with no pixels: nothing to calculate, and the steps per pixel
// would divide by zero.
class EmptyPictureError : public std::runtime_error {
 public:
  EmptyPictureError();
};

// Called after each row with the rows done so far and the rows to do. What
// it throws ends the calculation and propagates, the picture partly
// calculated.
using RowProgress = std::function<void(int rowsDone, int rows)>;

// Calculates `rect` of `picture` (right and bottom exclusive, clipped to the
// picture; top == bottom means the whole picture, which also restarts the
// found range) for the plane rectangle `view` spread over the whole picture.
// Rows go bottom-up and pixels right to left. x := column * stepX + left and
// y := row * stepY + top are computed in double and rounded once to float;
// the level k := round((z - zmin) / step), ties to even, in double from the
// float values. Raises EmptyPictureError for a picture of width or height 0.
// Rows are shared among `threads` threads (0: one per processor core) when
// the evaluator offers row evaluators; the picture and the statistics do not
// depend on the number. progress is called on the calling thread only. An
// exception other than the expressions' own failures ends the calculation
// and propagates. A stop requested through `stop` ends it within a row, the
// picture partly calculated and stats as before.
CalculationEnd CalculateIndexed(Bitmap& picture, PixelRect rect, const ViewBounds& view,
                      const IndexSettings& settings, PixelEvaluator& evaluator,
                      PictureStats& stats, const RowProgress& progress = {}, int threads = 0,
                      std::stop_token stop = {});

// The plane's extent over `pixels` pixels, rounded to float as the
// calculation steps from pixel to pixel. Out of line: GCC 12 at -O3 has been
// seen to vectorise two such divisions and keep the unrounded quotients for
// a later widening to double.
float StepOf(double extent, int pixels);

// PictureStats::infoText for `pixels` calculated in `us` microseconds (us > 0).
std::string CalculationInfoLine(long long pixels, long long us);

// The microseconds a finished calculation took, at least 1: the statistics
// line needs a time to divide by even when the clock saw none pass.
long long ElapsedMicroseconds(std::chrono::steady_clock::duration elapsed);

// The value that the calculation paints with palette index `index` of the
// gradient (6 at zmin, 255 at zmax; the entries before 6 lie below zmin).
double LevelValue(float zmin, float zmax, int index);

// The index of one value against its scale, as the calculation stores it;
// false for a level beyond 32 bits or a scale whose width overflows a float
// (the pixel then takes index 0).
bool LevelIndex(float z, float zmin, float zmax, const IndexSettings& settings,
                std::uint8_t& index);

}  // namespace vorla
