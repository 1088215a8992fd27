// Whole pictures through the engine. E1-E4 at 1000 x 1000 on one thread and
// on all, each beside the reference loop (reference/native.cpp, the formula
// hand-written in C++ and built -O3 -march=native) run in the same run;
// counters: engine_ms and native_ms per picture, x_native the engine's speed
// as a multiple of the reference's, tree_share the share of pixels the
// expression trees calculated (all of them when runs were not possible).
// Failing pixels: formulas failing at many points beside twins that do not
// fail, on one thread; x_twin is the failing one's speed as a multiple of
// its twin's.

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>

#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {
namespace {

constexpr int kSide = 1000;

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The reference's own timing of formula 1..4, the fastest of a few runs;
// 0 when it cannot be run.
double NativeSeconds(int formula) {
  const std::string command = std::string(VORLA_NATIVE) + " " + std::to_string(formula) + " " +
                              std::to_string(kSide) + " " + std::to_string(kSide) + " /dev/null";
  double best = 0;
  for (int i = 0; i < 5; ++i) {
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) return 0;
    double seconds = 0;
    const bool read = std::fscanf(pipe, "eval_s=%lf", &seconds) == 1;
    if (pclose(pipe) != 0 || !read) return 0;
    best = i == 0 ? seconds : std::min(best, seconds);
  }
  return best;
}

struct Picture {
  PlotExpressions plot;
  ViewBounds view;
  IndexSettings settings;
  Bitmap bitmap;
  PictureStats stats;

  Picture(const char* func, int width, int height, const char* xmin = nullptr, const char* xmax = nullptr) {
    PlotDocument document = PlotDocument::StartUp();
    document.Func = func;
    if (xmin != nullptr) document.Xmin = xmin;
    if (xmax != nullptr) document.Xmax = xmax;
    plot.Compile(document);
    view = plot.EvaluateRange();
    plot.SetView(view);
    settings = IndexSettings::From(document);
    bitmap.Resize(width, height, 8);
  }

  // Seconds per picture, the fastest of `times`.
  double Time(int threads, int times = 1) {
    double best = 1e9;
    for (int i = 0; i < times; ++i) {
      const auto start = std::chrono::steady_clock::now();
      CalculateIndexed(bitmap, PixelRect{}, view, settings, plot, stats, {}, threads);
      best = std::min(best, Seconds(std::chrono::steady_clock::now() - start));
    }
    benchmark::DoNotOptimize(bitmap.Data());
    return best;
  }
};

// threads 0: all cores.
void BM_Picture(benchmark::State& state, const char* func, int formula) {
  const int threads = static_cast<int>(state.range(0));
  Picture picture(func, kSide, kSide);
  double engine = 0;
  for (auto _ : state) engine += picture.Time(threads);
  engine /= static_cast<double>(state.iterations());
  const double native = NativeSeconds(formula);
  state.counters["engine_ms"] = engine * 1e3;
  state.counters["native_ms"] = native * 1e3;
  state.counters["x_native"] = native / engine;
  state.counters["tree_share"] =
      static_cast<double>(picture.stats.treePixels) / static_cast<double>(picture.stats.pixels);
}

#define VORLA_PICTURE(name, func, formula) \
  BENCHMARK_CAPTURE(BM_Picture, name, func, formula)->ArgName("threads")->Arg(1)->Arg(0)->Unit(benchmark::kMillisecond)

VORLA_PICTURE(E1, "sen(x+y)+hipot(x,y)+ang(x,y)", 1);
VORLA_PICTURE(E2, "x*x-y*y+x*y*0.5+3*x-2*y", 2);
VORLA_PICTURE(E3, "exp(-(x*x+y*y)/8)*cos(3*x)*sin(2*y)+ln(1+x*x+y*y)", 3);
VORLA_PICTURE(E4, "Si(x>0,sin(x*y),cos(x-y))", 4);

// E3 at 3000 x 3000 on one thread and on two, alternately; x_one is the
// speed on two threads as a multiple of the speed on one.
void BM_TwoThreads(benchmark::State& state) {
  Picture picture("exp(-(x*x+y*y)/8)*cos(3*x)*sin(2*y)+ln(1+x*x+y*y)", 3000, 3000);
  double one = 0;
  double two = 0;
  for (auto _ : state) {
    one += picture.Time(1);
    two += picture.Time(2);
  }
  const auto iterations = static_cast<double>(state.iterations());
  state.counters["one_ms"] = one / iterations * 1e3;
  state.counters["two_ms"] = two / iterations * 1e3;
  state.counters["x_one"] = one / two;
}
BENCHMARK(BM_TwoThreads)->Unit(benchmark::kMillisecond);

// A picture failing at many points beside its twin, alternately, one
// thread: the same text over a view where it does not fail (twinXmin given),
// or the same formula without its failing terms.
struct Twins {
  std::string func;
  std::string twinFunc;
  int width;
  int height;
  const char* twinXmin = nullptr;
  const char* twinXmax = nullptr;
};

void BM_Failing(benchmark::State& state, const Twins& twins) {
  Picture failing(twins.func.c_str(), twins.width, twins.height);
  Picture twin(twins.twinFunc.c_str(), twins.width, twins.height, twins.twinXmin, twins.twinXmax);
  double failingSeconds = 0;
  double twinSeconds = 0;
  for (auto _ : state) {
    failingSeconds += failing.Time(1, 3);
    twinSeconds += twin.Time(1, 3);
  }
  const auto iterations = static_cast<double>(state.iterations());
  long long failed = 0;
  for (const int count : failing.stats.errorCounts) failed += count;
  state.counters["failing_ms"] = failingSeconds / iterations * 1e3;
  state.counters["twin_ms"] = twinSeconds / iterations * 1e3;
  state.counters["x_twin"] = twinSeconds / failingSeconds;
  state.counters["failed_share"] = static_cast<double>(failed) / static_cast<double>(failing.stats.pixels);
}

std::string Repeated(const std::string& piece, int times, const std::string& separator) {
  std::string text = piece;
  for (int i = 1; i < times; ++i) text.append(separator).append(piece);
  return text;
}

const Twins kThreeQuarters{"ln(y)+sqrt(x)+sen(x+y)+hipot(x,y)+ang(x,y)", "sen(x+y)+hipot(x,y)+ang(x,y)", kSide, kSide};
const Twins kMinusSigns{std::string(3990, '-') + "ln(x)", std::string(3990, '-') + "ln(x)", 64, 48, "0.5", "1.4"};
const Twins kRoots{Repeated("x", 1301, "\\"), Repeated("x", 1301, "\\"), 64, 48, "0.5", "1.4"};
const Twins kPowers{Repeated("x", 500, "^"), Repeated("x", 500, "^"), 64, 48, "0.5", "1"};
const Twins kDefinitions{"a:ln(x);" + Repeated("a", 1990, "+"), "a:ln(x);" + Repeated("a", 1990, "+"), 64, 48, "0.5",
                         "1.4"};

#define VORLA_FAILING(name, twins) BENCHMARK_CAPTURE(BM_Failing, name, twins)->Unit(benchmark::kMillisecond)

VORLA_FAILING(ThreeQuartersFail, kThreeQuarters);
VORLA_FAILING(DeepMinusSigns, kMinusSigns);
VORLA_FAILING(DeepRoots, kRoots);
VORLA_FAILING(DeepPowers, kPowers);
VORLA_FAILING(DeepDefinitions, kDefinitions);

}  // namespace
}  // namespace vorla
