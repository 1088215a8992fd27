#include "core/plot/RenderDocument.h"

#include <utility>

#include "core/expr/Expresion.h"
#include "core/gradient/GradTable.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {

DocumentPlot PrepareDocument(PlotDocument document, int width, int height, std::optional<float> savedAspect) {
  DocumentPlot prepared;
  try {
    prepared.palette = DocumentPalette(document);
  } catch (const GradientTextError& e) {
    throw RenderError(std::string(e.what()).append("\nen el campo ColGra"));
  }

  prepared.plot = std::make_unique<PlotExpressions>();
  PlotExpressions& plot = *prepared.plot;
  if (savedAspect) {
    const float aspect = static_cast<float>(height) / static_cast<float>(width);
    plot.CorrectAspect(document, *savedAspect, aspect);
  }
  plot.Compile(document);
  if (const auto failure = plot.CheckExpressions()) throw RenderError(failure->message);
  prepared.view = plot.EvaluateRange();
  for (auto field : {PlotExpressions::kXmin, PlotExpressions::kYmin, PlotExpressions::kXmax,
                     PlotExpressions::kYmax}) {
    const TExpresion& bound = plot.Expression(field);
    if (bound.HasError())
      throw RenderError(
          std::string(bound.ErrorText()).append("\nen el campo ").append(PlotExpressions::FieldLabel(field)));
  }
  plot.SetView(prepared.view);
  prepared.settings = IndexSettings::From(document);
  return prepared;
}

std::optional<RenderedPicture> RenderDocument(PlotDocument document, int width, int height,
                               std::optional<float> savedAspect, const RowProgress& progress,
                               int threads, std::stop_token stop) {
  if (width <= 0 || height <= 0) throw EmptyPictureError();
  DocumentPlot prepared = PrepareDocument(std::move(document), width, height, savedAspect);
  RenderedPicture rendered;
  rendered.picture.palette = prepared.palette;
  rendered.picture.Resize(width, height, 8);
  if (CalculateIndexed(rendered.picture, PixelRect{}, prepared.view, prepared.settings, *prepared.plot,
                       rendered.stats, progress, threads, std::move(stop)) == CalculationEnd::kStopped)
    return std::nullopt;
  return rendered;
}

}  // namespace vorla
