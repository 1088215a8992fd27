#include "gui/view/PaintBoxM.h"

#include <QMouseEvent>
#include <QPainter>
#include <QPen>
#include <algorithm>
#include <cstring>

#include "gui/common/CoreColor.h"

namespace vorla {
namespace {

QRect Normalized(const PixelRect& band) {
  return QRect(QPoint(std::min(band.left, band.right), std::min(band.top, band.bottom)),
               QPoint(std::max(band.left, band.right), std::max(band.top, band.bottom)) - QPoint(1, 1));
}

}  // namespace

TPaintBoxM::TPaintBoxM(QWidget* parent) : TArea(parent) {
  // Every pixel is painted each time: nothing to erase, so no flicker.
  setAttribute(Qt::WA_OpaquePaintEvent);
  setCursor(Qt::CrossCursor);
  setMouseTracking(true);
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize TPaintBoxM::sizeHint() const { return {454, 415}; }

void TPaintBoxM::ShowPicture(const Bitmap& picture) {
  if (picture_.width() != picture.Width() || picture_.height() != picture.Height() ||
      picture_.format() != QImage::Format_Indexed8) {
    picture_ = QImage(picture.Width(), picture.Height(), QImage::Format_Indexed8);
  }
  const std::size_t rowBytes =
      std::min<std::size_t>(static_cast<std::size_t>(picture_.bytesPerLine()), picture.Stride());
  for (int y = 0; y < picture.Height(); ++y) std::memcpy(picture_.scanLine(y), picture.Row(y), rowBytes);
  picture_.setColorTable(ToColorTable(picture.palette));
  update();
}

void TPaintBoxM::ShowPalette(const Palette& palette) {
  if (picture_.isNull()) return;
  picture_.setColorTable(ToColorTable(palette));
  update();
}

void TPaintBoxM::SetDragOffset(QPoint offset) {
  if (offset == dragOffset_) return;
  dragOffset_ = offset;
  update();
}

void TPaintBoxM::SetShowAxes(bool show) {
  if (show == showAxes_) return;
  showAxes_ = show;
  update();
}

QSize TPaintBoxM::DevicePixels() const {
  const qreal ratio = devicePixelRatio();
  return {qRound(width() * ratio), qRound(height() * ratio)};
}

void TPaintBoxM::PreviewZoom(const PixelRect& band) {
  if (picture_.isNull() || width() <= 0 || height() <= 0) return;
  // The band is in the widget's pixels, the picture may have more.
  const double sx = static_cast<double>(picture_.width()) / width();
  const double sy = static_cast<double>(picture_.height()) / height();
  const QRect logical = Normalized(band);
  const QRect part(QPoint(qRound(logical.left() * sx), qRound(logical.top() * sy)),
                   QPoint(qRound((logical.right() + 1) * sx) - 1, qRound((logical.bottom() + 1) * sy) - 1));
  if (part.isEmpty()) return;
  // A band dragged leftwards or upwards zooms into a mirrored view.
  picture_ = picture_.copy(part).mirrored(band.right < band.left, band.bottom < band.top);
  update();
}

// Composed at the screen's own pixels: a picture calculated at device
// pixels is drawn one to one, and the axes and the band at that resolution.
void TPaintBoxM::paintEvent(QPaintEvent*) {
  if (composition_.size() != DevicePixels() || composition_.devicePixelRatio() != devicePixelRatio()) {
    composition_ = QImage(DevicePixels(), QImage::Format_RGB32);
    composition_.setDevicePixelRatio(devicePixelRatio());
  }
  {
    QPainter canvas(&composition_);
    const QRect target = rect().translated(dragOffset_);
    if (picture_.isNull() || target != rect())
      canvas.fillRect(rect(), picture_.isNull() ? QColor(Qt::black) : QColor(picture_.color(0)));
    // A picture of another size is stretched: the preview of a resize or zoom.
    if (!picture_.isNull()) canvas.drawImage(QRectF(target), picture_, QRectF(picture_.rect()));
  }
  if (showAxes_) DrawAxes(composition_);
  if (bandVisible_) {
    // Exclusive or, like a focus rectangle: visible over every colour.
    QPainter canvas(&composition_);
    canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
    canvas.setPen(QPen(Qt::white, 0, Qt::DotLine));
    canvas.drawRect(Normalized(band_));
  }
  QPainter(this).drawImage(0, 0, composition_);
}

void TPaintBoxM::DrawAxes(QImage& target) {
  const AxesLayout axes = LayOutAxes(scale_);
  if (overlay_.size() != target.size() || overlay_.devicePixelRatio() != target.devicePixelRatio() ||
      axes != overlayAxes_ || font() != overlayFont_) {
    if (overlay_.size() != target.size()) overlay_ = QImage(target.size(), QImage::Format_RGB32);
    overlay_.setDevicePixelRatio(target.devicePixelRatio());
    DrawAxesOverlay(axes);
    overlayAxes_ = axes;
    overlayFont_ = font();
  }
  QPainter canvas(&target);
  canvas.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
  canvas.drawImage(0, 0, overlay_);
}

void TPaintBoxM::DrawAxesOverlay(const AxesLayout& axes) {
  overlay_.fill(Qt::black);
  const int width = this->width();
  const int height = this->height();
  QPainter overlay(&overlay_);
  QFont font = this->font();
  // Grey edges of smoothed glyphs would only half invert the picture.
  font.setStyleStrategy(QFont::NoAntialias);
  overlay.setFont(font);
  overlay.setPen(Qt::white);
  overlay.drawLine(axes.originColumn, 0, axes.originColumn, height);
  overlay.drawLine(0, axes.originRow, width, axes.originRow);
  const int ty = axes.tickRow;
  const int labelTop = axes.xLabelsBelow ? ty : ty - kAxisLabelOffset;
  const QFontMetrics metrics(font);
  for (const AxisTick& tick : axes.xTicks) {
    overlay.drawLine(tick.position, ty - 2, tick.position, ty + 2);
    // Centred on its tick, but kept whole inside the picture at its edges.
    const QString label = QString::fromStdString(tick.label);
    const int labelWidth = metrics.horizontalAdvance(label);
    const int left = std::clamp(tick.position - labelWidth / 2, 0, std::max(width - labelWidth, 0));
    overlay.drawText(QRect(left, labelTop, labelWidth, kAxisLabelOffset), Qt::AlignCenter | Qt::TextDontClip, label);
  }
  const int tx = axes.tickColumn;
  for (const AxisTick& tick : axes.yTicks) {
    overlay.drawLine(tx - 2, tick.position, tx + 2, tick.position);
    const QString label = QString::fromStdString(tick.label);
    const int top = std::clamp(tick.position - metrics.height() / 2, 0, std::max(height - metrics.height(), 0));
    if (axes.yLabelsLeft) {
      overlay.drawText(QRect(tx - 4 - width, top, width, metrics.height()),
                       Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip, label);
    } else {
      // Clear of the tick's right arm, so that a minus sign is not read as part of the tick.
      overlay.drawText(QRect(tx + 4, top, width, metrics.height()),
                       Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, label);
    }
  }
}

void TPaintBoxM::resizeEvent(QResizeEvent* event) {
  TArea::resizeEvent(event);
  scale_.Resize(width(), height());
  emit resized();
}

bool TPaintBoxM::DrawsBandFor(Qt::MouseButtons buttons) const {
  return (drawRectLeft_ && (buttons & Qt::LeftButton)) || (drawRectRight_ && (buttons & Qt::RightButton)) ||
         (drawRectMiddle_ && (buttons & Qt::MiddleButton));
}

void TPaintBoxM::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  dragging_ = true;
  band_ = {at.x(), at.y(), at.x(), at.y()};
  emit mousePressed(event->button(), event->modifiers(), at);
}

void TPaintBoxM::MoveBand(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
  const PixelRect oldBand = band_;
  const PixelRect proposed{band_.left, band_.top, at.x(), at.y()};
  band_ = bandShaper_ ? bandShaper_(proposed, buttons) : proposed;
  emit bandMoved(oldBand, band_, buttons, modifiers);
}

void TPaintBoxM::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit mouseMoved(event->buttons(), event->modifiers(), at);
  if (!dragging_) return;
  MoveBand(at, event->buttons(), event->modifiers());
  const bool draws = DrawsBandFor(event->buttons());
  if (draws || bandVisible_) update();
  bandVisible_ = draws;
}

void TPaintBoxM::mouseReleaseEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  emit mouseReleased(event->button(), event->modifiers(), at);
  if (!dragging_) return;
  if (bandVisible_) {
    bandVisible_ = false;
    update();
  }
  MoveBand(at, event->buttons(), event->modifiers());
  dragging_ = false;
  emit bandReleased(band_, event->button(), event->modifiers());
}

}  // namespace vorla
