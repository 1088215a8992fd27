#pragma once
// A visible focus for controls that draw themselves without one (the
// picture, flat tool buttons): a dotted frame over the control while it
// holds the focus.

class QWidget;

namespace vorla {

// Lets Tab reach `control` and frames it while it has the focus.
void AddFocusFrame(QWidget& control);

}  // namespace vorla
