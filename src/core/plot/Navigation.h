#pragma once
// View transforms of the picture area: what a click, a drag or a panel
// button does to the visible rectangle of the plane. Everything here is a
// pure function of the current view (its bounds and its pixel size W x H);
// the main window applies the result and recalculates.

#include <vector>

#include "core/io/Bitmap.h"
#include "core/plot/ViewScale.h"

namespace vorla {

struct PixelPoint {
  int x = 0;
  int y = 0;
  friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// Left, top, right, bottom in picture pixels, right and bottom exclusive. A
// rubber band keeps its press point in left/top and the current point in
// right/bottom, so it may be "inverted".
struct PixelRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
};

// The four edges of a view, as ViewScale::SetScale takes them.
struct ViewBounds {
  double left = 0;
  double top = 0;
  double right = 1;
  double bottom = 1;
  friend bool operator==(const ViewBounds&, const ViewBounds&) = default;
};

ViewBounds BoundsOf(const ViewScale& view);
void SetView(ViewScale& view, const ViewBounds& bounds);

// Right click: twice the extent on both axes around the same centre.
ViewBounds ZoomOutByTwo(const ViewScale& view);

// Left drag: the band's corners become the view's corners, so a band dragged
// leftwards or upwards mirrors that axis.
ViewBounds ZoomToBand(const ViewScale& view, const PixelRect& band);

// While the aspect lock is on, the band's height follows its width in the
// picture area's proportions (the bottom moves, the press point stays).
PixelRect KeepBandAspect(const PixelRect& band, int width, int height);

// A pan moves the picture content by (dx, dy) pixels. Only the strips the
// moved picture leaves uncovered need calculating; they are clipped to the
// picture and empty ones are left out, so a pan farther than the picture
// itself asks for the whole area in at most two rectangles and a pan by
// (0, 0) asks for nothing. No strip ever has top == bottom, which the
// calculation would take for "the whole picture".
struct PanResult {
  ViewBounds view;
  std::vector<PixelRect> strips;  // horizontal strip first, then vertical
};
PanResult PanBy(const ViewScale& view, int dx, int dy);

// Moves the indices of an 8-bit picture by (dx, dy) pixels, as the pan shows
// them before the uncovered strips are calculated; those strips keep their
// old indices until then. Other depths move whole pixels too; one that
// BytesPerPixel refuses raises InvalidGraphicError.
void ShiftPicture(Bitmap& picture, int dx, int dy);

// The pan that brings a clicked pixel to the centre of the area.
PixelPoint CenteringShift(const ViewScale& view, PixelPoint click);

// Quarter turns of the view rectangle (the function itself is not turned):
// the new x extent is the old y extent and the other way round, each
// lengthened or shortened at both ends so the scale per pixel is kept.
ViewBounds RotateRight(const ViewScale& view);
ViewBounds RotateLeft(const ViewScale& view);

// One plane unit the same number of pixels on both axes, keeping the centre;
// the longer extent is kept and the other adjusted (and unmirrored).
ViewBounds Normalize(const ViewScale& view);

// Same extents, centre moved to (0, 0).
ViewBounds CenterOnOrigin(const ViewScale& view);

// What a finished rubber band means. The right button stands for every button
// other than the left one.
enum class ReleaseAction {
  kZoomOut,     // right button, moved less than 3 pixels both ways
  kPan,         // right button, moved
  kZoomToBand,  // left button, moved more than 3 pixels both ways
  kClick,       // left button otherwise: filter picking or centring
};
ReleaseAction ClassifyRelease(bool leftButton, const PixelRect& band);

// During a right drag the picture follows the mouse only once the band has
// grown to 3 pixels in some direction.
bool IsPanningDrag(const PixelRect& band);

}  // namespace vorla
