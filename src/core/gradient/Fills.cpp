#include "core/gradient/Fills.h"

#include <algorithm>
#include <cstdlib>

#include "core/gradient/DrawRoutines.h"
#include "core/io/MulDiv.h"

namespace vorla {

void GradientFill(Canvas& canvas, const Rect& rect, TColor start, TColor end, bool vertical) {
  const int span = vertical ? rect.Height() : rect.Width();
  if (span <= 0) return;
  const int steps = std::min(span, 255);
  const TColGrad ramp(start, end, static_cast<std::uint16_t>(steps));
  const int nearEdge = vertical ? rect.top : rect.left;
  int from = nearEdge;
  for (int i = 1; i <= steps; ++i) {
    const int to = nearEdge + MulDiv(i, span, steps);
    if (to > from) {
      const Rect band = vertical ? Rect{rect.left, from, rect.right, to} : Rect{from, rect.top, to, rect.bottom};
      canvas.FillRect(band, ramp.ColorAt(i));
    }
    from = to;
  }
}

void CylinderFill(Canvas& canvas, const Rect& rect, TColor light, TColor edge, bool horizontal, int position) {
  if (horizontal) {
    const int split = rect.top + MulDiv(rect.Height(), position, 10);
    GradientFill(canvas, {rect.left, rect.top, rect.right, split}, edge, light, true);
    GradientFill(canvas, {rect.left, split, rect.right, rect.bottom}, light, edge, true);
  } else {
    const int split = rect.left + MulDiv(rect.Width(), position, 10);
    GradientFill(canvas, {rect.left, rect.top, split, rect.bottom}, edge, light, false);
    GradientFill(canvas, {split, rect.top, rect.right, rect.bottom}, light, edge, false);
  }
}

void SphereFill(Canvas& canvas, const Rect& rect, TColor light, TColor edge, int centreX, int centreY) {
  if (centreX == kDefaultSphereCentre) centreX = rect.left + MulDiv(rect.Width(), 3, 8);
  if (centreY == kDefaultSphereCentre) centreY = rect.top + MulDiv(rect.Height(), 3, 8);
  const int dLeft = centreX - rect.left;
  const int dRight = centreX - rect.right;
  const int dTop = centreY - rect.top;
  const int dBottom = centreY - rect.bottom;
  const int steps = std::max({std::abs(dLeft), std::abs(dRight), std::abs(dTop), std::abs(dBottom)});
  // A rectangle collapsed onto its centre has nothing to shade.
  if (steps == 0) return;
  const TColGrad ramp(edge, light, static_cast<std::uint16_t>(std::min(steps, 65535)));
  for (int i = 0; i <= steps; ++i) {
    const Rect ellipse{rect.left + dLeft * i / steps, rect.top + dTop * i / steps, rect.right + dRight * i / steps,
                       rect.bottom + dBottom * i / steps};
    canvas.FillEllipse(ellipse, ramp.ColorAt(i));
  }
}

void TextCentered(Canvas& canvas, const Rect& rect, const std::string& text) {
  const TextExtent extent = canvas.MeasureText(text);
  canvas.DrawText(rect.left + (rect.Width() - extent.width) / 2, rect.top + (rect.Height() - extent.height) / 2,
                  text);
}

void TileGraphic(const Rect& rect, int width, int height, int offsetX, int offsetY,
                 const std::function<void(int x, int y)>& drawAt) {
  // An empty graphic would never advance; an offset of any size or sign is
  // brought into (-width, 0] so no copies are drawn wholly outside.
  if (width <= 0 || height <= 0) return;
  const auto anchor = [](int offset, int size) {
    const int rest = offset % size;
    return rest > 0 ? rest - size : rest;
  };
  const int startX = anchor(offsetX, width);
  const int startY = anchor(offsetY, height);
  for (int x = startX;; x += width) {
    for (int y = startY;; y += height) {
      drawAt(x, y);
      if (y + height > rect.bottom) break;
    }
    if (x + width > rect.right) break;
  }
}

}  // namespace vorla
