// The main window's navigation: what the mouse on the picture and the view
// buttons do to the plane rectangle, and the filter picking.

#include <QTimer>
#include <QToolButton>

#include "core/plot/Navigation.h"
#include "gui/plot/fmVorla.h"
#include "gui/view/PaintBoxM.h"

namespace vorla {

void TFVorla::pbRectDraw(const PixelRect&, Qt::MouseButtons buttons, PixelRect& newRect) {
  if (buttons & ~Qt::MouseButtons(Qt::LeftButton)) rightDrag_ = true;
  if (rightDrag_) {
    if (IsPanningDrag(newRect)) pb->SetDragOffset(QPoint(newRect.right - newRect.left, newRect.bottom - newRect.top));
  } else if (tbtAspecto->isChecked()) {
    newRect = KeepBandAspect(newRect, pb->width(), pb->height());
  }
}

void TFVorla::pbRectUp(const PixelRect& band, Qt::MouseButton button) {
  rightDrag_ = false;
  const ReleaseAction action = ClassifyRelease(button == Qt::LeftButton, band);
  if (action == ReleaseAction::kPan) pb->SetDragOffset(QPoint(0, 0));
  const bool picking = pickingFilMin_ || pickingFilMax_;
  // While an expression fails the view stays: it moves only with a picture.
  if (!(action == ReleaseAction::kClick && picking) && ReportCompileError()) return;
  switch (action) {
    case ReleaseAction::kZoomOut:
      SetViewAndRecalculate(ZoomOutByTwo(pb->Scale()));
      break;
    case ReleaseAction::kPan:
      PanBy(band.right - band.left, band.bottom - band.top);
      break;
    case ReleaseAction::kZoomToBand: {
      const ViewBounds view = ZoomToBand(pb->Scale(), band);
      pb->PreviewZoom(band);
      SetViewAndRecalculate(view);
      break;
    }
    case ReleaseAction::kClick:
      if (picking) {
        pbMouseMove(QPoint(band.right, band.bottom));
        // Where f fails there is no threshold to take: picking goes on.
        if (!valueUnderMouse_) break;
        bool& armed = pickingFilMin_ ? pickingFilMin_ : pickingFilMax_;
        (pickingFilMin_ ? filMin_ : filMax_) = *valueUnderMouse_;
        armed = false;
        pb->setCursor(Qt::CrossCursor);
        CalculateRegion({});
      } else {
        const PixelPoint shift = CenteringShift(pb->Scale(), PixelPoint{band.right, band.bottom});
        PanBy(shift.x, shift.y);
      }
      break;
  }
}

// Leaves one undo entry: the whole calculation while animating writes it,
// otherwise it is written after the strips, which write none.
void TFVorla::PanBy(int dx, int dy) {
  const PanResult pan = vorla::PanBy(pb->Scale(), dx, dy);
  SetView(pb->Scale(), pan.view);
  if (Timer1->isActive()) {
    CalculateRegion({});
    return;
  }
  ShiftPicture(picture_, dx, dy);
  pb->ShowPicture(picture_);
  for (const PixelRect& strip : pan.strips) CalculateRegion(strip);
  PushUndo();
}

void TFVorla::SetViewAndRecalculate(const ViewBounds& bounds) {
  if (ReportCompileError()) return;
  SetView(pb->Scale(), bounds);
  CalculateRegion({});
}

// Any release disarms the picking, a load's or an undo's too; only the
// user's release recalculates.
void TFVorla::FilterButtonToggled(bool isMin, bool down) {
  if (!down) (isMin ? pickingFilMin_ : pickingFilMax_) = false;
  if (loading_) return;
  (isMin ? pickingFilMin_ : pickingFilMax_) = down;
  if (down) {
    pb->setCursor(Qt::UpArrowCursor);
  } else {
    pb->setCursor(Qt::CrossCursor);
    CalculateRegion({});
  }
}

// The old picture, stretched over the new size, stays on screen while the
// new one is calculated.
void TFVorla::pbResize() {
  if (pb->width() <= 0 || pb->height() <= 0) return;
  if (pb->isVisible()) pb->repaint();
  CalculateRegion({});
}

QImage TFVorla::Picture() const { return pb->Picture(); }

}  // namespace vorla
