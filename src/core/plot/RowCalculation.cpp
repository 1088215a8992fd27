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

#include "core/expr/RowProgram.h"
#include "core/plot/LevelScale.h"
#include "core/plot/RunIndexer.h"

namespace vorla {

void CountError(ErrorCounts& counts, int code) {
  if (code >= kFirstCountedError && code <= kLastCountedError)
    ++counts[static_cast<std::size_t>(code - kFirstCountedError)];
}

namespace {

constexpr std::size_t kRun = RowProgram::kRunLength;

// What one row adds to the statistics; rows are summed in the order the
// pixel-by-pixel loop visits them, so ties (0 and -0) resolve as there.
struct RowSummary {
  bool found = false;  // a pixel evaluated without error
  float min = 0;
  float max = 0;
  bool scaled = false;  // a pixel read the scale bounds
  float zmin = 0;       // at the last such pixel
  float zmax = 0;
  // The last bounds read without failing, for the rows after.
  std::optional<float> goodZmin;
  std::optional<float> goodZmax;
  // A bound failed before any read without failing on this row while the
  // rows before were unknown: the row is calculated again once they are.
  bool deferred = false;
  ErrorCounts errors{};
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
  RowSummary Calculate(std::uint8_t* pixels, int left, float y, const std::vector<float>& columns,
                       const IndexSettings& settings, const ScaleBounds* before) {
    evaluator_->BeginRow(y);
    RowSummary row;
    if (before != nullptr) {
      row.goodZmin = before->zmin;
      row.goodZmax = before->zmax;
    }
    // Runs from the right, as the pixel loop goes.
    for (std::size_t end = columns.size(); end > 0;) {
      const std::size_t start = end > kRun ? end - kRun : 0;
      const RowEvaluator::Run run = evaluator_->EvaluateRun(&columns[start], end - start);
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
    if (std::isnan(lo) || std::isnan(hi) || !UniformRun(values.zmin, n) || !UniformRun(values.zmax, n))
      return false;
    if (!scale_.Is(lo, hi)) scale_ = LevelScale(lo, hi);
    IndexedRun run;
    if (!IndexRun(values.f, n, scale_, settings, pixels, run)) return false;
    if (run.failed)
      for (std::size_t j = 0; j < n; ++j)
        if (std::isnan(values.f[j])) CountError(row.errors, values.codes[j]);
    if (!run.found) return true;
    if (!row.found || run.min < row.min) row.min = run.min;
    if (!row.found || run.max > row.max) row.max = run.max;
    row.found = true;
    if (run.scaled) {
      row.scaled = true;
      row.zmin = lo;
      row.zmax = hi;
      row.goodZmin = lo;
      row.goodZmax = hi;
    }
    return true;
  }

  // From the right, one by one; false when a bound fails with no good one
  // known before it.
  bool IndexPixels(const RowEvaluator::Run& values, std::uint8_t* pixels, std::size_t n,
                   const IndexSettings& settings, RowSummary& row) {
    // A bound that fails gives the last one that did not.
    const auto bound = [](float value, std::optional<float>& good) {
      if (!std::isnan(value)) good = value;
      return good;
    };
    for (std::size_t j = n; j-- > 0;) {
      std::uint8_t index = 0;
      const float z = values.f[j];
      if (std::isnan(z)) {
        CountError(row.errors, values.codes[j]);
      } else {
        if (!row.found || z < row.min) row.min = z;
        if (!row.found || z > row.max) row.max = z;
        row.found = true;
        if (!settings.Filters(z)) {
          const std::optional<float> lo = bound(values.zmin[j], row.goodZmin);
          const std::optional<float> hi = bound(values.zmax[j], row.goodZmax);
          if (!lo || !hi) return false;
          row.scaled = true;
          row.zmin = *lo;
          row.zmax = *hi;
          if (!scale_.Is(row.zmin, row.zmax)) scale_ = LevelScale(row.zmin, row.zmax);
          if (!scale_.Index(z, settings, index)) CountError(row.errors, kPixelFaultError);
        }
      }
      pixels[j] = index;
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

bool CalculateRows(Bitmap& picture, int firstRow, const PixelRect& rect, const PixelGrid& grid,
                   const IndexSettings& settings, PixelEvaluator& evaluator, PictureStats& stats,
                   const RowProgress& progress, int threads, const std::stop_token& stop) {
  const int rows = rect.bottom - rect.top;
  const int width = rect.right - rect.left;
  if (rows == 0 || width == 0) return false;
  std::vector<float> columns(static_cast<std::size_t>(width));
  for (int j = 0; j < width; ++j) columns[static_cast<std::size_t>(j)] = grid.X(rect.left + j);
  const auto finite = [](float v) { return std::isfinite(v); };
  if (!std::all_of(columns.begin(), columns.end(), finite) || !finite(grid.Y(rect.top)) ||
      !finite(grid.Y(rect.bottom - 1)))
    return false;

  std::vector<RowWorker> workers;
  const int count = std::min(ThreadCount(threads), rows);
  for (int w = 0; w < count; ++w) {
    auto rowEvaluator = evaluator.NewRowEvaluator();
    if (!rowEvaluator) return false;
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
  if (stop.stop_requested()) throw CalculationCancelled();

  PictureStats result = stats;
  ScaleBounds good = evaluator.LastGoodScale();
  for (int i = 0; i < rows; ++i) {
    RowSummary& row = summaries[static_cast<std::size_t>(i)];
    if (row.deferred) row = calculate(workers[0], i, &good);
    if (row.goodZmin) good.zmin = *row.goodZmin;
    if (row.goodZmax) good.zmax = *row.goodZmax;
    if (row.found) {
      if (row.min < result.foundMin) result.foundMin = row.min;
      if (row.max > result.foundMax) result.foundMax = row.max;
    }
    if (row.scaled) {
      result.lastZmin = row.zmin;
      result.lastZmax = row.zmax;
    }
    for (std::size_t k = 0; k < row.errors.size(); ++k) result.errorCounts[k] += row.errors[k];
  }
  if (progress && reported < rows) progress(rows, rows);
  evaluator.SetLastGoodScale(good);
  stats = result;
  return true;
}

void CalculatePixels(Bitmap& picture, int firstRow, const PixelRect& rect, const PixelGrid& grid,
                     const IndexSettings& settings, PixelEvaluator& evaluator, PictureStats& stats,
                     const RowProgress& progress, const std::stop_token& stop) {
  const int rows = rect.bottom - rect.top;
  float foundMin = stats.foundMin;
  float foundMax = stats.foundMax;
  float zmin = stats.lastZmin;
  float zmax = stats.lastZmax;
  for (int row = rect.bottom - 1; row >= rect.top; --row) {
    if (stop.stop_requested()) throw CalculationCancelled();
    evaluator.SetRowY(grid.Y(row));
    std::uint8_t* const pixels = picture.Row(row - firstRow);
    for (int column = rect.right - 1; column >= rect.left; --column) {
      std::uint8_t index = 0;
      evaluator.SetColumnX(grid.X(column));
      int errorCode = 0;
      const float z = evaluator.Function(errorCode);
      if (errorCode != 0) {
        CountError(stats.errorCounts, errorCode);
      } else {
        if (z < foundMin) foundMin = z;
        if (z > foundMax) foundMax = z;
        if (!settings.Filters(z)) {
          zmin = evaluator.ScaleMin();
          zmax = evaluator.ScaleMax();
          if (!LevelIndex(z, zmin, zmax, settings, index)) CountError(stats.errorCounts, kPixelFaultError);
        }
      }
      pixels[column] = index;
    }
    if (progress) progress(rect.bottom - row, rows);
  }
  stats.foundMin = foundMin;
  stats.foundMax = foundMax;
  stats.lastZmin = zmin;
  stats.lastZmax = zmax;
  stats.treePixels = static_cast<long long>(rows) * (rect.right - rect.left);
}

}  // namespace vorla
