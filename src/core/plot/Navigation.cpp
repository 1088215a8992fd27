#include "core/plot/Navigation.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>

#include "core/gradient/DrawRoutines.h"
#include "core/io/MulDiv.h"

namespace vorla {
namespace {

ViewBounds Bounds(const ViewScale& view, int left, int top, int right, int bottom) {
  return {view.PixelToScaleX(left), view.PixelToScaleY(top), view.PixelToScaleX(right),
          view.PixelToScaleY(bottom)};
}

// Clipped to the picture; nothing when the clipped strip is empty.
void AddStrip(std::vector<PixelRect>& strips, PixelRect strip, int width, int height) {
  strip.left = std::clamp(strip.left, 0, width);
  strip.right = std::clamp(strip.right, 0, width);
  strip.top = std::clamp(strip.top, 0, height);
  strip.bottom = std::clamp(strip.bottom, 0, height);
  if (strip.left < strip.right && strip.top < strip.bottom) strips.push_back(strip);
}

}  // namespace

ViewBounds BoundsOf(const ViewScale& view) {
  return {view.ScaleLeft(), view.ScaleTop(), view.ScaleRight(), view.ScaleBottom()};
}

void SetView(ViewScale& view, const ViewBounds& bounds) {
  view.SetScale(bounds.left, bounds.top, bounds.right, bounds.bottom);
}

ViewBounds ZoomOutByTwo(const ViewScale& view) {
  const int w = view.Width();
  const int h = view.Height();
  return Bounds(view, -(w / 2), -(h / 2), w + w / 2, h + h / 2);
}

ViewBounds ZoomToBand(const ViewScale& view, const PixelRect& band) {
  return Bounds(view, band.left, band.top, band.right, band.bottom);
}

PixelRect KeepBandAspect(const PixelRect& band, int width, int height) {
  PixelRect shaped = band;
  if (width != 0) shaped.bottom = band.top + MulDiv(height, band.right - band.left, width);
  return shaped;
}

PanResult PanBy(const ViewScale& view, int dx, int dy) {
  const int w = view.Width();
  const int h = view.Height();
  PanResult result{Bounds(view, -dx, -dy, w - dx, h - dy), {}};
  if (dy != 0) {
    const PixelRect rows = dy < 1 ? PixelRect{0, h + dy, w, h} : PixelRect{0, 0, w, dy};
    AddStrip(result.strips, rows, w, h);
  }
  if (dx != 0) {
    const int top = dy < 1 ? 0 : dy;
    const int bottom = dy < 1 ? h + dy : h;
    const PixelRect columns = dx < 1 ? PixelRect{w + dx, top, w, bottom} : PixelRect{0, top, dx, bottom};
    AddStrip(result.strips, columns, w, h);
  }
  return result;
}

void ShiftPicture(Bitmap& picture, int dx, int dy) {
  const int w = picture.Width();
  const int h = picture.Height();
  if (std::abs(dx) >= w || std::abs(dy) >= h || (dx == 0 && dy == 0)) return;
  const int bytesPerPixel = BytesPerPixel(picture);
  const int firstColumn = std::max(0, dx);
  const std::size_t count = static_cast<std::size_t>(w - std::abs(dx)) * bytesPerPixel;
  // Rows are visited away from the direction of the move so that no source
  // row is overwritten before it is read.
  const int firstRow = dy > 0 ? h - 1 : 0;
  const int lastRow = dy > 0 ? dy - 1 : h + dy;
  const int step = dy > 0 ? -1 : 1;
  for (int row = firstRow; row != lastRow; row += step) {
    std::uint8_t* target = picture.Row(row) + static_cast<std::size_t>(firstColumn) * bytesPerPixel;
    const std::uint8_t* source =
        picture.Row(row - dy) + static_cast<std::size_t>(firstColumn - dx) * bytesPerPixel;
    std::memmove(target, source, count);
  }
}

PixelPoint CenteringShift(const ViewScale& view, PixelPoint click) {
  return {view.Width() / 2 - click.x, view.Height() / 2 - click.y};
}

ViewBounds RotateRight(const ViewScale& view) {
  const int w = view.Width();
  const int h = view.Height();
  const int d = (w - h) / 2;
  return {view.PixelToScaleY(h + d), view.PixelToScaleX(d), view.PixelToScaleY(-d),
          view.PixelToScaleX(w - d)};
}

ViewBounds RotateLeft(const ViewScale& view) {
  const int w = view.Width();
  const int h = view.Height();
  const int d = (w - h) / 2;
  return {view.PixelToScaleY(-d), view.PixelToScaleX(w - d), view.PixelToScaleY(h + d),
          view.PixelToScaleX(d)};
}

ViewBounds Normalize(const ViewScale& view) {
  const double centerX = view.ScaleCenterX();
  const double centerY = view.ScaleCenterY();
  double extentX = view.ScaleWidth();
  double extentY = view.ScaleHeight();
  if (std::fabs(extentY) <= std::fabs(extentX)) {
    if (view.Width() != 0) extentY = extentX * view.Height() / view.Width();
  } else if (view.Height() != 0) {
    extentX = extentY * view.Width() / view.Height();
  }
  const double halfX = extentX / 2;
  const double halfY = extentY / 2;
  return {centerX - halfX, centerY - halfY, centerX + halfX, centerY + halfY};
}

ViewBounds CenterOnOrigin(const ViewScale& view) {
  const double halfX = view.ScaleWidth() / 2;
  const double halfY = view.ScaleHeight() / 2;
  return {-halfX, -halfY, halfX, halfY};
}

ReleaseAction ClassifyRelease(bool leftButton, const PixelRect& band) {
  const int movedX = std::abs(band.right - band.left);
  const int movedY = std::abs(band.bottom - band.top);
  if (!leftButton) return movedX < 3 && movedY < 3 ? ReleaseAction::kZoomOut : ReleaseAction::kPan;
  return movedX > 3 && movedY > 3 ? ReleaseAction::kZoomToBand : ReleaseAction::kClick;
}

bool IsPanningDrag(const PixelRect& band) {
  return std::abs(band.right - band.left) >= 3 || std::abs(band.bottom - band.top) >= 3;
}

}  // namespace vorla
