#pragma once
// The drawing routines' canvas over a QPainter: shaded fills and centred
// text in the painter's font.

#include "core/gradient/Fills.h"

class QPainter;

namespace vorla {

class PainterCanvas : public Canvas {
 public:
  explicit PainterCanvas(QPainter& painter) : painter_(painter) {}

  void FillRect(const Rect& rect, TColor color) override;
  void FillEllipse(const Rect& rect, TColor color) override;
  TextExtent MeasureText(const std::string& text) override;
  void DrawText(int x, int y, const std::string& text) override;

 private:
  QPainter& painter_;
};

}  // namespace vorla
