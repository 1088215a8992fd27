// The row engine against the pixel loop: for any function (and scale bounds,
// on the second and third lines), a picture calculated in runs on a worker
// thread has every pixel and error count the pixel-by-pixel loop gives.

#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>

#include "FuzzSupport.h"
#include "PixelLoopOnly.h"
#include "core/expr/Catalog.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotExpressions.h"

namespace {

// A picture wider than one run, of no round size, through x = 0 and y = 0.
constexpr int kWidth = 261;
constexpr int kHeight = 5;
const vorla::ViewBounds kView{-8.125, -1.0, -8.125 + kWidth * 0.0625, -1.0 + kHeight * 0.5};

struct Calculated {
  vorla::Bitmap picture;
  vorla::PictureStats stats;
};

// False when the document does not compile.
bool Calculate(const vorla::PlotDocument& document, bool rows, Calculated& out) {
  vorla::PlotExpressions plot;
  plot.Compile(document);
  if (plot.CheckExpressions()) return false;
  vorla::SeedRandom(7);
  out.picture.Resize(kWidth, kHeight, 8);
  const vorla::IndexSettings settings = vorla::IndexSettings::From(document);
  vorla::testing_support::PixelLoopOnly tree(plot);
  if (rows)
    vorla::CalculateIndexed(out.picture, vorla::PixelRect{}, kView, settings, plot, out.stats, {}, 1);
  else
    vorla::CalculateIndexed(out.picture, vorla::PixelRect{}, kView, settings, tree, out.stats);
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorla::PlotDocument document = vorla::PlotDocument::StartUp();
  std::istringstream lines(vorla::fuzz::Text(data, size));
  std::getline(lines, document.Func);
  if (std::string line; std::getline(lines, line)) document.Zmin = line;
  if (std::string line; std::getline(lines, line)) document.Zmax = line;
  Calculated pixels, runs;
  if (!Calculate(document, false, pixels) || !Calculate(document, true, runs)) return 0;
  for (int r = 0; r < kHeight; ++r)
    if (std::memcmp(pixels.picture.Row(r), runs.picture.Row(r), kWidth) != 0) std::abort();
  if (pixels.stats.errorCounts != runs.stats.errorCounts) std::abort();
  return 0;
}
