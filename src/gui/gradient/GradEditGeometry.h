#pragma once
// Where things sit in the gradient editor: a 4-pixel margin at both ends of
// the strip, an 8-pixel marker band on the outer side, one entry per pixel.

#include "core/gradient/GradTable.h"

namespace vorla {

inline constexpr int kGradMargin = 4;      // along, before the first entry
inline constexpr int kGradMarkerBand = 8;  // across, markers live in 0..7
inline constexpr int kGradMaxThickness = 264;

// Entries in the range; zero (not negative) for an empty range.
int GradCount(const TGradTable& table);

// The control's forced length along the strip.
inline int GradLength(const TGradTable& table) { return GradCount(table) + 2 * kGradMargin; }

// Position along the strip of entry `index`'s marker tip.
inline int GradMarkerAlong(const TGradTable& table, int index) {
  return index - table.StartCol() + kGradMargin;
}

struct GradHit {
  bool found = false;
  int index = 0;           // table entry; meaningful only when found
  bool inMarkerBand = false;
};

// The marker band takes every point within 7 pixels of the outer edge
// (negative values too, for a mouse captured outside the control); there the
// lowest node whose marker centre lies less than 4 pixels away wins. Below
// the band a point hits the strip entry under it.
GradHit GradHitTest(const TGradTable& table, int along, int across);

// Target entry for a node dragged to `along`: off either end it wraps
// round the whole table, so the range check alone decides.
inline int GradDragTarget(const TGradTable& table, int along) {
  return ((along - kGradMargin + table.StartCol()) % 256 + 256) % 256;
}

}  // namespace vorla
