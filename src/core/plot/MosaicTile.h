#pragma once
// The mosaic preview's arithmetic: the tile made from the picture, and the
// pattern dragged with the mouse.

#include "core/io/Bitmap.h"
#include "core/plot/ExportPicture.h"

namespace vorla {

// Tile widths before mirroring.
inline constexpr int kMinTileSize = 32;
inline constexpr int kMaxTileSize = 256;
inline constexpr int kTileSizeStep = 32;
inline constexpr int kStartTileSize = 128;

// size wide, as high as the picture's aspect asks (at least 1 pixel).
PictureSize TileSizeFor(int size, int pictureWidth, int pictureHeight);

// The picture stretched to width x height, each tile pixel taking the
// picture pixel under its centre (indices are never blended); same depth
// and palette. An empty picture or size gives an empty bitmap.
Bitmap StretchPicture(const Bitmap& picture, int width, int height);

// The picture scaled to the tile size, then mirrored so its edges match.
Bitmap MakeMosaicTile(const Bitmap& picture, int size, Mirrors mirrors);

// Pressing, moving and releasing the mouse over the pattern. The offset is
// where the first tile starts; after each move it is folded back by one
// tile when it has gone past a tile's extent either way.
class PatternDrag {
 public:
  void Press(int x, int y);
  // Ignored unless pressed.
  void Move(int x, int y, int tileWidth, int tileHeight);
  // True for a click: released under 2 pixels from the press both ways.
  bool Release(int x, int y);

  bool Dragging() const { return dragging_; }
  int OffsetX() const { return offsetX_; }
  int OffsetY() const { return offsetY_; }

 private:
  int offsetX_ = 0;
  int offsetY_ = 0;
  int lastX_ = 0;
  int lastY_ = 0;
  int pressX_ = 0;
  int pressY_ = 0;
  bool dragging_ = false;
};

}  // namespace vorla
