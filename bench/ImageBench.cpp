// Gradient palette builds and picture file writing at 1000 x 1000.

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <filesystem>
#include <string>

#include "core/gradient/GradTable.h"
#include "core/io/PictureFormats.h"

namespace vorla {
namespace {

void BM_GradientRecalc(benchmark::State& state) {
  TGradTable table;
  table.SetStartCol(4);
  table.SetPalString("0400000040FF000080FFFF00C000FF00F00000FF");
  for (auto _ : state) {
    table.Recalc();
    benchmark::DoNotOptimize(table.Palette());
  }
}
BENCHMARK(BM_GradientRecalc);

// A plot-like picture: smooth bands of indices over a 250-level gradient.
Bitmap BandedPicture() {
  TGradTable table;
  table.SetStartCol(4);
  Bitmap picture(1000, 1000, 8);
  picture.palette = table.Palette();
  for (int y = 0; y < picture.Height(); ++y)
    for (int x = 0; x < picture.Width(); ++x)
      picture.Row(y)[x] = static_cast<std::uint8_t>(6 + ((x * x + y * y) / 997) % 250);
  return picture;
}

void WriteBench(benchmark::State& state, const char* name, const JpegOptions& options) {
  const Bitmap picture = BandedPicture();
  const auto path = std::filesystem::temp_directory_path() / ("vorla-bench-" + std::to_string(::getpid()) + name);
  for (auto _ : state) WriteImage(picture, path, options);
  std::filesystem::remove(path);
  state.counters["kpixels/s"] = benchmark::Counter(static_cast<double>(state.iterations()) * 1000.0,
                                                   benchmark::Counter::kIsRate);
}

void BM_WriteJpeg1000(benchmark::State& state) { WriteBench(state, ".jpg", {}); }
void BM_WriteJpegGrayProgressive1000(benchmark::State& state) { WriteBench(state, ".jpg", {true, 81, true}); }
void BM_WritePng1000(benchmark::State& state) { WriteBench(state, ".png", {}); }
void BM_WriteBmp1000(benchmark::State& state) { WriteBench(state, ".bmp", {}); }
BENCHMARK(BM_WriteJpeg1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteJpegGrayProgressive1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WritePng1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_WriteBmp1000)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace vorla
