#include "gui/plot/ColorSwatch.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>

namespace vorla {

ColorSwatch::ColorSwatch(QWidget* parent) : QFrame(parent) {
  setFrameStyle(QFrame::NoFrame);
  setCursor(Qt::PointingHandCursor);
  setFocusPolicy(Qt::TabFocus);
  setFixedSize(sizeHint());
}

void ColorSwatch::SetColor(const QColor& color) {
  if (color == color_) return;
  color_ = color;
  update();
}

// A dark outline around a light inner line: white, black and the panel's own
// grey all stand out from the panel.
void ColorSwatch::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QRect outer = rect().adjusted(0, 0, -1, -1);
  painter.setPen(QColor(64, 64, 64));
  painter.drawRect(outer);
  painter.setPen(Qt::white);
  painter.drawRect(outer.adjusted(1, 1, -1, -1));
  painter.fillRect(rect().adjusted(2, 2, -2, -2), color_);
  // Reached with Tab: the outline takes the selection colour.
  if (hasFocus()) {
    painter.setPen(QPen(palette().color(QPalette::Highlight), 2));
    painter.drawRect(rect().adjusted(1, 1, -1, -1));
  }
}

void ColorSwatch::keyPressEvent(QKeyEvent* event) {
  switch (event->key()) {
    case Qt::Key_Space:
    case Qt::Key_Return:
    case Qt::Key_Enter: emit clicked(); return;
    default: QFrame::keyPressEvent(event);
  }
}

void ColorSwatch::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) emit clicked();
  QFrame::mouseReleaseEvent(event);
}

}  // namespace vorla
