#include "core/plot/RowCalculation.h"

#include <algorithm>
#include <atomic>
#include <bit>
#include <cmath>
#include <exception>
#include <mutex>
#include <optional>
#include <thread>
#include <vector>

#include "core/expr/RowKernels.h"
#include "core/expr/RowProgram.h"
#include "core/plot/LevelScale.h"
#include "core/plot/RunIndexer.h"
#include "hwy/aligned_allocator.h"

namespace vorla {

void CountError(ErrorCounts& counts, int code) {
  if (code >= kFirstCountedError && code <= kLastCountedError)
    ++counts[static_cast<std::size_t>(code - kFirstCountedError)];
}

namespace {

constexpr std::size_t kRun = RowProgram::kRunLength;

// The x of a row's pixels, aligned and filled up to whole vectors with the
// last one, so that the row program reads every run in place: runs start at
// multiples of the run length and are evaluated over whole vectors (Evaluated).
class Columns {
 public:
  Columns(int left, int width, const PixelGrid& grid)
      : size_(static_cast<std::size_t>(width)), x_(hwy::AllocateAligned<float>(Evaluated(size_))) {
    for (std::size_t j = 0; j < size_; ++j) x_[j] = grid.X(left + static_cast<int>(j));
    std::fill(x_.get() + size_, x_.get() + Evaluated(size_), size_ > 0 ? x_[size_ - 1] : 0.0f);
  }
  std::size_t size() const { return size_; }
  const float& operator[](std::size_t j) const { return x_[j]; }
  bool Finite() const { return std::all_of(x_.get(), x_.get() + size_, [](float v) { return std::isfinite(v); }); }
  // The points evaluated for n columns: whole vectors.
  static std::size_t Evaluated(std::size_t n) { return (n + kWidestVector - 1) / kWidestVector * kWidestVector; }

 private:
  std::size_t size_;
  hwy::AlignedFreeUniquePtr<float[]> x_;
};

// What pixels add to the statistics, taken in the order the pixel loop
// visits them, so that ties (0 and -0) and the last scale bounds come out as
// there: pixel by pixel, a run at a time, or one row after another.
struct PixelTally {
  bool found = false;  // a pixel evaluated without error
  float min = 0;
  float max = 0;
  bool scaled = false;  // a pixel read the scale bounds
  float zmin = 0;       // at the last such pixel
  float zmax = 0;
  ErrorCounts errors{};

  void Find(float low, float high) {
    if (!found || low < min) min = low;
    if (!found || high > max) max = high;
    found = true;
  }

  void Scale(float lo, float hi) {
    scaled = true;
    zmin = lo;
    zmax = hi;
  }

  // Into statistics taken before it: the found range grows, the last bounds
  // are this tally's, the counts add.
  void AddTo(PictureStats& stats) const {
    if (found) {
      if (min < stats.foundMin) stats.foundMin = min;
      if (max > stats.foundMax) stats.foundMax = max;
    }
    if (scaled) {
      stats.lastZmin = zmin;
      stats.lastZmax = zmax;
    }
    for (std::size_t k = 0; k < errors.size(); ++k) stats.errorCounts[k] += errors[k];
  }
};

// The index of one pixel, tallied: the value z, or a failure with `code`
// (non-zero). `bounds()` gives the scale bounds, asked only where the value
// passes the filters; false, with nothing tallied, when it gives none.
template <class Bounds>
bool IndexPixel(float z, int code, Bounds bounds, const IndexSettings& settings, LevelScale& scale,
                PixelTally& tally, std::uint8_t& index) {
  index = 0;
  if (code != 0) {
    CountError(tally.errors, code);
    return true;
  }
  if (settings.Filters(z)) {
    tally.Find(z, z);
    return true;
  }
  const std::optional<ScaleBounds> read = bounds();
  if (!read) return false;
  tally.Find(z, z);
  tally.Scale(read->zmin, read->zmax);
  if (!scale.Is(read->zmin, read->zmax)) scale = LevelScale(read->zmin, read->zmax);
  if (!scale.Index(z, settings, index)) CountError(tally.errors, kPixelFaultError);
  return true;
}

// What one row adds to the statistics.
struct RowSummary : PixelTally {
  // The last bounds read without failing, for the rows after.
  std::optional<float> goodZmin;
  std::optional<float> goodZmax;
  // A bound failed before any read without failing on this row while the
  // rows before were unknown: the row is calculated again once they are.
  bool deferred = false;
};

RowSummary Deferred() {
  RowSummary row;
  row.deferred = true;
  return row;
}

class RowWorker {
 public:
  explicit RowWorker(std::unique_ptr<RowEvaluator> evaluator) : evaluator_(std::move(evaluator)) {}

  // Columns hold the x of rect.left onwards. `before`: the bounds a failing
  // Zmin or Zmax gives at the row's start, when the rows before are known.
  RowSummary Calculate(std::uint8_t* pixels, int left, float y, const Columns& columns,
                       const IndexSettings& settings, const ScaleBounds* before) {
    evaluator_->BeginRow(y);
    RowSummary row;
    if (before != nullptr) {
      row.goodZmin = before->zmin;
      row.goodZmax = before->zmax;
    }
    // Runs from the right, as the pixel loop goes; whole ones start at
    // multiples of the run length.
    for (std::size_t end = columns.size(); end > 0;) {
      const std::size_t start = (end - 1) / kRun * kRun;
      const RowEvaluator::Run run = evaluator_->EvaluateRun(&columns[start], Columns::Evaluated(end - start));
      std::uint8_t* const runPixels = pixels + left + start;
      if (!IndexWholeRun(run, runPixels, end - start, settings, row) &&
          !IndexPixels(run, runPixels, end - start, settings, row))
        return Deferred();
      end = start;
    }
    return row;
  }

 private:
  // The run in SIMD when nothing in it depends on the order of the pixels.
  bool IndexWholeRun(const RowEvaluator::Run& values, std::uint8_t* pixels, std::size_t n,
                     const IndexSettings& settings, RowSummary& row) {
    const float lo = values.zmin[0];
    const float hi = values.zmax[0];
    if (std::isnan(lo) || std::isnan(hi)) return false;
    if (!values.boundsFixed && (!UniformRun(values.zmin, n) || !UniformRun(values.zmax, n))) return false;
    if (!scale_.Is(lo, hi)) scale_ = LevelScale(lo, hi);
    IndexedRun run;
    if (!IndexRun(values.f, n, scale_, settings, pixels, run)) return false;
    if (run.failed)
      for (std::size_t j = 0; j < n; ++j)
        if (std::isnan(values.f[j])) CountError(row.errors, values.codes[j]);
    if (!run.found) return true;
    row.Find(run.min, run.max);
    if (run.scaled) {
      row.Scale(lo, hi);
      row.goodZmin = lo;
      row.goodZmax = hi;
    }
    return true;
  }

  // From the right, one by one; false when a bound fails with no good one
  // known before it.
  bool IndexPixels(const RowEvaluator::Run& values, std::uint8_t* pixels, std::size_t n,
                   const IndexSettings& settings, RowSummary& row) {
    for (std::size_t j = n; j-- > 0;) {
      const float z = values.f[j];
      // A bound that fails gives the last one that did not.
      const auto bounds = [&]() -> std::optional<ScaleBounds> {
        if (!std::isnan(values.zmin[j])) row.goodZmin = values.zmin[j];
        if (!std::isnan(values.zmax[j])) row.goodZmax = values.zmax[j];
        if (!row.goodZmin || !row.goodZmax) return std::nullopt;
        return ScaleBounds{*row.goodZmin, *row.goodZmax};
      };
      if (!IndexPixel(z, std::isnan(z) ? values.codes[j] : 0, bounds, settings, scale_, row, pixels[j]))
        return false;
    }
    return true;
  }

  std::unique_ptr<RowEvaluator> evaluator_;
  LevelScale scale_{0, 0};  // of the last pixel that read one
};

int ThreadCount(int threads) {
  if (threads > 0) return threads;
  return std::max(1, static_cast<int>(std::thread::hardware_concurrency()));
}

}  // namespace

std::optional<CalculationEnd> CalculateRows(Bitmap& picture, int firstRow, const PixelRect& rect, const PixelGrid& grid,
                   const IndexSettings& settings, PixelEvaluator& evaluator, PictureStats& stats,
                   const RowProgress& progress, int threads, const std::stop_token& stop) {
  const int rows = rect.bottom - rect.top;
  const int width = rect.right - rect.left;
  if (rows == 0 || width == 0) return std::nullopt;
  const Columns columns(rect.left, width, grid);
  if (!columns.Finite() || !std::isfinite(grid.Y(rect.top)) || !std::isfinite(grid.Y(rect.bottom - 1))) return std::nullopt;

  std::vector<RowWorker> workers;
  const int count = std::min(ThreadCount(threads), rows);
  for (int w = 0; w < count; ++w) {
    auto rowEvaluator = evaluator.NewRowEvaluator();
    if (!rowEvaluator) return std::nullopt;
    workers.emplace_back(std::move(rowEvaluator));
  }

  // Rows are handed out bottom first; the i-th row visited is rect.bottom - 1 - i.
  std::vector<RowSummary> summaries(static_cast<std::size_t>(rows));
  const auto calculate = [&](RowWorker& worker, int i, const ScaleBounds* before) {
    const int row = rect.bottom - 1 - i;
    return worker.Calculate(picture.Row(row - firstRow), rect.left, grid.Y(row), columns, settings, before);
  };
  std::atomic<int> next{0};
  std::atomic<int> done{0};
  int reported = 0;
  std::exception_ptr failure;
  std::mutex failureLock;
  const auto work = [&](RowWorker& worker, bool reports) {
    try {
      for (int i; !stop.stop_requested() && (i = next.fetch_add(1)) < rows;) {
        summaries[static_cast<std::size_t>(i)] = calculate(worker, i, nullptr);
        const int finished = done.fetch_add(1) + 1;
        if (reports && progress) progress(reported = finished, rows);
      }
    } catch (...) {
      const std::lock_guard lock(failureLock);
      if (!failure) failure = std::current_exception();
      next = rows;
    }
  };
  {
    std::vector<std::jthread> helpers;
    for (std::size_t w = 1; w < workers.size(); ++w) helpers.emplace_back(work, std::ref(workers[w]), false);
    work(workers[0], true);
  }
  if (failure) std::rethrow_exception(failure);
  if (stop.stop_requested()) return CalculationEnd::kStopped;

  PictureStats result = stats;
  ScaleBounds good = evaluator.LastGoodScale();
  for (int i = 0; i < rows; ++i) {
    RowSummary& row = summaries[static_cast<std::size_t>(i)];
    if (row.deferred) row = calculate(workers[0], i, &good);
    if (row.goodZmin) good.zmin = *row.goodZmin;
    if (row.goodZmax) good.zmax = *row.goodZmax;
    row.AddTo(result);
  }
  if (progress && reported < rows) progress(rows, rows);
  evaluator.SetLastGoodScale(good);
  stats = result;
  return CalculationEnd::kFinished;
}

ScaleBounds GoodScaleAfter(int fromRow, int lastRow, int width, const PixelGrid& grid,
                           const IndexSettings& settings, PixelEvaluator& evaluator, const ScaleBounds& before) {
  // Backwards through the pixel loop's order: each row from the left, then
  // the row below.
  std::optional<float> lo, hi;
  const auto found = [&] { return lo && hi; };
  const auto take = [&](float z, float zmin, float zmax) {
    if (std::isnan(z) || settings.Filters(z)) return;
    if (!lo && !std::isnan(zmin)) lo = zmin;
    if (!hi && !std::isnan(zmax)) hi = zmax;
  };
  if (const auto rows = evaluator.NewRowEvaluator()) {
    const Columns columns(0, width, grid);
    for (int row = fromRow; row <= lastRow && !found(); ++row) {
      rows->BeginRow(grid.Y(row));
      for (std::size_t start = 0; start < columns.size() && !found(); start += kRun) {
        const std::size_t n = std::min(kRun, columns.size() - start);
        const RowEvaluator::Run run = rows->EvaluateRun(&columns[start], Columns::Evaluated(n));
        for (std::size_t j = 0; j < n && !found(); ++j) take(run.f[j], run.zmin[j], run.zmax[j]);
      }
    }
  } else {
    // The trees give a failed bound as the last good one: NaN, which no
    // evaluation gives, tells it.
    const float failed = std::nanf("");
    for (int row = fromRow; row <= lastRow && !found(); ++row) {
      evaluator.SetRowY(grid.Y(row));
      for (int column = 0; column < width && !found(); ++column) {
        evaluator.SetColumnX(grid.X(column));
        int code = 0;
        const float z = evaluator.Function(code);
        if (code != 0 || settings.Filters(z)) continue;
        evaluator.SetLastGoodScale(ScaleBounds{failed, failed});
        const float zmin = evaluator.ScaleMin();
        take(z, zmin, evaluator.ScaleMax());
      }
    }
  }
  return ScaleBounds{lo.value_or(before.zmin), hi.value_or(before.zmax)};
}

CalculationEnd CalculatePixels(Bitmap& picture, int firstRow, const PixelRect& rect, const PixelGrid& grid,
                     const IndexSettings& settings, PixelEvaluator& evaluator, PictureStats& stats,
                     const RowProgress& progress, const std::stop_token& stop) {
  const int rows = rect.bottom - rect.top;
  // The found range goes on from the statistics' own.
  PixelTally tally;
  tally.Find(stats.foundMin, stats.foundMax);
  LevelScale scale(0, 0);
  const auto bounds = [&] { return std::optional(ScaleBounds{evaluator.ScaleMin(), evaluator.ScaleMax()}); };
  for (int row = rect.bottom - 1; row >= rect.top; --row) {
    if (stop.stop_requested()) return CalculationEnd::kStopped;
    evaluator.SetRowY(grid.Y(row));
    std::uint8_t* const pixels = picture.Row(row - firstRow);
    for (int column = rect.right - 1; column >= rect.left; --column) {
      evaluator.SetColumnX(grid.X(column));
      int errorCode = 0;
      const float z = evaluator.Function(errorCode);
      IndexPixel(z, errorCode, bounds, settings, scale, tally, pixels[column]);
    }
    if (progress) progress(rect.bottom - row, rows);
  }
  tally.AddTo(stats);
  stats.treePixels = static_cast<long long>(rows) * (rect.right - rect.left);
  return CalculationEnd::kFinished;
}

}  // namespace vorla
