#include "gui/plot/ColorSwatch.h"

#include <QMouseEvent>
#include <QPainter>

namespace vorla {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setCursor(Qt::PointingHandCursor);
  setFixedSize(sizeHint());
}

void ColorSwatch::SetColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  update();
}

void ColorSwatch::paintEvent(QPaintEvent* event) {
  QFrame::paintEvent(event);
  QPainter painter(this);
  painter.fillRect(contentsRect(), color_);
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit Clicked();
  QFrame::mouseReleaseEvent(event);
}

}  // namespace vorla
