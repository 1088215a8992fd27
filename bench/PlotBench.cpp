// Whole pictures of 1000 x 1000 through the engine, on one thread and on all,
// each beside the same formula hand-written in C++ in the same run. Counters:
// engine_ms and native_ms per picture, x_native the engine's speed as a
// multiple of the hand-written loop's, tree_share the share of pixels the
// expression trees calculated (failed points, or all when runs were not
// possible).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <vector>

#include "HandWritten.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {
namespace {

constexpr int kSide = 1000;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The fastest of a few runs, as the engine's time is averaged over many.
double HandWrittenSeconds(bench::Formula formula) {
  std::vector<std::uint8_t> picture(kSide * kSide);
  double best = 1e9;
  for (int i = 0; i < 5; ++i) {
    const auto start = std::chrono::steady_clock::now();
    bench::HandWrittenPicture(formula, kSide, picture.data());
    benchmark::DoNotOptimize(picture.data());
    best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
  }
  return best;
}

// threads 0: all cores.
void BM_Picture(benchmark::State& state, const char* func, bench::Formula formula) {
  const int threads = static_cast<int>(state.range(0));
  PlotDocument document = PlotDocument::StartUp();
  document.Func = func;
  PlotExpressions plot;
  plot.Compile(document);
  const ViewBounds view = plot.EvaluateRange();
  plot.SetView(view);
  const IndexSettings settings = IndexSettings::From(document);
  Bitmap picture(kSide, kSide);
  PictureStats stats;
  const double native = HandWrittenSeconds(formula);
  double engine = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    CalculateIndexed(picture, PixelRect{}, view, settings, plot, stats, {}, threads);
    engine += Seconds(std::chrono::steady_clock::now() - start);
    benchmark::DoNotOptimize(picture.Data());
  }
  engine /= static_cast<double>(state.iterations());
  state.counters["engine_ms"] = engine * 1e3;
  state.counters["native_ms"] = native * 1e3;
  state.counters["x_native"] = native / engine;
  state.counters["tree_share"] = static_cast<double>(stats.treePixels) / static_cast<double>(stats.pixels);
}

#define VORLA_PICTURE(name, func, formula) \
  BENCHMARK_CAPTURE(BM_Picture, name, func, formula)->ArgName("threads")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)

VORLA_PICTURE(E1, "sen(x+y)+hipot(x,y)+ang(x,y)", bench::Formula::kE1);
VORLA_PICTURE(E2, "x*x-y*y+x*y*0.5+3*x-2*y", bench::Formula::kE2);
VORLA_PICTURE(E3, "exp(-(x*x+y*y)/8)*cos(3*x)*sin(2*y)+ln(1+x*x+y*y)", bench::Formula::kE3);
VORLA_PICTURE(E4, "Si(x>0,sin(x*y),cos(x-y))", bench::Formula::kE4);
VORLA_PICTURE(StartUp, "Sen(x+y)+r+w", bench::Formula::kStartUp);

}  // namespace
}  // namespace vorla
