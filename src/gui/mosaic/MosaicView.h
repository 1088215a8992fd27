#pragma once
// The mosaic's pattern: one tile repeated over the whole widget from an
// offset the user drags with the mouse; a click (no drag) is reported.

#include <QImage>
#include <QWidget>

#include "core/plot/MosaicTile.h"

namespace vorla {

class MosaicView : public QWidget {
  Q_OBJECT

 public:
  explicit MosaicView(QWidget* parent = nullptr);

  void SetTile(QImage tile);
  const QImage& Tile() const { return tile_; }
  QPoint Offset() const { return {drag_.OffsetX(), drag_.OffsetY()}; }

  QSize sizeHint() const override { return {256, 233}; }

 signals:
  // The mouse went down and up again in place.
  void clicked(Qt::MouseButton button);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  QImage tile_;
  PatternDrag drag_;
};

}  // namespace vorla
