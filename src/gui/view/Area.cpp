#include "gui/view/Area.h"

namespace vorla {

TArea::TArea(QWidget* parent) : QWidget(parent) {}

void TArea::DoMouseOver() { emit mouseOver(mouseInside_); }

void TArea::enterEvent(QEnterEvent* event) {
  QWidget::enterEvent(event);
  if (mouseInside_) return;
  mouseInside_ = true;
  DoMouseOver();
}

void TArea::leaveEvent(QEvent* event) {
  QWidget::leaveEvent(event);
  if (!mouseInside_) return;
  mouseInside_ = false;
  DoMouseOver();
}

}  // namespace vorla
