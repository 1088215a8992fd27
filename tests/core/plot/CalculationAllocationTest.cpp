// The picture calculation allocates nothing per pixel or row, with the real
// expression engine behind it (counted through the global operator new).
// Failed evaluations are left out: the engine words their error text.

#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>

#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotExpressions.h"

namespace {
std::atomic<long> allocations{0};
}  // namespace

void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }

namespace vorla {
namespace {

TEST(CalculationAllocationTest, WholePictureAllocatesNothing) {
  struct Row { const char* name; const char* func; bool filters; };
  const Row rows[] = {
      {"start-up function", "Sen(x+y)+r+w", false},
      {"filters and definitions", "a:x*x; b:y*y; a-b", true},
  };
  for (const Row& r : rows) {
    SCOPED_TRACE(r.name);
    PlotDocument d = PlotDocument::StartUp();
    d.Func = r.func;
    d.UsaFilMin = d.UsaFilMax = r.filters;
    d.FilMin = -5;
    d.FilMax = 5;
    PlotExpressions plot;
    plot.Compile(d);
    ASSERT_FALSE(plot.CheckExpressions());
    const ViewBounds view = plot.EvaluateRange();
    const IndexSettings settings = IndexSettings::From(d);
    Bitmap picture(40, 30);
    PictureStats stats;
    // The first run may fill caches; the second is the one measured.
    CalculateIndexed(picture, PixelRect{}, view, settings, plot, stats);
    const long before = allocations.load();
    CalculateIndexed(picture, PixelRect{}, view, settings, plot, stats, [](int, int) {});
    // Only the statistics line, built once at the end; a 40 x 30 picture
    // would show per-row or per-pixel allocations as 30 or 1200 more.
    EXPECT_LT(allocations.load() - before, 10);
  }
}

}  // namespace
}  // namespace vorla
