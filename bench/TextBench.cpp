// Text conversion at the boundaries: documents and expression fields.

#include <benchmark/benchmark.h>

#include <string>

#include "core/io/NumberText.h"
#include "core/io/TextEncoding.h"

namespace vorla {
namespace {

void BM_DecodeFileText(benchmark::State& state) {
  std::string text;
  while (text.size() < 64 * 1024) text += "Func=Sen(x+y)+r+w\r\nZmin=-Pi\r\nNota=Expresi\xC3\xB3n\r\n";
  for (auto _ : state) benchmark::DoNotOptimize(DecodeFileText(text));
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_DecodeFileText);

void BM_FormatG(benchmark::State& state) {
  double value = 0.1;
  for (auto _ : state) {
    benchmark::DoNotOptimize(FormatG(value));
    value += 1.37;
  }
}
BENCHMARK(BM_FormatG);

}  // namespace
}  // namespace vorla
