#include "gui/gradient/GradEditGeometry.h"

namespace vorla {

int GradCount(const TGradTable& table) {
  const int count = table.EndCol() - table.StartCol() + 1;
  return count > 0 ? count : 0;
}

GradHit GradHitTest(const TGradTable& table, int along, int across) {
  GradHit hit;
  const int count = GradCount(table);
  if (across < kGradMarkerBand) {
    hit.inMarkerBand = true;
    for (int offset = 0; offset < count; ++offset) {
      const int index = table.StartCol() + offset;
      if (table.IsNode(static_cast<std::uint8_t>(index)) && along - 2 * kGradMargin < offset &&
          offset < along) {
        hit.found = true;
        hit.index = index;
        break;
      }
    }
    return hit;
  }
  if (along >= kGradMargin && along < kGradMargin + count) {
    hit.found = true;
    hit.index = table.StartCol() + along - kGradMargin;
  }
  return hit;
}

}  // namespace vorla
