#pragma once
// The picture area: shows the calculated picture (palette indices with the
// palette as colour table), lays a rectangle of the plane over its pixels
// and reports mouse drags as a rubber band in pixel coordinates.
//
// Signal order, for hosts that depend on it:
//   press:   mousePressed
//   move:    mouseMoved, then bandMoved while a button is held
//   release: mouseReleased, then bandMoved, then bandReleased
// A host that reshapes the band (keeping its aspect, say) sets a band shaper:
// the shaped band is what is drawn, reported and moved on from.

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

#include <functional>

#include "core/io/Bitmap.h"
#include "core/plot/AxesLayout.h"
#include "core/plot/Navigation.h"
#include "core/plot/ViewScale.h"
#include "gui/view/Area.h"

class QPainter;

namespace vorla {

class TPaintBoxM : public TArea {
  Q_OBJECT

 public:
  explicit TPaintBoxM(QWidget* parent = nullptr);

  // The plane rectangle over the widget's pixels; its size follows the
  // widget's, and KeepScaleAspect decides what a resize does to the bounds.
  // Changing the bounds repaints nothing: the host recalculates and shows
  // the new picture.
  ViewScale& Scale() { return scale_; }
  const ViewScale& Scale() const { return scale_; }

  // Whether the band is drawn while that button is held (left and right by
  // default, middle not). Bands are reported either way.
  bool DrawRectLeft() const { return drawRectLeft_; }
  bool DrawRectRight() const { return drawRectRight_; }
  bool DrawRectMiddle() const { return drawRectMiddle_; }
  void SetDrawRectLeft(bool draw) { drawRectLeft_ = draw; }
  void SetDrawRectRight(bool draw) { drawRectRight_ = draw; }
  void SetDrawRectMiddle(bool draw) { drawRectMiddle_ = draw; }

  // Gives the band to show for the band from the press point to the mouse,
  // with the buttons held (none at the release).
  using BandShaper = std::function<PixelRect(const PixelRect& band, Qt::MouseButtons buttons)>;
  void SetBandShaper(BandShaper shaper) { bandShaper_ = std::move(shaper); }

  // Copies an 8-bit picture and its palette for showing, and ends any zoom
  // preview. A picture of another size than the widget is shown stretched,
  // which is the preview of a resize until the new picture is calculated.
  void ShowPicture(const Bitmap& picture);
  // Exchanges the colours only, so a colour change never needs the picture
  // calculated again.
  void ShowPalette(const Palette& palette);
  // What is being shown: Format_Indexed8, colour table = palette.
  const QImage& Picture() const { return picture_; }
  // The widget's size in the screen's pixels, which a picture should have
  // to be painted one to one (twice the size on a screen of ratio 2).
  QSize DevicePixels() const;

  // Where the picture is drawn, (0, 0) except while the host pans with a
  // right drag, so that the picture follows the mouse.
  QPoint DragOffset() const { return dragOffset_; }
  void SetDragOffset(QPoint offset);

  // Coordinate axes with labelled ticks, combined with the picture by
  // exclusive or so that they stay visible over any colour.
  bool ShowAxes() const { return showAxes_; }
  void SetShowAxes(bool show);

  // Shows the part of the current picture under band stretched over the
  // whole area, as a preview of a zoom; the next ShowPicture ends it.
  void PreviewZoom(const PixelRect& band);

  QSize sizeHint() const override;

 signals:
  void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
  // Every move over the widget, with or without a button held.
  void mouseMoved(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers, QPoint position);
  void mouseReleased(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint position);
  // The band, shaped, moved from oldBand to newBand.
  void bandMoved(const vorla::PixelRect& oldBand, const vorla::PixelRect& newBand, Qt::MouseButtons buttons,
                 Qt::KeyboardModifiers modifiers);
  // The drag ended with this band (press point in left/top, release point
  // in right/bottom, as shaped).
  void bandReleased(const vorla::PixelRect& band, Qt::MouseButton button, Qt::KeyboardModifiers modifiers);
  // After every size change, once the scale has followed it.
  void resized();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  bool DrawsBandFor(Qt::MouseButtons buttons) const;
  // Shapes and takes the band to `at`, reporting the move.
  void MoveBand(QPoint at, Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers);
  void DrawAxes(QImage& target);
  void DrawAxesOverlay(const AxesLayout& axes);

  ViewScale scale_;
  QImage picture_;
  QImage overlay_;      // axes, white on black
  // What overlay_ was drawn for: a band repaints on every mouse move, the
  // axes only change with the view, the size or the font.
  AxesLayout overlayAxes_;
  QFont overlayFont_;
  QImage composition_;  // what is shown: picture, axes and band together
  QPoint dragOffset_;
  PixelRect band_;
  BandShaper bandShaper_;
  bool dragging_ = false;
  bool bandVisible_ = false;
  bool showAxes_ = false;
  bool drawRectLeft_ = true;
  bool drawRectRight_ = true;
  bool drawRectMiddle_ = false;
};

}  // namespace vorla
