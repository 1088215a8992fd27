#include "core/plot/RenderDocument.h"

#include "core/expr/Expresion.h"
#include "core/gradient/GradTable.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {

RenderedPicture RenderDocument(PlotDocument document, int width, int height,
                               std::optional<float> savedAspect, const RowProgress& progress,
                               int threads) {
  if (width <= 0 || height <= 0) throw EmptyPictureError();
  RenderedPicture rendered;
  try {
    rendered.picture.palette = DocumentPalette(document);
  } catch (const GradientTextError& e) {
    throw RenderError(std::string(e.what()).append("\nen el campo ColGra"));
  }

  PlotExpressions plot;
  if (savedAspect) {
    const float aspect = static_cast<float>(height) / static_cast<float>(width);
    plot.CorrectAspect(document, *savedAspect, aspect);
  }
  plot.Compile(document);
  if (const auto failure = plot.CheckExpressions()) throw RenderError(failure->message);
  const ViewBounds view = plot.EvaluateRange();
  for (auto field : {PlotExpressions::kXmin, PlotExpressions::kYmin, PlotExpressions::kXmax,
                     PlotExpressions::kYmax}) {
    const TExpresion& bound = plot.Expression(field);
    if (bound.HasError())
      throw RenderError(
          std::string(bound.ErrorText()).append("\nen el campo ").append(PlotExpressions::FieldLabel(field)));
  }
  plot.SetView(view);

  rendered.picture.Resize(width, height, 8);
  CalculateIndexed(rendered.picture, PixelRect{}, view, IndexSettings::From(document), plot,
                   rendered.stats, progress, threads);
  return rendered;
}

}  // namespace vorla
