#pragma once
// The expressions of one plot as the main window holds them: the seven
// compiled expressions in their two environments (function, scale bounds and
// the values x, y, r, w, minX..fY; range bounds with minX..maxZ), and the
// calculation of the indexed picture over a view.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "core/io/Bitmap.h"
#include "core/plot/Navigation.h"
#include "core/plot/PlotDocument.h"
#include "core/plot/ViewScale.h"

namespace vorla {

class TExpresion;
class TVariable;

// What the calculation reads besides the expressions.
struct CalculationOptions {
  bool gradient = true;
  bool bucMin = false;
  bool bucMax = false;
  bool usaFilMin = false;
  bool usaFilMax = false;
  float filMin = 0;
  float filMax = 0;
};

struct CalculationStats {
  float minFound = 0;
  float maxFound = 0;
  long long pixels = 0;
  // Failed evaluations of the function by error code 11..19 (index 0 is 11).
  std::array<int, 9> errorCounts{};
};

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

// The palette index of a value against the scale at its pixel: 1 below,
// 2 above, 3 flat, 6..255 the gradient levels; values outside wrap round
// the gradient with "Bucle". Returns nothing when the level does not fit a
// 32-bit integer.
bool ScaleIndex(float z, float zmin, float zmax, const CalculationOptions& options, std::uint8_t& index);

class PlotSession {
 public:
  // Which range field an index names, in the order the idle update walks them.
  enum RangeField { kYmin, kXmin, kXmax, kYmax };

  PlotSession();
  ~PlotSession();
  PlotSession(const PlotSession&) = delete;
  PlotSession& operator=(const PlotSession&) = delete;

  // Called whenever any of the seven texts compiles anew.
  std::function<void()> OnChange;

  // Compiles the seven texts in the order Zmax, Xmax, Ymax, Xmin, Ymin, Zmin, Func.
  void Compile(const PlotDocument& document);
  // The message of the last failing expression in the order Func, Zmax, Zmin,
  // Xmax, Xmin, Ymax, Ymin, with the field it belongs to; empty when all compiled.
  std::string CompileErrors() const;
  // Left = Xmin, top = Ymin, right = Xmax, bottom = Ymax.
  ViewBounds RangeBounds();

  // The range expressions as the idle update keeps them: their value, and a
  // new text written with 15 digits while the field shows fewer.
  float RangeValue(RangeField field);
  void SetRangeText(RangeField field, const std::string& fullText, const std::string& shownText);
  // The text to store for a range field showing fieldText: the full text when
  // the field still shows what the idle update put there.
  std::string RangeText(RangeField field, const std::string& fieldText) const;

  // Xmin and Xmax of a document about to be loaded.
  std::pair<float, float> EvaluateXRange(const std::string& xminText, const std::string& xmaxText);

  // The environment values that depend on the view.
  void SetView(const ViewScale& view);

  // Fills rect of picture (whole picture when top == bottom) with palette
  // indices; progress gets the percentage of rows done after each row.
  CalculationStats Calculate(Bitmap& picture, PixelRect rect, const ViewScale& view,
                             const CalculationOptions& options, const std::function<void(int)>& progress);
  const CalculationStats& LastStats() const { return stats_; }

  Probe ProbeAt(double x, double y);

  TExpresion& Func() { return *func_; }

 private:
  void SetPoint(float x, float y);
  float PolarRadius();
  float PolarAngle();

  std::unique_ptr<TExpresion> func_, zmin_, zmax_, xmin_, ymin_, xmax_, ymax_;
  TVariable* x_ = nullptr;
  TVariable* y_ = nullptr;
  float r_ = 0;
  float w_ = 0;
  bool rDirty_ = true;
  bool wDirty_ = true;
  ViewBounds view_;
  float stepX_ = 0;
  float stepY_ = 0;
  float shownMin_ = 0;
  float shownMax_ = 0;
  CalculationStats stats_;
  std::array<std::string, 4> shownRangeText_;
};

}  // namespace vorla
