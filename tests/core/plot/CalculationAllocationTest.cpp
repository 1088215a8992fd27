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

// GCC 12 takes free() in a replacement operator delete for a mismatch with
// the operator new it replaces.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
void* operator new(std::size_t size) {
  ++allocations;
  if (void* p = std::malloc(size == 0 ? 1 : size)) return p;
  throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
#pragma GCC diagnostic pop

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
    // A calculation allocates its program and workers, the same for any
    // size, and its statistics line when it takes a millisecond or more (a
    // few); per-row or per-pixel allocations would show in the difference as
    // 30 or 1200 more.
    const auto allocationsFor = [&](int width, int height) {
      Bitmap picture(width, height);
      PictureStats stats;
      CalculateIndexed(picture, PixelRect{}, view, settings, plot, stats, {}, 2);
      const long before = allocations.load();
      CalculateIndexed(picture, PixelRect{}, view, settings, plot, stats, [](int, int) {}, 2);
      return allocations.load() - before;
    };
    EXPECT_LT(allocationsFor(80, 60) - allocationsFor(40, 30), 15);
  }
}

}  // namespace
}  // namespace vorla
