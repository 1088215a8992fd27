#include "gui/mosaic/MosaicView.h"

#include <QMouseEvent>
#include <QPainter>

#include "core/gradient/Fills.h"

namespace vorla {

MosaicView::MosaicView(QWidget* parent) : QWidget(parent) {
  setObjectName(QStringLiteral("MosaicView"));
  setAccessibleName(QStringLiteral("Mosaico"));
  setToolTip(QStringLiteral("Arrastre para mover"));
  setAttribute(Qt::WA_OpaquePaintEvent);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

void MosaicView::SetTile(QImage tile) {
  tile_ = std::move(tile);
  update();
}

void MosaicView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  if (tile_.isNull()) {
    painter.fillRect(rect(), palette().window());
    return;
  }
  TileGraphic(Rect{0, 0, width(), height()}, tile_.width(), tile_.height(), drag_.OffsetX(),
              drag_.OffsetY(), [&](int x, int y) { painter.drawImage(x, y, tile_); });
}

void MosaicView::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  drag_.Press(at.x(), at.y());
}

void MosaicView::mouseMoveEvent(QMouseEvent* event) {
  if (!drag_.Dragging()) return;
  const QPoint at = event->position().toPoint();
  drag_.Move(at.x(), at.y(), tile_.width(), tile_.height());
  update();
}

void MosaicView::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  if (drag_.Release(at.x(), at.y())) emit clicked(event->button());
}

}  // namespace vorla
