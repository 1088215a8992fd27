#include "gui/plot/DocumentBinder.h"

#include "core/gradient/GradTable.h"
#include "core/plot/PlotSession.h"
#include "gui/common/CoreText.h"
#include "gui/plot/FilterPicker.h"
#include "gui/plot/MainToolBar.h"
#include "gui/plot/PaletteAnimation.h"
#include "gui/plot/PropertiesPanel.h"

namespace vorla {

PlotDocument DocumentBinder::Read() const {
  const auto range = [this](PlotSession::RangeField which, ExpressionField field) {
    return session_.RangeText(which, ToCore(panel_.FieldText(field)));
  };
  PlotDocument d;
  d.Func = ToCore(toolBar_.FunctionText());
  d.Ani = animation_.Running();
  d.Vel = toolBar_.Speed();
  d.Gra = panel_.UsesGradient();
  d.ColFun = gradient_.Colors(static_cast<std::uint8_t>(FixedColor::kFlat));
  d.ColMin = gradient_.Colors(static_cast<std::uint8_t>(FixedColor::kBelowScale));
  d.ColFon = gradient_.Colors(static_cast<std::uint8_t>(FixedColor::kBackground));
  d.BucMin = panel_.WrapsBelow();
  d.Zmin = ToCore(panel_.FieldText(ExpressionField::kZmin));
  d.ColGra = gradient_.PalString();
  d.Xmin = range(PlotSession::kXmin, ExpressionField::kXmin);
  d.Ymin = range(PlotSession::kYmin, ExpressionField::kYmin);
  d.Xmax = range(PlotSession::kXmax, ExpressionField::kXmax);
  d.Ymax = range(PlotSession::kYmax, ExpressionField::kYmax);
  d.ColMax = gradient_.Colors(static_cast<std::uint8_t>(FixedColor::kAboveScale));
  d.BucMax = panel_.WrapsAbove();
  d.Zmax = ToCore(panel_.FieldText(ExpressionField::kZmax));
  d.FilMax = filters_.Threshold(FilterSide::kAbove);
  d.FilMin = filters_.Threshold(FilterSide::kBelow);
  d.UsaFilMax = toolBar_.FilterOn(FilterSide::kAbove);
  d.UsaFilMin = toolBar_.FilterOn(FilterSide::kBelow);
  return d;
}

std::optional<std::string> DocumentBinder::Show(const PlotDocument& d) {
  session_.ForgetRangeTexts();
  toolBar_.SetFunctionText(FromCore(d.Func));
  animation_.SetRunning(d.Ani);
  toolBar_.ShowAnimating(d.Ani);
  toolBar_.SetSpeed(d.Vel);
  panel_.SetUsesGradient(d.Gra);
  panel_.SetWrapsBelow(d.BucMin);
  panel_.SetFieldText(ExpressionField::kZmin, FromCore(d.Zmin));
  std::optional<std::string> refused;
  try {
    ApplyDocumentColors(gradient_, d);
  } catch (const GradientTextError& error) {
    refused = error.what();
  }
  ShowXRange(d);
  panel_.SetFieldText(ExpressionField::kYmin, FromCore(d.Ymin));
  panel_.SetFieldText(ExpressionField::kYmax, FromCore(d.Ymax));
  panel_.SetWrapsAbove(d.BucMax);
  panel_.SetFieldText(ExpressionField::kZmax, FromCore(d.Zmax));
  filters_.SetThreshold(FilterSide::kAbove, d.FilMax);
  filters_.SetThreshold(FilterSide::kBelow, d.FilMin);
  toolBar_.SetFilterOn(FilterSide::kAbove, d.UsaFilMax);
  toolBar_.SetFilterOn(FilterSide::kBelow, d.UsaFilMin);
  return refused;
}

void DocumentBinder::ShowXRange(const PlotDocument& d) {
  panel_.SetFieldText(ExpressionField::kXmin, FromCore(d.Xmin));
  panel_.SetFieldText(ExpressionField::kXmax, FromCore(d.Xmax));
}

}  // namespace vorla
