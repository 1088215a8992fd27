#pragma once
// A figure's layout and drawing on any paint device: the picture at its own
// size inside a frame with ticks and labels on its four sides, the colour
// bar at its right with the scale's values, and the typeset Func above.
// Lengths are pixels of the picture; text is set in Liberation Sans.

#include <QFont>
#include <QPicture>
#include <QRectF>
#include <QSizeF>

#include <memory>
#include <vector>

#include "core/plot/FigureContent.h"
#include "core/plot/FigureLayout.h"

class QPainter;

namespace vorla {

class FigurePainter {
 public:
  explicit FigurePainter(const FigureContent& figure);

  QSizeF Size() const { return size_; }
  void Draw(QPainter& painter) const;

 private:
  void DrawFrame(QPainter& painter) const;
  void DrawColorBar(QPainter& painter) const;
  void DrawTitle(QPainter& painter) const;

  const FigureContent& figure_;
  QFont font_;
  std::vector<FigureTick> xTicks_;  // along the top and bottom edges
  std::vector<FigureTick> yTicks_;  // along the left and right edges
  ColorBarLabels barLabels_;
  std::unique_ptr<QPicture> title_;
  QRectF picture_;  // where the picture goes
  QRectF bar_;      // the colour bar without its end pieces
  QSizeF size_;
};

}  // namespace vorla
