#include "gui/gradient/GradEditMouse.h"

#include <utility>

namespace vorla {

void GradEditMouse::Press(int along, int across) {
  const GradHit hit = GradHitTest(table_, along, across);
  pressOnMarkerBand_ = hit.inMarkerBand;
  pressIndex_ = dragIndex_ = hit.found ? hit.index : -1;
}

GradMove GradEditMouse::Move(int along, int across) {
  const GradHit hit = GradHitTest(table_, along, across);
  GradMove move;
  if (!hit.found && !pressOnMarkerBand_) return move;
  move.cursor = hit.inMarkerBand ? GradCursor::Hand : GradCursor::UpArrow;
  if (hit.found) move.index = hit.index;

  if (dragIndex_ >= 0) {
    if (pressOnMarkerBand_) {
      const int target = GradDragTarget(table_, along);
      MoveNode(target);
      move.index = target;
    } else {
      // The shortest cyclic equivalent of the mouse's travel: a fast jump of
      // more than 127 entries still lands the colour under the mouse.
      const int count = GradCount(table_);
      int travel = (hit.index - dragIndex_) % count;
      if (travel >= (count + 1) / 2) travel -= count;
      if (travel < -count / 2) travel += count;
      const auto step = static_cast<std::int8_t>(travel);
      if (step != 0) {
        table_.Rotate(step);
        changedByDrag_ = true;
      }
      dragIndex_ = hit.index;
    }
  }
  if (move.index && !table_.InRange(*move.index)) move.index.reset();
  return move;
}

void GradEditMouse::MoveNode(int target) {
  const auto from = static_cast<std::uint8_t>(dragIndex_);
  const auto to = static_cast<std::uint8_t>(target);
  if (target == dragIndex_ || !table_.InRange(target) || table_.IsNode(to)) return;
  const TColor color = table_.Colors(from);
  // Demoting the old entry must not announce a table that has lost a node:
  // the host hears of the move once, from SetNode.
  std::function<void()> notify = std::exchange(table_.OnChange, nullptr);
  table_.SetColors(from, color);
  table_.OnChange = std::move(notify);
  table_.SetNode(to, color);
  dragIndex_ = target;
  changedByDrag_ = true;
}

GradRelease GradEditMouse::Release(int along, int across, bool leftButton) {
  const GradHit hit = GradHitTest(table_, along, across);
  GradRelease release;
  if (hit.found && hit.index == pressIndex_) {
    release.index = hit.index;
    if (leftButton)
      release.action = GradRelease::Action::ChooseColor;
    else if (hit.inMarkerBand)
      release.action = GradRelease::Action::DeleteNode;
  }
  pressIndex_ = dragIndex_ = -1;
  pressOnMarkerBand_ = false;
  release.endOfDrag = std::exchange(changedByDrag_, false);
  return release;
}

}  // namespace vorla
