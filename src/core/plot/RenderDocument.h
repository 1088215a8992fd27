#pragma once
// A plot document calculated into a picture of a chosen size without any
// window: what the command line renders and what tests can check whole.

#include <memory>
#include <optional>
#include <stdexcept>

#include "core/io/Bitmap.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotDocument.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {

// The document cannot be drawn; what() names the field (core text).
class RenderError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// A document made ready to be calculated at a size: its palette, its
// compiled expressions with their view, and its switches.
struct DocumentPlot {
  Palette palette{};
  std::unique_ptr<PlotExpressions> plot;
  ViewBounds view;
  IndexSettings settings;
};

// The first steps of RenderDocument, which raise its RenderError.
DocumentPlot PrepareDocument(PlotDocument document, int width, int height, std::optional<float> savedAspect);

struct RenderedPicture {
  Bitmap picture;  // 8 bits per pixel with the document's palette
  PictureStats stats;
};

// A document loaded from a file passes the aspect it was saved with, and its
// x range is corrected for width x height as loading does; the start-up
// document passes nothing and is shown as it stands. Raises RenderError for
// a palette string, expression or range that fails, EmptyPictureError for
// a size of 0, and PictureSizeError for a bitmap that cannot be had (check a
// size first with CheckPictureSize). `threads` and `stop` as for
// CalculateIndexed (0: all cores); nothing when stopped.
std::optional<RenderedPicture> RenderDocument(PlotDocument document, int width, int height,
                               std::optional<float> savedAspect = std::nullopt,
                               const RowProgress& progress = {}, int threads = 0, std::stop_token stop = {});

}  // namespace vorla
