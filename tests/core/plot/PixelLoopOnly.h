#pragma once
// A plot's expressions without row evaluators, so that the picture is
// calculated by the pixel-by-pixel loop: the reference the row engine is
// compared with (tests and the row engine's fuzz target).

#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotExpressions.h"

namespace vorla::testing_support {

class PixelLoopOnly final : public PixelEvaluator {
 public:
  explicit PixelLoopOnly(PlotExpressions& plot) : plot_(plot) {}
  void BeginPicture(const ViewBounds& v, float sx, float sy) override { plot_.BeginPicture(v, sx, sy); }
  void SetRowY(float y) override { plot_.SetRowY(y); }
  void SetColumnX(float x) override { plot_.SetColumnX(x); }
  float Function(int& code) override { return plot_.Function(code); }
  float ScaleMin() override { return plot_.ScaleMin(); }
  float ScaleMax() override { return plot_.ScaleMax(); }
  void EndPicture(float lo, float hi) override { plot_.EndPicture(lo, hi); }

 private:
  PlotExpressions& plot_;
};

}  // namespace vorla::testing_support
