#pragma once
// Shaded fills, tiling and centred text over an abstract canvas, so the
// arithmetic lives in the core and a front end only supplies the painting.

#include <functional>
#include <string>

#include "core/io/Bitmap.h"

namespace vorla {

// A rectangle as the window system gives it: right and bottom are one past
// the last pixel.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  int Width() const { return right - left; }
  int Height() const { return bottom - top; }
  friend bool operator==(const Rect&, const Rect&) = default;
};

struct TextExtent {
  int width = 0;
  int height = 0;
};

class Canvas {
 public:
  virtual ~Canvas() = default;
  virtual void FillRect(const Rect& rect, TColor color) = 0;
  // The ellipse inside rect, outlined and filled in one colour.
  virtual void FillEllipse(const Rect& rect, TColor color) = 0;
  virtual TextExtent MeasureText(const std::string& text) = 0;
  // Text in the canvas font with its top-left corner at (x, y), background untouched.
  virtual void DrawText(int x, int y, const std::string& text) = 0;
};

// Bands from start to end colour: top to bottom when vertical, else left to
// right; at most 255 bands, the last ending at the far edge in the end colour.
void GradientFill(Canvas& canvas, const Rect& rect, TColor start, TColor end, bool vertical);

// Two ramps meeting at a bright line at position * 10 % of the extent
// (position 0..9): across the height when horizontal, along the width otherwise.
void CylinderFill(Canvas& canvas, const Rect& rect, TColor light, TColor edge, bool horizontal, int position);

// A centre coordinate of kDefaultSphereCentre places the light at 3/8 of that extent.
inline constexpr int kDefaultSphereCentre = 268435455;
// Concentric ellipses shrinking from the rectangle to (centreX, centreY)
// while the colour goes from the edge colour to the light colour.
void SphereFill(Canvas& canvas, const Rect& rect, TColor light, TColor edge, int centreX, int centreY);

void TextCentered(Canvas& canvas, const Rect& rect, const std::string& text);

// Calls drawAt for every copy of a width x height graphic that tiles rect,
// the tiling anchored at (offsetX, offsetY); at least one copy is drawn.
void TileGraphic(const Rect& rect, int width, int height, int offsetX, int offsetY,
                 const std::function<void(int x, int y)>& drawAt);

}  // namespace vorla
