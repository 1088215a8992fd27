#include "gui/plot/ProgressBox.h"

#include <QPainter>

#include <algorithm>

namespace vorla {

ProgressBox::ProgressBox(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("progreso"));
  setAccessibleName(QStringLiteral("Progreso"));
  setFixedSize(sizeHint());
}

void ProgressBox::SetPercent(int percent) {
  percent = std::clamp(percent, 0, 100);
  if (percent == percent_) return;
  percent_ = percent;
  update();
}

void ProgressBox::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const QColor highlight = palette().color(QPalette::Highlight);
  painter.fillRect(rect(), palette().color(QPalette::Window));
  painter.fillRect(QRect(0, 0, width() * percent_ / 100, height()), highlight);
  painter.setPen(highlight);
  painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

}  // namespace vorla
