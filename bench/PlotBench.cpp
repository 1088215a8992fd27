// Whole-picture calculation of the start-up document at 1000 x 1000, through
// the expression engine and through native C++ of the same formula; the
// ratio of the two is the engine's cost per pixel.

#include <benchmark/benchmark.h>

#include <cmath>

#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {
namespace {

constexpr int kSide = 1000;

// items_per_second is pixels per second: "2.7M/s" reads 2700 kilopixels/s.
void ReportKilopixels(benchmark::State& state) {
  state.SetItemsProcessed(state.iterations() * kSide * kSide);
  state.SetLabel("pixels");
}

void BM_StartUpPicture(benchmark::State& state) {
  const PlotDocument document = PlotDocument::StartUp();
  PlotExpressions plot;
  plot.Compile(document);
  const ViewBounds view = plot.EvaluateRange();
  plot.SetView(view);
  const IndexSettings settings = IndexSettings::From(document);
  Bitmap picture(kSide, kSide);
  PictureStats stats;
  for (auto _ : state) {
    CalculateIndexed(picture, PixelRect{}, view, settings, plot, stats);
    benchmark::DoNotOptimize(picture.Data());
  }
  ReportKilopixels(state);
}
BENCHMARK(BM_StartUpPicture)->Unit(benchmark::kMillisecond);

// Sen(x+y)+r+w with the scale -Pi..Pi written directly.
class NativeStartUp final : public PixelEvaluator {
 public:
  void BeginPicture(const ViewBounds&, float, float) override {}
  void SetRowY(float y) override { y_ = y; }
  void SetColumnX(float x) override { x_ = x; }
  float Function(int&) override {
    const long double sum = static_cast<float>(std::sin(static_cast<long double>(x_) + y_));
    return static_cast<float>(sum + std::hypot(x_, y_) + std::atan2(y_, x_));
  }
  float ScaleMin() override { return -3.14159265f; }
  float ScaleMax() override { return 3.14159265f; }
  void EndPicture(float, float) override {}

 private:
  float x_ = 0;
  float y_ = 0;
};

void BM_StartUpPictureNative(benchmark::State& state) {
  const PlotDocument document = PlotDocument::StartUp();
  const double side = 3 * 3.14159265358979;
  const ViewBounds view{-side, -side, side, side};
  NativeStartUp native;
  Bitmap picture(kSide, kSide);
  PictureStats stats;
  for (auto _ : state) {
    CalculateIndexed(picture, PixelRect{}, view, IndexSettings::From(document), native, stats);
    benchmark::DoNotOptimize(picture.Data());
  }
  ReportKilopixels(state);
}
BENCHMARK(BM_StartUpPictureNative)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorla
