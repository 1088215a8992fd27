#pragma once
// The gradient editor's press / drag / release state machine, kept apart from
// drawing: it reads and edits the table and tells the widget what to show,
// what to report and which dialog-driven edit a release asks for.

#include <optional>

#include "core/gradient/GradTable.h"
#include "gui/gradient/GradEditGeometry.h"

namespace vorla {

enum class GradCursor { Default, Hand, UpArrow };

struct GradMove {
  GradCursor cursor = GradCursor::Default;
  std::optional<int> index;  // the entry to report to the host, if known
};

struct GradRelease {
  enum class Action { None, ChooseColor, DeleteNode };
  Action action = Action::None;
  int index = -1;
  bool endOfDrag = false;  // a drag moved a node or rotated: one finished edit
};

class GradEditMouse {
 public:
  explicit GradEditMouse(TGradTable& table) : table_(table) {}

  void Press(int along, int across);
  // Moving a node or rotating edits the table, which notifies its host once
  // per step.
  GradMove Move(int along, int across);
  GradRelease Release(int along, int across, bool leftButton);

 private:
  void MoveNode(int target);

  TGradTable& table_;
  int pressIndex_ = -1;
  int dragIndex_ = -1;
  bool pressOnMarkerBand_ = false;
  bool changedByDrag_ = false;
};

}  // namespace vorla
