#pragma once
// What a figure shows of a document: its picture calculated at a chosen
// size, the view for the frame's ticks, the colour scale for the bar, the
// compiled Func for the title, and the document text the file carries.

#include <memory>
#include <optional>
#include <stop_token>
#include <string>

#include "core/io/Bitmap.h"
#include "core/plot/Navigation.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotDocument.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {

// The colour bar: the scale and how the picture paints values outside it.
struct FigureScale {
  float zmin = 0;
  float zmax = 0;
  bool gradient = true;  // Gra: else the scale is painted in the flat colour
  bool wrapBelow = false;
  bool wrapAbove = false;
};

struct FigureContent {
  Bitmap picture;  // 8 bits per pixel with the palette
  ViewBounds view;
  FigureScale scale;
  std::unique_ptr<PlotExpressions> plot;  // its Func is the title
  std::string documentText;               // drawn again at the picture's size, the same picture
};

// As RenderDocument, with its errors. Zmin and Zmax may vary over the plane:
// the bar shows them at the centre of the view. `palette`, when given,
// replaces the document's (the window's gradient after a colour adjustment).
// Nothing when stopped.
std::optional<FigureContent> CalculateFigure(const PlotDocument& document, int width, int height,
                              std::optional<float> savedAspect, const std::optional<Palette>& palette = std::nullopt,
                              const RowProgress& progress = {}, std::stop_token stop = {});

}  // namespace vorla
