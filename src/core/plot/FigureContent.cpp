#include "core/plot/FigureContent.h"

#include "core/plot/DocumentFile.h"
#include "core/plot/RenderDocument.h"

namespace vorla {

std::optional<FigureContent> CalculateFigure(const PlotDocument& document, int width, int height,
                              std::optional<float> savedAspect, const std::optional<Palette>& palette,
                              const RowProgress& progress, std::stop_token stop) {
  if (width <= 0 || height <= 0) throw EmptyPictureError();
  DocumentPlot prepared = PrepareDocument(document, width, height, savedAspect);
  FigureContent figure;
  figure.picture.palette = palette.value_or(prepared.palette);
  figure.picture.Resize(width, height, 8);
  PictureStats stats;
  if (CalculateIndexed(figure.picture, PixelRect{}, prepared.view, prepared.settings, *prepared.plot, stats, progress,
                       0, std::move(stop)) == CalculationEnd::kStopped)
    return std::nullopt;
  figure.view = prepared.view;
  const Probe centre = prepared.plot->EvaluateAt(static_cast<float>((prepared.view.left + prepared.view.right) / 2),
                                                 static_cast<float>((prepared.view.top + prepared.view.bottom) / 2));
  figure.scale = {centre.zmin, centre.zmax, prepared.settings.gradient, prepared.settings.wrapBelow,
                  prepared.settings.wrapAbove};
  figure.plot = std::move(prepared.plot);
  const float aspect = static_cast<float>(height) / static_cast<float>(width);
  figure.documentText = DocumentText(document, savedAspect.value_or(aspect));
  return figure;
}

}  // namespace vorla
