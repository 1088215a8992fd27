// The main window's navigation: what the mouse on the picture and the view
// buttons do to the plane rectangle, the filter picking, and the range
// fields following the view.

#include <cmath>

#include "core/io/NumberText.h"
#include "core/plot/Navigation.h"
#include "gui/common/CoreText.h"
#include "gui/plot/MainToolBar.h"
#include "gui/plot/PaletteAnimation.h"
#include "gui/plot/PropertiesPanel.h"
#include "gui/plot/fmVorla.h"
#include "gui/view/PaintBoxM.h"

namespace vorla {
namespace {

PlotSession::RangeField RangeFieldOf(ExpressionField field) {
  switch (field) {
    case ExpressionField::kXmin: return PlotSession::kXmin;
    case ExpressionField::kXmax: return PlotSession::kXmax;
    case ExpressionField::kYmin: return PlotSession::kYmin;
    default: return PlotSession::kYmax;
  }
}

}  // namespace

void TFVorla::ConnectPaintBox() {
  pictureBox_->SetBandShaper([this](const PixelRect& band, Qt::MouseButtons buttons) { return ShapeBand(band, buttons); });
  connect(pictureBox_, &TPaintBoxM::bandMoved, this,
          [this](const PixelRect&, const PixelRect& band, Qt::MouseButtons, Qt::KeyboardModifiers) { BandMoved(band); });
  connect(pictureBox_, &TPaintBoxM::bandReleased, this,
          [this](const PixelRect& band, Qt::MouseButton button, Qt::KeyboardModifiers) { BandReleased(band, button); });
  connect(pictureBox_, &TPaintBoxM::mouseMoved, this,
          [this](Qt::MouseButtons, Qt::KeyboardModifiers, QPoint pos) { ShowMouseReadout(pos); });
  connect(pictureBox_, &TPaintBoxM::resized, this, &TFVorla::PictureResized);
}

// A drag that ever held another button than the left one pans; a left drag
// zooms, to a band of the picture's aspect while the aspect lock is down.
PixelRect TFVorla::ShapeBand(const PixelRect& band, Qt::MouseButtons buttons) {
  if (buttons & ~Qt::MouseButtons(Qt::LeftButton)) rightDrag_ = true;
  if (rightDrag_ || !toolBar_->KeepsAspect()) return band;
  return KeepBandAspect(band, pictureBox_->width(), pictureBox_->height());
}

void TFVorla::BandMoved(const PixelRect& band) {
  if (rightDrag_ && IsPanningDrag(band)) pictureBox_->SetDragOffset(QPoint(band.right - band.left, band.bottom - band.top));
}

void TFVorla::BandReleased(const PixelRect& band, Qt::MouseButton button) {
  rightDrag_ = false;
  const ReleaseAction action = ClassifyRelease(button == Qt::LeftButton, band);
  if (action == ReleaseAction::kPan) pictureBox_->SetDragOffset(QPoint(0, 0));
  const bool picking = filters_.Picking();
  // While an expression fails the view stays: it moves only with a picture.
  if (!(action == ReleaseAction::kClick && picking) && ReportCompileError()) return;
  switch (action) {
    case ReleaseAction::kZoomOut:
      SetViewAndRecalculate(ZoomOutByTwo(pictureBox_->Scale()));
      break;
    case ReleaseAction::kPan:
      PanBy(band.right - band.left, band.bottom - band.top);
      break;
    case ReleaseAction::kZoomToBand: {
      const ViewBounds view = ZoomToBand(pictureBox_->Scale(), band);
      pictureBox_->PreviewZoom(band);
      SetViewAndRecalculate(view);
      break;
    }
    case ReleaseAction::kClick:
      if (picking) {
        ShowMouseReadout(QPoint(band.right, band.bottom));
        // Where f fails there is no threshold to take: picking goes on.
        if (!valueUnderMouse_) break;
        filters_.Take(*valueUnderMouse_);
        pictureBox_->setCursor(Qt::CrossCursor);
        CalculatePicture();
      } else {
        const PixelPoint shift = CenteringShift(pictureBox_->Scale(), PixelPoint{band.right, band.bottom});
        PanBy(shift.x, shift.y);
      }
      break;
  }
}

// Only the strips the pan uncovers are calculated, into a shifted copy of
// the picture shown meanwhile; the picture itself changes when they are all
// done. While the palette turns, or over a picture still being calculated
// (its strips are not in the copy), the whole picture is calculated.
void TFVorla::PanBy(int dx, int dy) {
  const PanResult pan = vorla::PanBy(pictureBox_->Scale(), dx, dy);
  SetView(pictureBox_->Scale(), pan.view);
  // Device pixels per pixel of the view, when the picture has a whole number of them.
  const int ratio = pictureBox_->width() > 0 ? picture_.Width() / pictureBox_->width() : 0;
  const QSize size = PictureSize();
  const bool aligned = ratio >= 1 && picture_.Width() == size.width() && picture_.Height() == size.height() &&
                       size == pictureBox_->size() * ratio;
  if (animation_->Running() || Calculating() || !aligned) {
    CalculatePicture();
    return;
  }
  if (pan.strips.empty()) {  // nothing uncovered: the same picture, one more undo entry
    documents_->PushUndo();
    return;
  }
  Bitmap shifted = picture_;
  ShiftPicture(shifted, dx * ratio, dy * ratio);
  pictureBox_->ShowPicture(shifted);
  std::vector<PixelRect> strips;
  for (const PixelRect& s : pan.strips)
    strips.push_back({s.left * ratio, s.top * ratio, s.right * ratio, s.bottom * ratio});
  CalculateStrips(shifted, std::move(strips));
}

void TFVorla::SetViewAndRecalculate(const ViewBounds& bounds) {
  if (ReportCompileError()) return;
  SetView(pictureBox_->Scale(), bounds);
  CalculatePicture();
}

void TFVorla::RunViewCommand(ViewCommand command) {
  switch (command) {
    case ViewCommand::kRotateRight: SetViewAndRecalculate(RotateRight(pictureBox_->Scale())); return;
    case ViewCommand::kRotateLeft: SetViewAndRecalculate(RotateLeft(pictureBox_->Scale())); return;
    case ViewCommand::kNormalize: SetViewAndRecalculate(Normalize(pictureBox_->Scale())); return;
    case ViewCommand::kCenter: SetViewAndRecalculate(CenterOnOrigin(pictureBox_->Scale())); return;
    case ViewCommand::kRotate180:
    case ViewCommand::kFlipHorizontal:
    case ViewCommand::kFlipVertical: break;
  }
  if (ReportCompileError()) return;
  if (command != ViewCommand::kFlipHorizontal) SwapRangeTexts(ExpressionField::kXmin, ExpressionField::kXmax);
  if (command != ViewCommand::kFlipVertical) SwapRangeTexts(ExpressionField::kYmin, ExpressionField::kYmax);
  ApplyAndCalculate();
}

// The full texts change places, so that a view zoomed with the mouse keeps
// its precision when it is flipped.
void TFVorla::SwapRangeTexts(ExpressionField a, ExpressionField b) {
  const std::string textA = session_.RangeText(RangeFieldOf(a), ToCore(panel_->FieldText(a)));
  const std::string textB = session_.RangeText(RangeFieldOf(b), ToCore(panel_->FieldText(b)));
  panel_->SetFieldText(a, FromCore(textB));
  panel_->SetFieldText(b, FromCore(textA));
}

// Any release disarms the picking, a load's or an undo's too; only the
// user's release recalculates.
void TFVorla::FilterToggled(FilterSide side, bool on) {
  if (!on) filters_.SetArmed(side, false);
  if (loading_) return;
  filters_.SetArmed(side, on);
  if (on) {
    pictureBox_->setCursor(Qt::UpArrowCursor);
  } else {
    pictureBox_->setCursor(Qt::CrossCursor);
    CalculatePicture();
  }
}

// The old picture, stretched over the new size, stays on screen while the
// new one is calculated.
void TFVorla::PictureResized() {
  if (pictureBox_->width() <= 0 || pictureBox_->height() <= 0) return;
  CalculatePicture();
}

// At the screen's pixels, for the same view: crisp on a high-density screen.
QSize TFVorla::PictureSize() const { return pictureBox_->DevicePixels(); }

// A view moved with the mouse shows up in the range fields without a new
// calculation; expressions the view still matches keep their texts. While an
// expression fails, the view is the last good one and the fields hold what
// the user typed or the file held; a field the user is editing is left alone.
void TFVorla::WriteViewToRangeFields() {
  const ViewScale& scale = pictureBox_->Scale();
  if (scale.Width() <= 0 || scale.Height() <= 0 || !session_.CompileErrors().empty()) return;
  const std::pair<ExpressionField, double> edges[] = {{ExpressionField::kYmin, scale.ScaleTop()},
                                                      {ExpressionField::kXmin, scale.ScaleLeft()},
                                                      {ExpressionField::kXmax, scale.ScaleRight()},
                                                      {ExpressionField::kYmax, scale.ScaleBottom()}};
  for (const auto& [field, edge] : edges) {
    if (panel_->RangeFieldTyped(field)) continue;
    const PlotSession::RangeField which = RangeFieldOf(field);
    const double value = session_.RangeValue(which);
    if (value == edge || std::fabs((edge - value) / edge) <= 1e-7) continue;
    const std::string shown = FormatG(edge, 6);
    session_.SetRangeText(which, FormatG(edge), shown);
    panel_->SetFieldText(field, QString::fromStdString(shown));
  }
}

}  // namespace vorla
