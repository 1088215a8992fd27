// Moving the picture for a pan, against copying the whole picture once, at the design size 454 x 415.

#include <benchmark/benchmark.h>

#include "core/plot/Navigation.h"

namespace vorla {
namespace {

Bitmap DesignPicture() {
  Bitmap picture(454, 415);
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x) picture.Row(y)[x] = static_cast<std::uint8_t>(x + y);
  return picture;
}

void BM_ShiftPicture(benchmark::State& state) {
  Bitmap picture = DesignPicture();
  int sign = 1;
  for (auto _ : state) {
    ShiftPicture(picture, 37 * sign, -21 * sign);
    sign = -sign;
    benchmark::DoNotOptimize(picture.Data());
  }
}
BENCHMARK(BM_ShiftPicture);

void BM_CopyWholePicture(benchmark::State& state) {
  const Bitmap source = DesignPicture();
  Bitmap target = DesignPicture();
  for (auto _ : state) {
    target = source;
    benchmark::DoNotOptimize(target.Data());
  }
}
BENCHMARK(BM_CopyWholePicture);

void BM_PanStrips(benchmark::State& state) {
  ViewScale view;
  view.Resize(454, 415);
  view.SetScale(-9.42, -9.42, 9.42, 9.42);
  for (auto _ : state) benchmark::DoNotOptimize(PanBy(view, 37, -21));
}
BENCHMARK(BM_PanStrips);

}  // namespace
}  // namespace vorla
