#include "gui/gradient/PainterCanvas.h"

#include <QFontMetrics>
#include <QPainter>

#include "core/gradient/SystemColors.h"
#include "gui/common/CoreColor.h"
#include "gui/common/CoreText.h"

namespace vorla {
namespace {

QRect ToQRect(const Rect& rect) { return QRect(rect.left, rect.top, rect.Width(), rect.Height()); }

}  // namespace

void PainterCanvas::FillRect(const Rect& rect, TColor color) {
  painter_.fillRect(ToQRect(rect), ToQColor(ColorTo24Bits(color)));
}

void PainterCanvas::FillEllipse(const Rect& rect, TColor color) {
  const QColor shade = ToQColor(ColorTo24Bits(color));
  painter_.setPen(shade);
  painter_.setBrush(shade);
  // An outlined ellipse covers one pixel more than its rectangle each way.
  painter_.drawEllipse(ToQRect(rect).adjusted(0, 0, -1, -1));
}

TextExtent PainterCanvas::MeasureText(const std::string& text) {
  const QFontMetrics metrics(painter_.font(), painter_.device());
  return {metrics.horizontalAdvance(FromCore(text)), metrics.height()};
}

void PainterCanvas::DrawText(int x, int y, const std::string& text) {
  const QFontMetrics metrics(painter_.font(), painter_.device());
  painter_.drawText(x, y + metrics.ascent(), FromCore(text));
}

}  // namespace vorla
