#pragma once
// The seven compiled expressions of a plot document in their two
// environments. Func, Zmin and Zmax see x, y, the polar values w and r and
// the environment values minX, minY, minZ, maxX, maxY, maxZ, fX, fY; the four
// range bounds see only the six min/max values. r and w are computed at most
// once per point, and only when an expression reads them.

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "core/plot/Navigation.h"
#include "core/plot/PictureCalculation.h"
#include "core/plot/PlotDocument.h"

namespace vorla {

class RowProgram;
class TExpresion;
class TVariable;

// The function and the scale bounds at one point of the plane.
struct Probe {
  float x = 0;
  float y = 0;
  float r = 0;
  float w = 0;
  float f = 0;
  float zmin = 0;
  float zmax = 0;
  bool hasError = false;
  std::string errorText;
};

class PlotExpressions final : public PixelEvaluator {
 public:
  enum Field { kFunc, kZmin, kZmax, kXmin, kYmin, kXmax, kYmax };
  static constexpr int kFieldCount = 7;

  PlotExpressions();
  ~PlotExpressions() override;
  PlotExpressions(const PlotExpressions&) = delete;
  PlotExpressions& operator=(const PlotExpressions&) = delete;

  TExpresion& Expression(Field field) { return *expressions_[field]; }

  // Fired when any of the seven texts changes.
  std::function<void()> OnChange;
  // Field name for messages, e.g. "Z m\xEDnimo" (core text).
  static const char* FieldLabel(Field field);

  // Compiles the seven texts in the order Zmax, Xmax, Ymax, Xmin, Ymin,
  // Zmin, Func.
  void Compile(const PlotDocument& document);

  struct CompileFailure {
    Field field;
    std::string message;  // the expression's error text, then the field
  };
  // Of the expressions that did not compile, the last in the order Func,
  // Zmax, Zmin, Xmax, Xmin, Ymax, Ymin; nothing when all compiled.
  std::optional<CompileFailure> CheckExpressions() const;

  // The document's aspect correction on loading: compiles and evaluates its
  // Xmin and Xmax texts and, when the aspects differ, rewrites them (see
  // CorrectAspect); a bound that does not evaluate leaves both texts as
  // they are. The caller compiles the whole document afterwards.
  bool CorrectAspect(PlotDocument& document, float savedAspect, float currentAspect);

  // Left = Xmin, top = Ymin, right = Xmax, bottom = Ymax, each evaluated.
  ViewBounds EvaluateRange();
  // The view the environment values minX..maxY report.
  void SetView(const ViewBounds& view);

  // What the mouse readout shows at a point of the plane.
  Probe EvaluateAt(float x, float y);

  // PixelEvaluator
  void BeginPicture(const ViewBounds& view, float stepX, float stepY) override;
  void SetRowY(float y) override;
  void SetColumnX(float x) override;
  float Function(int& errorCode) override;
  float ScaleMin() override;
  float ScaleMax() override;
  void EndPicture(float shownMin, float shownMax) override;
  // Runs of Func, Zmin and Zmax compiled at BeginPicture; null when one of
  // them draws random numbers or holds anything else runs cannot express.
  std::unique_ptr<RowEvaluator> NewRowEvaluator() override;
  ScaleBounds LastGoodScale() override;
  void SetLastGoodScale(const ScaleBounds& bounds) override;

  // The same texts, view and environment values, for another thread.
  std::unique_ptr<PlotExpressions> Copy() const;

 private:
  float Radius();
  float Angle();

  std::array<std::unique_ptr<TExpresion>, kFieldCount> expressions_;
  TVariable* x_ = nullptr;
  TVariable* y_ = nullptr;
  float xValue_ = 0;
  float yValue_ = 0;
  float r_ = 0;
  float w_ = 0;
  bool rDirty_ = true;
  bool wDirty_ = true;
  ViewBounds view_{0, 0, 0, 0};
  float shownMin_ = 0;
  float shownMax_ = 0;
  float stepX_ = 0;
  float stepY_ = 0;
  std::shared_ptr<const RowProgram> rowProgram_;
};

}  // namespace vorla
